#include "dialogs/qt/aboutform.h"

#include <QKeyEvent>
#include <QLabel>

#include "platform/qt/desktop.h"

TAboutForm::TAboutForm(QWidget* owner) : QDialog(owner) {}

void TAboutForm::MailLblClick(QLabel* sender) { Platform::ShellOpen(sender->text()); }

void TAboutForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}
