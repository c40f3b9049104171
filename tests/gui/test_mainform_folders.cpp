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
#include <QToolButton>
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

// A file manager's selection: only those files are listed, renamed and moved
// back; a Refresh keeps them, choosing a folder drops them.
TEST_F(MainFormFolders, SelectionListsRenamesAndUndoesOnlyItsFiles) {
  for (const char* name : {"c.txt", ".hidden.txt"})
    TestUtil::WriteFileBytes(Sub + "/" + name, name);
  Form = CreateMainForm(
      Paths(), App::StartFolderFor({Sub + "/c.txt", Sub + "/.hidden.txt"}, "/", App::PathKindOf));
  EXPECT_EQ(Form->DirectoryBytes(), Sub);
  EXPECT_EQ(OldNames(), (TNames{".hidden.txt", "c.txt"}));
  Ui(*Form).RefreshBtn->click();
  EXPECT_EQ(OldNames(), (TNames{".hidden.txt", "c.txt"}));
  Ui(*Form).GoBTn->click();
  EXPECT_EQ(TestUtil::ListNames(Sub), (TNames{"1.txt", "2.txt", "a.txt", "b.txt"}));
  EXPECT_EQ(OldNames(), (TNames{"1.txt", "2.txt"}));  // the selection under its new names
  Ui(*Form).UndoMnu->trigger();
  EXPECT_EQ(TestUtil::ListNames(Sub), (TNames{".hidden.txt", "a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(OldNames(), (TNames{".hidden.txt", "c.txt"}));
  Seam.Folder = Sub;
  Ui(*Form).BrowseMnu->trigger();
  EXPECT_EQ(OldNames(), (TNames{"a.txt", "b.txt", "c.txt"}));
}

// Ctrl+H shows hidden files at once and is kept in the settings file.
TEST_F(MainFormFolders, HiddenFilesShowOnAskingAndTheChoiceIsKept) {
  TestUtil::WriteFileBytes(Sub + "/.directory", "x");
  Form = CreateMainForm(Paths(), Sub);
  Form->show();
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  EXPECT_EQ(OldNames(), (TNames{"a.txt", "b.txt"}));
  Form->findChild<QTreeView*>("FileList")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::ControlModifier);
  EXPECT_EQ(OldNames(), (TNames{".directory", "a.txt", "b.txt"}));
  ASSERT_TRUE(Form->close());
  EXPECT_NE(Settings().find("activepage=0\r\nshowhidden=1\r\n"), std::string::npos);
  Form = CreateMainForm(Paths(), Sub);
  EXPECT_TRUE(Ui(*Form).HiddenMnu->isChecked());
  EXPECT_EQ(OldNames(), (TNames{".directory", "a.txt", "b.txt"}));
}

// Files of several folders open nothing, and say why in a box.
TEST_F(MainFormFolders, SelectionOfSeveralFoldersIsRefused) {
  TestUtil::WriteFileBytes(Files.File("top.txt"), "t");
  const App::TStartFolder start =
      App::StartFolderFor({Sub + "/a.txt", Files.File("top.txt")}, "/", App::PathKindOf);
  Form = CreateMainForm(Paths(), start);
  EXPECT_EQ(DirText(), QStringLiteral("/"));
  EXPECT_TRUE(OldNames().empty());
  ASSERT_EQ(Seam.Texts.size(), 1u);
  EXPECT_EQ(Seam.Texts[0], QString::fromStdString("The files are in several folders; only files "
                                                  "of one folder can be renamed together:\n" +
                                                  Sub + "\n" + Files.Path()));
  EXPECT_EQ(Seam.Icons[0], QMessageBox::Warning);
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
