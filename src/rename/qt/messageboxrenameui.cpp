#include "rename/qt/messageboxrenameui.h"

#include <algorithm>

#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QString>
#include <QWidget>

#include "dialogs/qt/dialogseam.h"
#include "ui/qttext.h"

namespace {

using QtText::FromUtf8;

}  // namespace

TMessageBoxRenameUi::TMessageBoxRenameUi(QWidget* owner, QLabel* actionLbl,
                                         QProgressBar* progressBar)
    : FOwner(owner), FActionLbl(actionLbl), FProgressBar(progressBar) {}

bool TMessageBoxRenameUi::ConfirmRename(const std::string& text) {
  const auto answer = DialogSeam().MessageBox(
      FOwner, FromUtf8(text), QGuiApplication::applicationDisplayName(),
      QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Warning, QMessageBox::Ok);
  return answer == QMessageBox::Ok;
}

Rename::TFailAnswer TMessageBoxRenameUi::RenameFailed(const std::string& text) {
  const auto answer =
      DialogSeam().MessageBox(FOwner, FromUtf8(text), QGuiApplication::applicationDisplayName(),
                              QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore,
                              QMessageBox::Critical, QMessageBox::Abort);
  switch (answer) {
    case QMessageBox::Retry:
      return Rename::TFailAnswer::Retry;
    case QMessageBox::Ignore:
      return Rename::TFailAnswer::Ignore;
    default:
      return Rename::TFailAnswer::Abort;
  }
}

void TMessageBoxRenameUi::ShowProgress(int position, const std::string& status) {
  if (FProgressBar) {
    FProgressBar->setValue(position);
    FProgressBar->setFormat(QStringLiteral("%p%"));
    if (FTotal > 0 && position < 100) {
      const auto done = static_cast<qint64>(FTotal) * position / 100;
      const qint64 perSecond = done * 1000 / std::max<qint64>(FClock.elapsed(), 1);
      FProgressBar->setFormat(QStringLiteral("%p%  %1 / %2  %3/s")
                                  .arg(QLocale().toString(done),
                                       QLocale().toString(static_cast<qint64>(FTotal)),
                                       QLocale().toString(perSecond)));
    }
    FProgressBar->repaint();
  }
  if (FActionLbl) {
    FActionLbl->setText(FromUtf8(status));
    FActionLbl->repaint();
  }
}

void TMessageBoxRenameUi::SetTotal(std::size_t rows) {
  FTotal = rows;
  FClock.start();
}

void TMessageBoxRenameUi::SetBusy(bool busy) {
  if (FOwner) FOwner->setEnabled(!busy);
}

bool TMessageBoxRenameUi::ConfirmWithoutUndo(const std::string& text) {
  const auto answer = DialogSeam().MessageBox(
      FOwner, FromUtf8(text), QGuiApplication::applicationDisplayName(),
      QMessageBox::Yes | QMessageBox::No, QMessageBox::Warning, QMessageBox::No);
  return answer == QMessageBox::Yes;
}
