#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QUrl>

#include "dialogs/qt/dialogseam.h"

class QWidget;

namespace GuiTestUtil {

// Runs action on the next modal dialog as soon as it is open (polled from the
// event loop), so a test can answer a real message box or dialog.
void OnNextModal(std::function<void(QWidget* dialog)> action, int timeoutMs = 5000);
// The text without its access key marks ("&").
QString WithoutMarks(QString text);
// Presses Escape in the next modal dialog.
void PressEscapeOnNextModal();

// Catches the desktop's "open" requests for the schemes while it lives.
class TOpenRecorder : public QObject {
  Q_OBJECT

 public:
  explicit TOpenRecorder(std::vector<const char*> schemes = {"file"});
  ~TOpenRecorder() override;
  std::vector<QUrl> Urls;

 public slots:
  void Open(const QUrl& url);

 private:
  std::vector<const char*> FSchemes;
};

// Puts the application in the named style ("" keeps the current one) and
// back in the one it had when the scope ends.
class TStyleScope {
 public:
  explicit TStyleScope(const char* style);
  ~TStyleScope();
  TStyleScope(const TStyleScope&) = delete;
  TStyleScope& operator=(const TStyleScope&) = delete;

 private:
  QString FOldStyle;
};

// Notes every message box, then answers it with Answer, or with the box's
// default button when Answer is unset; RealMessageBoxes shows the real boxes.
class TRecordingSeam : public TDialogSeam {
 public:
  QMessageBox::StandardButton MessageBox(QWidget* owner, const QString& text,
                                         const QString& caption,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::Icon icon,
                                         QMessageBox::StandardButton defaultButton) override;

  bool RealMessageBoxes = false;
  std::optional<QMessageBox::StandardButton> Answer;
  std::vector<QString> Texts, Captions;
  std::vector<QMessageBox::Icon> Icons;
  // How the last box was asked.
  QWidget* Owner = nullptr;
  QMessageBox::StandardButtons Buttons;
  QMessageBox::StandardButton Default = QMessageBox::NoButton;
};

}  // namespace GuiTestUtil
