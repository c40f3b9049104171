#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace GuiTestUtil {

// Runs action on the next modal dialog as soon as it is open (polled from the
// event loop), so a test can answer a real message box or dialog.
void OnNextModal(std::function<void(QWidget* dialog)> action, int timeoutMs = 5000);

}  // namespace GuiTestUtil
