#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

namespace {

// The test programs live in <build>/tests; the program and its help file at
// the top of the build folder.
QString HelpFilePath() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/../help.chm");
}

TEST(HelpFile, IsACompiledHelpFileBesideTheProgram) {
  QFile help(HelpFilePath());
  ASSERT_TRUE(help.open(QIODevice::ReadOnly)) << HelpFilePath().toStdString();
  const QByteArray content = help.readAll();
  ASSERT_GE(content.size(), 4);
  EXPECT_EQ(content.left(4), QByteArray("ITSF"));  // the compiled HTML help signature
}

TEST(HelpFile, HoldsEveryPageAndTheContents) {
  QFile help(HelpFilePath());
  ASSERT_TRUE(help.open(QIODevice::ReadOnly));
  const QByteArray content = help.readAll();
  // Names of the stored files appear in the directory chunk uncompressed.
  for (const char* page : {"/index.html", "/window.html", "/naming.html", "/renaming.html",
                           "/menus.html", "/help.hhc", "/help.hhk"})
    EXPECT_TRUE(content.contains(page)) << page;
}

}  // namespace
