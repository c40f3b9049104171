// Layout figures and command bindings of the main window.
#include <sys/stat.h>

#include <cstdlib>
#include <functional>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeView>

#include "app/qt/mainform_radiogroup.h"
#include "filelist/qt/filelistmodel.h"
#include "gui/mainformfixture.h"

namespace {

// Message boxes are answered with Cancel.
class MainFormLayout : public TMainFormFixture {
 protected:
  void SetUp() override {
    TMainFormFixture::SetUp();
    Seam.Answer = QMessageBox::Cancel;
    StartWithLanguageEntry();
  }
  // Sets counted bounds the way a user resizing the window does.
  void ResizeCounted(int width, int height) {
    Form->resize(width - 8, height - 27);
    QApplication::processEvents();
  }
};

struct TFigures {
  int Width, Height;
  int Column, DirEdit, Combo, Status, Action, Progress, ListHeight;
};

class MainFormFigures : public MainFormLayout, public ::testing::WithParamInterface<TFigures> {};

TEST_P(MainFormFigures, ResizeRulesGiveTheDesignFigures) {
  const TFigures& f = GetParam();
  ResizeCounted(f.Width, f.Height);
  TMainForm& form = *Form;
  EXPECT_EQ(form.CountedBounds().size(), QSize(f.Width, f.Height));
  EXPECT_EQ(Ui(form).MainMenu1->height(), 19);
  EXPECT_EQ(form.centralWidget()->size(), QSize(f.Width - 8, f.Height - 46));
  EXPECT_EQ(Ui(form).FileList->header()->sectionSize(0), f.Column);
  EXPECT_EQ(Ui(form).FileList->header()->sectionSize(1), f.Column);
  EXPECT_EQ(Ui(form).DirEdit->width(), f.DirEdit);
  EXPECT_EQ(Ui(form).FilterCmb->width(), f.Combo);
  EXPECT_EQ(Ui(form).SortCmb->width(), f.Combo);
  EXPECT_EQ(Ui(form).StatusPanel->width(), f.Status);
  EXPECT_EQ(Ui(form).ActionLbl->width(), f.Action);
  EXPECT_EQ(Ui(form).ProgressBar1->width(), f.Progress);
  EXPECT_EQ(Ui(form).FileList->height(), f.ListHeight);
  EXPECT_EQ(Ui(form).RightPanel->width(), 321);
  EXPECT_EQ(Ui(form).TopLeftPanel->height(), 105);
  EXPECT_EQ(Ui(form).ToolBar1->geometry(), QRect(0, 0, f.Width - 8, 44));
  EXPECT_EQ(Ui(form).RightPanel->geometry().right(), f.Width - 8 - 1);
  EXPECT_EQ(Ui(form).BtnPanel->x(), Ui(form).TopLeftPanel->width() - 2 - 31);
}

INSTANTIATE_TEST_SUITE_P(Sizes, MainFormFigures,
                         ::testing::Values(TFigures{621, 495, 124, 243, 135, 305, 251, 295, 251},
                                           TFigures{1021, 495, 324, 643, 535, 705, 651, 695, 251},
                                           TFigures{1021, 700, 324, 643, 535, 705, 651, 695, 456},
                                           TFigures{640, 500, 133, 262, 154, 324, 270, 314, 256}));

TEST_F(MainFormLayout, WindowCannotBeMadeSmallerThanItsMinimum) {
  ResizeCounted(300, 200);
  EXPECT_EQ(Form->CountedBounds().size(), QSize(621, 495));
}

struct TEditCase {
  const char* Group;
  const char* Edit;  // nullptr: the group has no edit box
};

class MainFormEditEnabling : public MainFormLayout,
                             public ::testing::WithParamInterface<TEditCase> {};

TEST_P(MainFormEditEnabling, YesEnablesTheGroupsBoxAndNoDisablesItKeepingTheText) {
  auto* group = Form->findChild<TRadioGroup*>(GetParam().Group);
  ASSERT_NE(group, nullptr);
  const std::vector<QLineEdit*> edits = {Ui(*Form).Edit1, Ui(*Form).Edit3, Ui(*Form).Edit4};
  for (QLineEdit* edit : edits) edit->setText(QStringLiteral("kept"));
  group->Button(0)->click();
  for (QLineEdit* edit : edits)
    EXPECT_EQ(edit->isEnabled(), GetParam().Edit && edit->objectName() == GetParam().Edit);
  group->Button(1)->click();
  for (QLineEdit* edit : edits) {
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_EQ(edit->text(), QStringLiteral("kept"));
  }
}

INSTANTIATE_TEST_SUITE_P(Groups, MainFormEditEnabling,
                         ::testing::Values(TEditCase{"RadioGroup1", "Edit1"},
                                           TEditCase{"RadioGroup3", "Edit3"},
                                           TEditCase{"RadioGroup4", "Edit4"},
                                           TEditCase{"RadioGroup2", nullptr},
                                           TEditCase{"RadioGroup6", nullptr}));

TEST_F(MainFormLayout, ShowErrorMessagesClickedTwiceReturnsToItsState) {
  for (QAction* toggle : {Ui(*Form).ShowErrorMnu, Ui(*Form).WarnRenameMnu, Ui(*Form).HiddenMnu}) {
    const bool before = toggle->isChecked();
    toggle->trigger();
    EXPECT_NE(toggle->isChecked(), before);
    toggle->trigger();
    EXPECT_EQ(toggle->isChecked(), before);
  }
}

// Each command's visible work, seen from outside the window: run clicks the
// control once.
using TClick = std::function<void()>;

class MainFormBindings;

struct TBinding {
  const char* Control;
  void (MainFormBindings::*Check)(const TClick& run);
  const char* Ending = "";  // of the file opened
  int FolderOffers = 0;     // in all, the scan before the click included
};

class MainFormBindings : public MainFormLayout, public ::testing::WithParamInterface<TBinding> {
 public:
  void AsksToRename(const TClick& run) {
    ScanFiles({"a.txt"});
    run();
    ASSERT_EQ(Seam.Texts.size(), 1u);
    EXPECT_TRUE(Seam.Texts[0].startsWith(QStringLiteral("Really rename file(s)?")));
  }
  void Previews(const TClick& run) {
    ScanFiles({"a.txt", "b.txt"});
    run();
    EXPECT_EQ(NewNames(), (TNames{"1.txt", "2.txt"}));
  }
  void Opens(const TClick& run) {
    TOpenRecorder recorder;
    run();
    ASSERT_EQ(recorder.Urls.size(), 1u);
    EXPECT_TRUE(recorder.Urls[0].toLocalFile().endsWith(QLatin1String(GetParam().Ending)));
  }
  void RemovesSelected(const TClick& run) {
    ScanFiles({"a", "b"});
    Ui(*Form).FileList->selectAll();
    run();
    EXPECT_EQ(Form->FileListModel()->rowCount(), 0);
  }
  void ShowsAbout(const TClick& run) {
    QString caption;
    GuiTestUtil::OnNextModal([&caption](QWidget* dialog) {
      caption = dialog->windowTitle();
      qobject_cast<QDialog*>(dialog)->accept();
    });
    run();
    EXPECT_EQ(caption, QStringLiteral("About Morvane"));
  }
  void Closes(const TClick& run) {
    run();
    EXPECT_FALSE(Form->isVisible());
  }
  void ListsAgain(const TClick& run) {
    ScanFiles({"a"});
    TestUtil::WriteFileBytes(Files.File("b"), "b");
    run();
    EXPECT_EQ(Seam.FolderOffers, GetParam().FolderOffers);
    EXPECT_EQ(OldNames(), (TNames{"a", "b"}));
  }
  void ChoosesALanguage(const TClick& run) {
    run();
    EXPECT_EQ(Seam.LanguageOffers, 1);
  }
  void Toggles(const TClick& run) {
    auto* toggle = Form->findChild<QAction*>(GetParam().Control);
    const bool before = toggle->isChecked();
    run();
    EXPECT_NE(toggle->isChecked(), before);
  }
};

TEST_P(MainFormBindings, ClickingTheControlDoesItsCommand) {
  const char* name = GetParam().Control;
  auto* action = Form->findChild<QAction*>(name);
  auto* button = Form->findChild<QToolButton*>(name);
  ASSERT_TRUE(action || button) << name;
  (this->*GetParam().Check)([action, button]() {
    if (action) action->trigger();
    if (button) button->click();
  });
}

using B = MainFormBindings;
INSTANTIATE_TEST_SUITE_P(
    Controls, MainFormBindings,
    ::testing::Values(
        TBinding{"GoBTn", &B::AsksToRename}, TBinding{"RenameMnu", &B::AsksToRename},
        TBinding{"TestBtn", &B::Previews}, TBinding{"TestMnu", &B::Previews},
        TBinding{"ExploreBtn", &B::Opens, "/"}, TBinding{"ExploreMnu", &B::Opens, "/"},
        TBinding{"RemoveBtn", &B::RemovesSelected}, TBinding{"RemoveMnu", &B::RemovesSelected},
        TBinding{"AboutBtn", &B::ShowsAbout}, TBinding{"AboutMnu", &B::ShowsAbout},
        TBinding{"ExitBtn", &B::Closes}, TBinding{"ExitMnu", &B::Closes},
        TBinding{"BrowseMnu", &B::ListsAgain, "", 2},
        TBinding{"BrowseDirEdit", &B::ListsAgain, "", 2},
        TBinding{"RefreshBtn", &B::ListsAgain, "", 1}, TBinding{"Language", &B::ChoosesALanguage},
        TBinding{"ShowErrorMnu", &B::Toggles}, TBinding{"WarnRenameMnu", &B::Toggles},
        TBinding{"HiddenMnu", &B::Toggles}, TBinding{"ContentsMnu", &B::Opens, "/help.chm"}),
    [](const auto& info) { return std::string(info.param.Control); });

TEST_F(MainFormLayout, FilterTextAndRadioChoicesRunTheirHandlers) {
  Ui(*Form).FilterCmb->setEditText(QStringLiteral("txt"));
  ASSERT_EQ(Ui(*Form).HidFilterList->count(), 1);
  EXPECT_EQ(Ui(*Form).HidFilterList->item(0)->text(), QStringLiteral(".txt"));
  Ui(*Form).RadioGroup1->SetItemIndex(0);
  EXPECT_TRUE(Ui(*Form).Edit1->isEnabled());
  Ui(*Form).Edit1->setEnabled(false);
  Ui(*Form).RadioGroup1->SetItemIndex(0);  // the same choice again: no click
  EXPECT_FALSE(Ui(*Form).Edit1->isEnabled());
  EXPECT_TRUE(Form->isVisible());
}

TEST_F(MainFormLayout, FileRenameAndToolbarRenameAskTheSameQuestion) {
  ScanFiles({"a.txt"});
  Ui(*Form).RenameMnu->trigger();
  Ui(*Form).GoBTn->click();
  ASSERT_EQ(Seam.Texts.size(), 2u);
  EXPECT_EQ(Seam.Texts[0], Seam.Texts[1]);
  EXPECT_TRUE(Seam.Texts[0].startsWith(QStringLiteral("Really rename file(s)?")));
  EXPECT_EQ(FileNames(), TNames{"a.txt"});
}

TEST_F(MainFormLayout, RenameOnAnEmptyListAsksNothing) {
  Ui(*Form).GoBTn->click();
  EXPECT_TRUE(Seam.Texts.empty());
  EXPECT_EQ(Ui(*Form).ActionLbl->text(), QStringLiteral("Idle..."));
}

TEST_F(MainFormLayout, TestPreviewsWithTheActivePage) {
  ScanFiles({"b.txt", "a.txt"});
  Ui(*Form).TestBtn->click();
  ASSERT_EQ(NewNames(), (TNames{"1.txt", "2.txt"}));
  SetReplace("TXT", "doc");
  Ui(*Form).TestMnu->trigger();
  EXPECT_EQ(NewNames()[0], "a.doc");
}

TEST_F(MainFormLayout, EnterInTheFilterParsesWithoutScanningOrAddingItems) {
  ScanFiles({"a.txt", "b.bmp"});
  Ui(*Form).FilterCmb->lineEdit()->setText(QStringLiteral("bmp;;txt"));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(Ui(*Form).FilterCmb->lineEdit(), &enter);
  QStringList entries;
  for (int i = 0; i < Ui(*Form).HidFilterList->count(); ++i)
    entries << Ui(*Form).HidFilterList->item(i)->text();
  EXPECT_EQ(entries, QStringList({".bmp", ".", ".txt"}));
  EXPECT_EQ(Ui(*Form).FilterCmb->count(), 4);
  EXPECT_EQ(Form->FileListModel()->rowCount(), 2);
  Ui(*Form).RefreshBtn->click();
  EXPECT_EQ(Form->FileListModel()->rowCount(), 2);
  Ui(*Form).FilterCmb->setCurrentIndex(1);
  Ui(*Form).RefreshBtn->click();
  EXPECT_EQ(Form->FileListModel()->rowCount(), 1);
}

TEST_F(MainFormLayout, RemoveTakesTheSelectedRowsOut) {
  ScanFiles({"a", "b", "c", "d"});
  SelectRows({1, 2});
  Ui(*Form).RemoveMnu->trigger();
  EXPECT_EQ(OldNames(), (TNames{"a", "d"}));
}

TEST_F(MainFormLayout, DirectoryBytesSurviveTheEditBox) {
  const std::string odd = Files.File("caf\xE9");  // not valid UTF-8
  ::mkdir(odd.c_str(), 0755);
  TestUtil::WriteFileBytes(odd + "/x.txt", "x");
  Seam.Folder = odd;
  Ui(*Form).BrowseDirEdit->click();
  EXPECT_EQ(Form->DirectoryBytes(), odd);
  ASSERT_EQ(Form->FileListModel()->rowCount(), 1);
}

TEST_F(MainFormLayout, ExploreAndContentsOpenTheFolderAndTheHelpFile) {
  TOpenRecorder recorder;
  Ui(*Form).ExploreMnu->trigger();
  Ui(*Form).ContentsMnu->trigger();
  ASSERT_EQ(recorder.Urls.size(), 2u);
  EXPECT_EQ(recorder.Urls[0].toLocalFile(), QStringLiteral("/"));
  EXPECT_TRUE(recorder.Urls[1].toLocalFile().endsWith(QStringLiteral("/help.chm")));
  EXPECT_EQ(Ui(*Form).ContentsMnu->shortcut(), QKeySequence(Qt::Key_F1));
  EXPECT_TRUE(Form->actions().contains(Ui(*Form).ContentsMnu));
}

TEST_F(MainFormLayout, ListStaysResponsiveWithAHundredThousandRows) {
  FileList::TFileItems items(100000);
  for (std::size_t i = 0; i < items.size(); ++i) items[i].OldName = "file" + std::to_string(i);
  QElapsedTimer clock;
  clock.start();
  Form->FileListModel()->SetItems(std::move(items));
  QApplication::processEvents();
  Ui(*Form).TestBtn->click();
  QApplication::processEvents();
  Ui(*Form).FileList->selectAll();
  Ui(*Form).RemoveBtn->click();
  QApplication::processEvents();
  EXPECT_EQ(Form->FileListModel()->rowCount(), 0);
  EXPECT_LT(clock.elapsed(), 10000);
  RecordProperty("milliseconds", static_cast<int>(clock.elapsed()));
}

// Saves pictures of the window when MORVANE_SCREENSHOT_DIR names a folder.
TEST_F(MainFormLayout, Screenshots) {
  const char* folder = std::getenv("MORVANE_SCREENSHOT_DIR");
  if (!folder) GTEST_SKIP() << "MORVANE_SCREENSHOT_DIR not set";
  ScanFiles({"holiday.jpg", "beach.jpg", "notes.txt"});
  Ui(*Form).TestBtn->click();
  ResizeCounted(621, 495);
  EXPECT_TRUE(Form->grab().save(QString::fromLocal8Bit(folder) + "/screenshot-min.png"));
  ResizeCounted(1021, 700);
  EXPECT_TRUE(Form->grab().save(QString::fromLocal8Bit(folder) + "/screenshot-wide.png"));
  ResizeCounted(621, 495);
  Form->SetActivePageIndex(1);
  EXPECT_TRUE(Form->grab().save(QString::fromLocal8Bit(folder) + "/screenshot-replace.png"));
}

}  // namespace
