#include "platform/qt/desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

namespace Platform {

namespace {

// A link names its scheme ("mailto:", "https:"); anything else is a path,
// relative ones taken from the working folder.
QUrl UrlFor(const QString& pathOrLink) {
  if (!pathOrLink.startsWith(QLatin1Char('/'))) {
    const QUrl link(pathOrLink, QUrl::StrictMode);
    if (link.isValid() && !link.scheme().isEmpty()) return link;
  }
  return QUrl::fromLocalFile(QFileInfo(pathOrLink).absoluteFilePath());
}

}  // namespace

void ShellOpen(const QString& pathOrLink) { QDesktopServices::openUrl(UrlFor(pathOrLink)); }

QSize PrimaryScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return QSize(1024, 768);
  return screen->size();
}

}  // namespace Platform
