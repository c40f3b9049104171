#include <QDir>
#include <QUrl>

#include <gtest/gtest.h>

#include "gui/guitestutil.h"
#include "platform/qt/desktop.h"

namespace {

TEST(ShellOpen, HandsPathsAsFilesAndLinksAsThemselves) {
  GuiTestUtil::TOpenRecorder opened({"file", "mailto", "https"});
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
    ASSERT_EQ(opened.Urls.size(), 1u);
    EXPECT_EQ(opened.Urls[0], c.Expected);
  }
}

}  // namespace
