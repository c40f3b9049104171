#include "platform/qt/desktop.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

namespace Platform {

void ShellOpen(const QString& pathOrLink) {
  const QUrl link(pathOrLink);
  const bool hasScheme = link.isValid() && link.scheme().size() > 1;
  QDesktopServices::openUrl(hasScheme ? link : QUrl::fromLocalFile(pathOrLink));
}

QSize PrimaryScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return QSize(1024, 768);
  return screen->size();
}

}  // namespace Platform
