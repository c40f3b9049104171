#include <QDesktopServices>
#include <QDir>
#include <QUrl>

#include <gtest/gtest.h>

#include "platform/qt/desktop.h"

// Collects what the desktop was asked to open.
class TOpened : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> Urls;

 public slots:
  void Open(const QUrl& url) { Urls.append(url); }
};

namespace {

TEST(ShellOpen, HandsPathsAsFilesAndLinksAsThemselves) {
  const char* const schemes[] = {"file", "mailto", "https"};
  TOpened opened;
  for (const char* scheme : schemes) QDesktopServices::setUrlHandler(scheme, &opened, "Open");
  const struct {
    QString Given;
    QUrl Expected;
  } cases[] = {
      {"/tmp/help.chm", QUrl("file:///tmp/help.chm")},
      {"/tmp/two words/#1?.txt", QUrl::fromLocalFile("/tmp/two words/#1?.txt")},
      {"/tmp/a:b", QUrl::fromLocalFile("/tmp/a:b")},
      {"help.chm", QUrl::fromLocalFile(QDir::current().absoluteFilePath("help.chm"))},
      {"mailto:morvane@example.org", QUrl("mailto:morvane@example.org")},
      {"https://morvane.example.org/", QUrl("https://morvane.example.org/")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Given.toStdString());
    opened.Urls.clear();
    Platform::ShellOpen(c.Given);
    ASSERT_EQ(opened.Urls.size(), 1);
    EXPECT_EQ(opened.Urls[0], c.Expected);
  }
  for (const char* scheme : schemes) QDesktopServices::unsetUrlHandler(scheme);
}

}  // namespace

#include "test_desktop.moc"
