// Folders handed to the window from outside: the command line's DIR and a
// folder or file dropped on the window. Both open it as the folder chooser's
// OK does, exact bytes kept.
#include <sys/stat.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QTreeView>

#include "app/startdir.h"
#include "gui/mainformfixture.h"

namespace {

// A file URI with every byte outside the unreserved ones escaped.
QUrl FileUri(const std::string& path) {
  return QUrl::fromEncoded("file://" + QByteArray::fromStdString(path).toPercentEncoding("/"));
}

class MainFormFolders : public TMainFormFixture {
 protected:
  void SetUp() override {
    TMainFormFixture::SetUp();
    WriteSettings(LanguageEntry() + "\r\n");
    // A folder whose name is not valid UTF-8, with two files.
    Sub = Files.File("caf\xe9");
    ASSERT_EQ(::mkdir(Sub.c_str(), 0755), 0);
    TestUtil::WriteFileBytes(Sub + "/b.txt", "b");
    TestUtil::WriteFileBytes(Sub + "/a.txt", "a");
  }
  QString DirText() const { return Form->findChild<QLineEdit*>("DirEdit")->text(); }
  // Drags mime over the file list and drops it on the window; true when
  // the window took the drag.
  bool Drop(QMimeData& mime,
            Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction) {
    QWidget* list = Form->findChild<QTreeView*>("FileList")->viewport();
    QDragEnterEvent enter(QPoint(20, 20), actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list, &enter);
    if (!enter.isAccepted()) return false;
    EXPECT_NE(enter.dropAction(), Qt::MoveAction);  // the source must keep its files
    QDropEvent drop(QPointF(20, 20), actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_NE(drop.dropAction(), Qt::MoveAction);
    return true;
  }
  std::string Sub;
};

TEST_F(MainFormFolders, StartFolderBecomesTheDirectoryAndIsScanned) {
  Form = CreateMainForm(Paths(), Sub);
  EXPECT_EQ(Form->DirectoryBytes(), Sub);
  EXPECT_EQ(OldNames(), (TNames{"a.txt", "b.txt"}));
  EXPECT_EQ(Seam.FolderOffers, 0);
  // A file argument opens its folder.
  const App::TStartFolder start = App::StartFolderFor({Sub + "/b.txt"}, "/", App::PathKindOf);
  EXPECT_EQ(start.Folder, Sub);
  EXPECT_EQ(start.Warning, "");
}

TEST_F(MainFormFolders, WithoutAStartFolderStartUpIsAsEver) {
  Form = CreateMainForm(Paths(), "");
  EXPECT_EQ(DirText(), QStringLiteral("/"));
  EXPECT_TRUE(OldNames().empty());
  Form.reset();
  Start();
  EXPECT_EQ(DirText(), QStringLiteral("/"));
  EXPECT_TRUE(OldNames().empty());
}

TEST_F(MainFormFolders, DroppedFolderOrFileOpensItsFolder) {
  StartShown();
  QMimeData folder;
  folder.setUrls({FileUri(Sub)});
  ASSERT_TRUE(Drop(folder));
  EXPECT_EQ(Form->DirectoryBytes(), Sub);
  EXPECT_EQ(OldNames(), (TNames{"a.txt", "b.txt"}));
  TestUtil::WriteFileBytes(Files.File("top.txt"), "t");
  QMimeData file;  // a file and a remote item: the file's folder
  file.setUrls({QUrl(QStringLiteral("https://example.org/x")), FileUri(Files.File("top.txt"))});
  ASSERT_TRUE(Drop(file));
  EXPECT_EQ(Form->DirectoryBytes(), Files.Path());
  EXPECT_EQ(DirText(), QString::fromStdString(Files.Path()));
  EXPECT_EQ(OldNames(), (TNames{"top.txt"}));
}

TEST_F(MainFormFolders, DropsThatNameNoFolderAreRefused) {
  StartShown();
  QMimeData remote, missing, text, moveOnly;
  remote.setUrls({QUrl(QStringLiteral("https://example.org/x"))});
  missing.setUrls({FileUri(Files.File("gone"))});
  text.setText(QString::fromStdString(Sub));
  moveOnly.setUrls({FileUri(Sub)});
  for (QMimeData* mime : {&remote, &missing, &text}) EXPECT_FALSE(Drop(*mime));
  EXPECT_FALSE(Drop(moveOnly, Qt::MoveAction));  // taken as a move, it could lose files
  EXPECT_EQ(DirText(), QStringLiteral("/"));
  EXPECT_TRUE(OldNames().empty());
}

}  // namespace
