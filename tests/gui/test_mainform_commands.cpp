// Commands of the main window driven through its controls: the filter box,
// the order, removal, the folder chooser, Rename on an empty list, the About
// box and F1.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include "dialogs/qt/aboutform.h"
#include "filelist/qt/filelistmodel.h"
#include "filelist/scan.h"
#include "gui/mainformfixture.h"

namespace {

class MainFormCommands : public TMainFormFixture {
 protected:
  void SetUp() override {
    TMainFormFixture::SetUp();
    StartWithLanguageEntry();
  }
  QStringList FilterEntries() const {
    QStringList entries;
    for (int i = 0; i < Ui(*Form).HidFilterList->count(); ++i)
      entries << Ui(*Form).HidFilterList->item(i)->text();
    return entries;
  }
};

// Sets the filter text without the box reporting the change.
void SetFilterQuietly(TMainForm& form, const char* text) {
  const QSignalBlocker quiet(Ui(form).FilterCmb);
  Ui(form).FilterCmb->lineEdit()->setText(QString::fromLatin1(text));
}

struct TFilterCase {
  const char* Name;
  void (*Change)(TMainForm& form);
  QStringList Entries;
  TNames Listed;  // at the next scan
};

class MainFormFilter : public MainFormCommands,
                       public ::testing::WithParamInterface<TFilterCase> {};

TEST_P(MainFormFilter, NewFilterIsParsedAtOnceAndTakesEffectAtTheNextScan) {
  ScanFiles({"a.txt", "b.bmp", "c.htm"});
  TestUtil::WriteFileBytes(Files.File("d.gif"), "d");
  GetParam().Change(*Form);
  EXPECT_EQ(FilterEntries(), GetParam().Entries);
  EXPECT_EQ(OldNames(), (TNames{"a.txt", "b.bmp", "c.htm"}));  // no scan
  EXPECT_EQ(Ui(*Form).FilterCmb->count(), 4);
  Ui(*Form).RefreshBtn->click();
  EXPECT_EQ(OldNames(), GetParam().Listed);
}

const TFilterCase Ways[] = {{"Typing",
                             [](TMainForm& form) {
                               Ui(form).FilterCmb->lineEdit()->clear();
                               QTest::keyClicks(Ui(form).FilterCmb->lineEdit(),
                                                QStringLiteral("bmp"));
                             },
                             {".bmp"},
                             {"b.bmp"}},
                            {"PickingAPreset",
                             [](TMainForm& form) { Ui(form).FilterCmb->setCurrentIndex(2); },
                             {".html", ".htm", ".js"},
                             {"c.htm"}},
                            {"LeavingTheBox",
                             [](TMainForm& form) {
                               SetFilterQuietly(form, "gif");
                               QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
                               QApplication::sendEvent(Ui(form).FilterCmb->lineEdit(), &leave);
                             },
                             {".gif"},
                             {"d.gif"}},
                            {"PressingEnter",
                             [](TMainForm& form) {
                               SetFilterQuietly(form, "txt;gif");
                               QTest::keyClick(Ui(form).FilterCmb->lineEdit(), Qt::Key_Return);
                             },
                             {".txt", ".gif"},
                             {"a.txt", "d.gif"}}};
INSTANTIATE_TEST_SUITE_P(Ways, MainFormFilter, ::testing::ValuesIn(Ways),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(MainFormCommands, AnotherOrderTakesEffectAtTheNextScanOnly) {
  ScanFiles({"b", "a", "c"});
  ASSERT_EQ(OldNames(), (TNames{"a", "b", "c"}));
  Ui(*Form).SortCmb->setCurrentIndex(2);
  QApplication::processEvents();
  EXPECT_EQ(OldNames(), (TNames{"a", "b", "c"}));
  Ui(*Form).TestBtn->click();  // numbers follow the list as shown
  EXPECT_EQ(NewNames(), (TNames{"1", "2", "3"}));
  Ui(*Form).RefreshBtn->click();
  EXPECT_EQ(OldNames(), (TNames{"c", "b", "a"}));
  Ui(*Form).TestBtn->click();
  EXPECT_EQ(NewNames(), (TNames{"1", "2", "3"}));
}

struct TRemoveCase {
  const char* Name;
  std::set<int> Selected;
  TNames Left;
  TNames Numbered;  // the next preview
};

class MainFormRemove : public MainFormCommands,
                       public ::testing::WithParamInterface<TRemoveCase> {};

TEST_P(MainFormRemove, SelectedRowsLeaveAndTheNextPreviewNumbersTheRest) {
  ScanFiles({"a.txt", "b.txt", "c.txt", "d.txt"});
  Ui(*Form).TestBtn->click();
  SelectRows(GetParam().Selected);
  Ui(*Form).RemoveBtn->click();
  EXPECT_EQ(OldNames(), GetParam().Left);
  EXPECT_EQ(FileNames(), (TNames{"a.txt", "b.txt", "c.txt", "d.txt"}));
  Ui(*Form).TestMnu->trigger();
  EXPECT_EQ(NewNames(), GetParam().Numbered);
}

const TRemoveCase Selections[] = {
    {"Nothing", {}, {"a.txt", "b.txt", "c.txt", "d.txt"}, {"1.txt", "2.txt", "3.txt", "4.txt"}},
    {"Everything", {0, 1, 2, 3}, {}, {}},
    {"TwoAdjacent", {1, 2}, {"a.txt", "d.txt"}, {"1.txt", "2.txt"}},
    {"FirstAndLast", {0, 3}, {"b.txt", "c.txt"}, {"1.txt", "2.txt"}}};
INSTANTIATE_TEST_SUITE_P(Selections, MainFormRemove, ::testing::ValuesIn(Selections),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(MainFormCommands, RenameOnAnEmptiedListAsksNothingAndDoesNotScan) {
  ScanFiles({"a.txt"});
  Ui(*Form).FileList->selectAll();
  Ui(*Form).RemoveBtn->click();
  ASSERT_EQ(Form->FileListModel()->rowCount(), 0);
  TestUtil::WriteFileBytes(Files.File("b.txt"), "b");
  Ui(*Form).GoBTn->click();
  Ui(*Form).RenameMnu->trigger();
  EXPECT_TRUE(Seam.Texts.empty());
  EXPECT_EQ(Form->FileListModel()->rowCount(), 0);
  EXPECT_EQ(Ui(*Form).ActionLbl->text(), QStringLiteral("Idle..."));
  EXPECT_EQ(Ui(*Form).ProgressBar1->value(), 0);
  EXPECT_EQ(FileNames(), (TNames{"a.txt", "b.txt"}));
}

TEST_F(MainFormCommands, CancelledFolderChoiceChangesNothing) {
  ScanFiles({"a.txt", "b.txt"});
  Ui(*Form).TestBtn->click();
  TestUtil::WriteFileBytes(Files.File("c.txt"), "c");
  Seam.Folder.reset();
  Ui(*Form).BrowseDirEdit->click();
  EXPECT_EQ(Seam.FolderOnEntry, Files.Path());
  EXPECT_EQ(Ui(*Form).DirEdit->text().toStdString(), Files.Path());
  EXPECT_EQ(OldNames(), (TNames{"a.txt", "b.txt"}));
  EXPECT_EQ(NewNames(), (TNames{"1.txt", "2.txt"}));
}

TEST_F(MainFormCommands, ConfirmingTheCurrentFolderScansItAgain) {
  ScanFiles({"a.txt"});
  Ui(*Form).TestBtn->click();
  TestUtil::WriteFileBytes(Files.File("b.txt"), "b");
  Ui(*Form).BrowseMnu->trigger();
  EXPECT_EQ(Seam.FolderOffers, 2);
  EXPECT_EQ(OldNames(), (TNames{"a.txt", "b.txt"}));
  EXPECT_EQ(NewNames(), (TNames{"", ""}));
}

TEST_F(MainFormCommands, ItemWithoutAPathEmptiesTheDirectoryAndTheScanListsTheRoot) {
  ScanFiles({"a.txt"});
  Seam.Folder = "";
  Ui(*Form).BrowseMnu->trigger();
  EXPECT_TRUE(Ui(*Form).DirEdit->text().isEmpty());
  EXPECT_EQ(Form->DirectoryBytes(), "");
  TNames root;
  for (const auto& item : FileList::ScanDirectory("/", {".*"}, FileList::TOrder::Name))
    root.push_back(item.OldName);
  EXPECT_EQ(OldNames(), root);
}

TEST_F(MainFormCommands, AboutBoxIsBuiltAfreshForEveryOpening) {
  std::vector<QString> captions;
  std::vector<bool> reused;
  QPointer<QWidget> first;
  auto answer = [&](QWidget* dialog) {
    captions.push_back(dialog->windowTitle());
    reused.push_back(dialog->property("opened").isValid());
    dialog->setProperty("opened", true);
    if (!first) first = dialog;
    auto* box = qobject_cast<QDialog*>(dialog);
    ASSERT_NE(box, nullptr);
    box->accept();
  };
  GuiTestUtil::OnNextModal(answer);
  Ui(*Form).AboutBtn->click();
  EXPECT_TRUE(first.isNull());
  GuiTestUtil::OnNextModal(answer);
  Ui(*Form).AboutMnu->trigger();
  EXPECT_EQ(captions, (std::vector<QString>{"About Morvane", "About Morvane"}));
  EXPECT_EQ(reused, (std::vector<bool>{false, false}));
  EXPECT_TRUE(Form->findChildren<TAboutForm*>().isEmpty());
}

TEST_F(MainFormCommands, F1OpensTheHelpFileBesideTheExecutable) {
  TOpenRecorder recorder;
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  Ui(*Form).FileList->setFocus();
  QTest::keyClick(Ui(*Form).FileList, Qt::Key_F1);
  ASSERT_EQ(recorder.Urls.size(), 1u);
  EXPECT_TRUE(recorder.Urls[0].toLocalFile().endsWith(QStringLiteral("/help.chm")));
}

}  // namespace
