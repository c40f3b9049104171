#pragma once

#include <QDialog>

class QLabel;

// The About box: program name, version and two links. Built fresh for each
// showing and never translated.
class TAboutForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutForm(QWidget* owner);

  // Opens the clicked link label's text through the desktop; the box stays.
  void MailLblClick(QLabel* sender);

 protected:
  void keyPressEvent(QKeyEvent* event) override;  // Escape does not close it
};
