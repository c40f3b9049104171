#include "dialogs/qt/dialogseam.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QStringList>
#include <QWidget>

#include "dialogs/qt/kvfolderdialog.h"
#include "settings/errors.h"
#include "ui/qttext.h"

namespace {

TDialogSeam* GSeam = nullptr;

TDialogSeam& RealSeam() {
  static TDialogSeam seam;
  return seam;
}

// The button that closed box; Escape and the close box give the escape button
// (Cancel, or Abort in the failure box).
QMessageBox::StandardButton AnswerOf(const QMessageBox& box) {
  QAbstractButton* clicked = box.clickedButton();
  if (!clicked) clicked = box.escapeButton();
  if (!clicked) return QMessageBox::Cancel;
  return box.standardButton(clicked);
}

// An input dialog whose prompt is plain text, as every text of the window is.
void ShowPromptAsPlainText(QInputDialog& dialog) {
  for (QLabel* label : dialog.findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
}

}  // namespace

TDialogSeam::~TDialogSeam() = default;

QMessageBox::StandardButton TDialogSeam::MessageBox(QWidget* owner, const QString& text,
                                                    const QString& caption,
                                                    QMessageBox::StandardButtons buttons,
                                                    QMessageBox::Icon icon,
                                                    QMessageBox::StandardButton defaultButton) {
  QMessageBox box(icon, caption, text, buttons, owner);
  box.setTextFormat(Qt::PlainText);  // file names and language files may hold markup
  box.setWindowModality(Qt::ApplicationModal);
  if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
  box.exec();
  return AnswerOf(box);
}

bool TDialogSeam::OpenLanguageFile(QWidget* owner, const QString& initialDir, QString& path) {
  QFileDialog dialog(owner);
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setSizeGripEnabled(true);
  dialog.setNameFilter(QStringLiteral("Language Files (*.lng)"));
  dialog.setDirectory(initialDir);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return false;
  path = files.first();
  return true;
}

bool TDialogSeam::AskText(QWidget* owner, const QString& caption, const QString& prompt,
                          QString& text) {
  QInputDialog dialog(owner);
  dialog.setWindowTitle(caption);
  dialog.setLabelText(prompt);
  dialog.setTextValue(text);
  ShowPromptAsPlainText(dialog);
  if (dialog.exec() != QDialog::Accepted) return false;
  text = dialog.textValue();
  return true;
}

bool TDialogSeam::ChooseItem(QWidget* owner, const QString& caption, const QString& prompt,
                             const QStringList& items, QString& chosen) {
  QInputDialog dialog(owner);
  dialog.setWindowTitle(caption);
  dialog.setLabelText(prompt);
  dialog.setComboBoxItems(items);
  dialog.setComboBoxEditable(false);
  ShowPromptAsPlainText(dialog);
  if (dialog.exec() != QDialog::Accepted) return false;
  chosen = dialog.textValue();
  return true;
}

bool TDialogSeam::BrowseFolder(TKvFolderDialog& dialog) { return dialog.Execute(); }

TDialogSeam& DialogSeam() { return GSeam ? *GSeam : RealSeam(); }

void SetDialogSeam(TDialogSeam* seam) { GSeam = seam; }

void ShowErrorDisplay(QWidget* owner, const QString& message) {
  const std::string text = Settings::ErrorDisplayText(QtText::ToUtf8(message));
  DialogSeam().MessageBox(owner, QtText::FromUtf8(text), QGuiApplication::applicationDisplayName(),
                          QMessageBox::Ok, QMessageBox::Critical, QMessageBox::Ok);
}
