#pragma once

#include <functional>

#include <QMessageBox>
#include <QString>

#include "dialogs/qt/dialogseam.h"

class QWidget;

namespace GuiTestUtil {

// Runs action on the next modal dialog as soon as it is open (polled from the
// event loop), so a test can answer a real message box or dialog.
void OnNextModal(std::function<void(QWidget* dialog)> action, int timeoutMs = 5000);

// Answers every message box with Answer and remembers how the last was asked.
class TRecordingSeam : public TDialogSeam {
 public:
  QMessageBox::StandardButton MessageBox(QWidget* owner, const QString& text,
                                         const QString& caption,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::Icon icon,
                                         QMessageBox::StandardButton defaultButton) override;

  QMessageBox::StandardButton Answer = QMessageBox::Ok;
  int Calls = 0;
  QWidget* Owner = nullptr;
  QString Text;
  QString Caption;
  QMessageBox::StandardButtons Buttons;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QMessageBox::StandardButton Default = QMessageBox::NoButton;
};

}  // namespace GuiTestUtil
