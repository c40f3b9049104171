#include "gui/guitestutil.h"

#include <memory>

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <QWidget>

namespace GuiTestUtil {

void OnNextModal(std::function<void(QWidget* dialog)> action, int timeoutMs) {
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [action, clock, poll, timeoutMs]() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      action(modal);
      *poll = nullptr;  // break the cycle
      return;
    }
    if (clock->elapsed() < timeoutMs) {
      auto next = *poll;
      QTimer::singleShot(10, [next]() { next(); });
    }
  };
  auto first = *poll;
  QTimer::singleShot(0, [first]() { first(); });
}

QString WithoutMarks(QString text) { return text.remove(QLatin1Char('&')); }

void PressEscapeOnNextModal() {
  OnNextModal([](QWidget* dialog) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(dialog, &escape);
  });
}

TOpenRecorder::TOpenRecorder(std::vector<const char*> schemes) : FSchemes(std::move(schemes)) {
  for (const char* scheme : FSchemes) QDesktopServices::setUrlHandler(scheme, this, "Open");
}

TOpenRecorder::~TOpenRecorder() {
  for (const char* scheme : FSchemes) QDesktopServices::unsetUrlHandler(scheme);
}

void TOpenRecorder::Open(const QUrl& url) { Urls.push_back(url); }

TStyleScope::TStyleScope(const char* style) : FOldStyle(QApplication::style()->name()) {
  if (*style) QApplication::setStyle(QStyleFactory::create(QString::fromLatin1(style)));
}

TStyleScope::~TStyleScope() { QApplication::setStyle(QStyleFactory::create(FOldStyle)); }

QMessageBox::StandardButton TRecordingSeam::MessageBox(QWidget* owner, const QString& text,
                                                       const QString& caption,
                                                       QMessageBox::StandardButtons buttons,
                                                       QMessageBox::Icon icon,
                                                       QMessageBox::StandardButton defaultButton) {
  Texts.push_back(text);
  Captions.push_back(caption);
  Icons.push_back(icon);
  Owner = owner;
  Buttons = buttons;
  Default = defaultButton;
  if (RealMessageBoxes)
    return TDialogSeam::MessageBox(owner, text, caption, buttons, icon, defaultButton);
  return Answer.value_or(defaultButton);
}

}  // namespace GuiTestUtil
