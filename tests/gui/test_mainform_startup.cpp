// Start-up, settings and language files of the main window.
#include <cerrno>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include "app/qt/mainform_radiogroup.h"
#include "core/windowtexts.h"
#include "filelist/qt/filelistmodel.h"
#include "gui/mainformfixture.h"
#include "platform/filesystem.h"
#include "platform/qt/desktop.h"

namespace {

// Refuses to write files whose path ends in Suffix.
class TReadOnlyFiles : public Platform::TFileSystem {
 public:
  explicit TReadOnlyFiles(std::string suffix) : FSuffix(std::move(suffix)) {}
  int ReplaceFile(const std::string& path, const std::string& data) override {
    if (path.size() >= FSuffix.size() && path.ends_with(FSuffix)) return EACCES;
    return TFileSystem::ReplaceFile(path, data);
  }

 private:
  std::string FSuffix;
};

using MainFormStartUp = TMainFormFixture;

QStringList ItemsOf(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

TEST_F(MainFormStartUp, FirstStartOffersTheChooserBeforeShowingAndStartsWithDefaults) {
  TMainForm& form = StartShown();
  EXPECT_EQ(Seam.LanguageOffers, 1);
  EXPECT_FALSE(Seam.OfferedWhileShown);
  EXPECT_EQ(Seam.OfferedDir.toStdString(), Dir.Path() + "/");
  const QSize screen = Platform::PrimaryScreenSize();
  const QRect bounds = form.CountedBounds();
  EXPECT_EQ(bounds.size(), QSize(621, 495));
  EXPECT_EQ(form.geometry().size(), QSize(613, 468));
  EXPECT_EQ(bounds.topLeft(), QPoint(std::max(0, (screen.width() - 621) / 2),
                                     std::max(0, (screen.height() - 495) / 2)));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Morvane"));
  EXPECT_TRUE(Ui(form).ShowErrorMnu->isChecked());
  EXPECT_TRUE(Ui(form).WarnRenameMnu->isChecked());
  EXPECT_EQ(form.ActivePageIndex(), 0);
  EXPECT_EQ(Ui(form).FilterCmb->currentText(), QStringLiteral("*"));
  ASSERT_EQ(Ui(form).HidFilterList->count(), 1);
  EXPECT_EQ(Ui(form).HidFilterList->item(0)->text(), QStringLiteral(".*"));
  EXPECT_EQ(
      ItemsOf(Ui(form).SortCmb),
      QStringList({"Alphabetical", "Date/Time", "Alphabetical (inverse)", "Date/Time (inverse)",
                   "Natural", "Natural (inverse)", "Date taken", "Date taken (inverse)"}));
  EXPECT_EQ(Ui(form).SortCmb->currentIndex(), 0);
  EXPECT_EQ(form.FileListModel()->rowCount(), 0);
  EXPECT_EQ(Ui(form).ActionLbl->text(), QStringLiteral("Idle..."));
  EXPECT_EQ(Ui(form).DirEdit->text(), QStringLiteral("/"));
  EXPECT_EQ(Ui(form).RadioGroup2->ItemIndex(), 1);
  EXPECT_FALSE(Ui(form).Edit1->isEnabled());
}

struct TBoundsCase {
  const char* Stored;
  QSize Expected;
};

class MainFormBounds : public MainFormStartUp, public ::testing::WithParamInterface<TBoundsCase> {};

TEST_P(MainFormBounds, StoredSizeIsKeptAboveTheMinimumAndTheWindowIsCentred) {
  WriteSettings(LanguageEntry() + "\r\n[form]\r\n" + GetParam().Stored + "\r\n");
  TMainForm& form = StartShown();
  EXPECT_EQ(Seam.LanguageOffers, 0);
  const QRect bounds = form.CountedBounds();
  EXPECT_EQ(bounds.size(), GetParam().Expected);
  const QSize screen = Platform::PrimaryScreenSize();
  EXPECT_EQ(bounds.left(), std::max(0, (screen.width() - bounds.width()) / 2));
  EXPECT_EQ(bounds.top(), std::max(0, (screen.height() - bounds.height()) / 2));
}

INSTANTIATE_TEST_SUITE_P(Sizes, MainFormBounds,
                         ::testing::Values(TBoundsCase{"w=300\r\nh=200", {621, 495}},
                                           TBoundsCase{"t=0\r\nl=0\r\nw=700\r\nh=520", {700, 520}},
                                           TBoundsCase{"w=-5\r\nh=abc", {621, 495}},
                                           TBoundsCase{"w=5000\r\nh=4000", {5000, 4000}},
                                           // Hostile figures: held at what a screen holds.
                                           TBoundsCase{"h=2147483647", {621, 8192}},
                                           TBoundsCase{"w=2147483647", {8192, 495}},
                                           TBoundsCase{"h=16777215", {621, 8192}},
                                           TBoundsCase{"l=2147483647\r\nt=-2147483648", {621, 495}},
                                           TBoundsCase{"l=-2147483648\r\nt=2147483647\r\n"
                                                       "w=-2147483648\r\nh=-2147483648",
                                                       {621, 495}}));

struct TOptionCase {
  const char* Stored;
  bool ShowErrors;
  bool WarnRename;
  int Page;
  const char* Written;  // what the next close stores for the options
};

class MainFormOptions : public MainFormStartUp,
                        public ::testing::WithParamInterface<TOptionCase> {};

TEST_P(MainFormOptions, OptionsAreReadAndWrittenBack) {
  WriteSettings(LanguageEntry() + "\r\n[option]\r\n" + GetParam().Stored + "\r\n");
  TMainForm& form = StartShown();
  EXPECT_EQ(Ui(form).ShowErrorMnu->isChecked(), GetParam().ShowErrors);
  EXPECT_EQ(Ui(form).WarnRenameMnu->isChecked(), GetParam().WarnRename);
  EXPECT_EQ(form.ActivePageIndex(), GetParam().Page);
  EXPECT_TRUE(form.close());
  EXPECT_NE(Settings().find(GetParam().Written), std::string::npos) << Settings();
}

INSTANTIATE_TEST_SUITE_P(
    Values, MainFormOptions,
    ::testing::Values(TOptionCase{"activepage=1", true, true, 1, "activepage=1\r\n"},
                      TOptionCase{"activepage=5", true, true, -1, "activepage=-1\r\n"},
                      TOptionCase{"activepage=-1", true, true, -1, "activepage=-1\r\n"},
                      TOptionCase{"activepage=x", true, true, 0, "activepage=0\r\n"},
                      TOptionCase{"showerrors=yes", true, true, 0, "showerrors=1\r\n"},
                      TOptionCase{"showerrors=0\r\nwarnrename=0", false, false, 0,
                                  "showerrors=0\r\nwarnrename=0\r\n"}));

TEST_F(MainFormStartUp, ClickingATabEndsTheStateWithoutActivePage) {
  WriteSettings(LanguageEntry() + "\r\n[option]\r\nactivepage=7\r\n");
  TMainForm& form = StartShown();
  ASSERT_EQ(form.ActivePageIndex(), -1);
  // The Replace page is in use for names while no page is active.
  EXPECT_EQ(form.PreviewOptions().Page, Rename::TPage::Replace);
  emit Ui(form).PageControl1->tabBarClicked(0);
  EXPECT_EQ(form.ActivePageIndex(), 0);
  EXPECT_TRUE(Ui(form).TabSheet1->isVisible());
}

TEST_F(MainFormStartUp, SettingsFileHoldsItsSectionsAndKeysInOrderAfterARun) {
  TMainForm& form = StartShown();
  ASSERT_TRUE(form.close());
  const QRect b = form.CountedBounds();
  const std::string expected =
      "[Language]\r\nMainForm=" + Dir.File("Language.lng") +
      "\r\n[form]\r\nt=" + std::to_string(b.top()) + "\r\nl=" + std::to_string(b.left()) +
      "\r\nw=621\r\nh=495\r\n[option]\r\nshowerrors=1\r\nwarnrename=1\r\nactivepage=0\r\n"
      "showhidden=0\r\nuntangle=0\r\n";
  EXPECT_EQ(Settings(), expected);
}

TEST_F(MainFormStartUp, UnwritableSettingsAtCloseShowTheErrorAndKeepTheWindowOpen) {
  TMainForm& form = StartShown();
  TReadOnlyFiles readOnly("morvane.ini");
  Platform::SetFileSystem(&readOnly);
  for (int attempt = 1; attempt <= 2; ++attempt) {
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(Seam.Texts.size(), static_cast<std::size_t>(attempt));
    EXPECT_EQ(Seam.Texts.back().toStdString(), "Unable to write to " + Paths().SettingsFile + ".");
    EXPECT_EQ(Seam.Captions.back(), QStringLiteral("Morvane"));
    EXPECT_EQ(Seam.Icons.back(), QMessageBox::Critical);
  }
}

TEST_F(MainFormStartUp, UnwritableLanguageFileEndsStartUpBeforeTheWindowIsShown) {
  TReadOnlyFiles readOnly("Language.lng");
  Platform::SetFileSystem(&readOnly);
  EXPECT_EQ(RunApplication(Paths()), 0);
  ASSERT_EQ(Seam.Texts.size(), 1u);
  EXPECT_EQ(Seam.Texts[0].toStdString(), "Unable to write to " + Dir.File("Language.lng") + ".");
  for (QWidget* widget : QApplication::topLevelWidgets())
    EXPECT_FALSE(widget->objectName() == "MainForm" && widget->isVisible());
}

TEST_F(MainFormStartUp, RunApplicationShowsTheWindowAndReturnsZeroAfterExit) {
  WriteSettings(LanguageEntry() + "\r\n");
  bool shown = false;
  QTimer::singleShot(0, [&shown]() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* form = qobject_cast<TMainForm*>(widget); form && form->isVisible()) {
        shown = true;
        Ui(*form).ExitBtn->click();
      }
    }
  });
  EXPECT_EQ(RunApplication(Paths()), 0);
  EXPECT_TRUE(shown);
  EXPECT_NE(Settings().find("[option]"), std::string::npos);
}

TEST_F(MainFormStartUp, DefaultLanguageFileHoldsTheWindowTextsByteForByte) {
  Start();
  std::string expected = "[Translations]\r\n";
  for (const auto& [key, value] : TestUtil::DefaultLanguageTexts())
    expected += key + "=" + value + "\r\n";
  EXPECT_EQ(TestUtil::DefaultLanguageTexts().size(), 115u);
  EXPECT_EQ(TestUtil::ReadFileBytes(Dir.File("Language.lng")), expected);
  // A second start writes the same file again.
  Form.reset();
  Start();
  EXPECT_EQ(TestUtil::ReadFileBytes(Dir.File("Language.lng")), expected);
}

TEST_F(MainFormStartUp, RunTimeTextsAreReadBackWithoutTheirOuterBlanks) {
  TMainForm& form = Start();
  EXPECT_EQ(Ui(form).RenLbl->text(), QStringLiteral("Renaming files..."));
  EXPECT_EQ(
      Ui(form).CantRenLbl->text(),
      QStringLiteral("Cannot rename %s to %s!\r\n\r\nN.B. This warn can be disabled in options"));
}

TEST_F(MainFormStartUp, CancelledFirstChooserStoresAndAppliesTheDefaultFile) {
  Start();
  EXPECT_EQ(Seam.LanguageOffers, 1);
  EXPECT_NE(Settings().find("MainForm=" + Dir.File("Language.lng")), std::string::npos);
  Form.reset();
  Start();
  EXPECT_EQ(Seam.LanguageOffers, 1);
}

TEST_F(MainFormStartUp, ConfirmedFirstChooserAppliesAndStoresTheChosenFile) {
  OfferLanguage("de.lng",
                "MainForm.GoBTn.Caption=Umbenennen\r\nMainForm.AlphaLbl.Caption=Alphabetisch\r\n");
  TMainForm& form = Start();
  EXPECT_EQ(Ui(form).GoBTn->text(), QStringLiteral("Umbenennen"));
  EXPECT_EQ(Ui(form).SortCmb->itemText(2), QStringLiteral("Alphabetisch (inverse)"));
  EXPECT_NE(Settings().find("MainForm=" + Dir.File("de.lng")), std::string::npos);
}

TEST_F(MainFormStartUp, EmptyLanguageEntryOffersTheChooserAtEveryStart) {
  WriteSettings("[Language]\r\nMainForm=\r\n");
  Start();
  Form.reset();
  Start();
  EXPECT_EQ(Seam.LanguageOffers, 2);
  EXPECT_NE(Settings().find("MainForm=\r\n"), std::string::npos) << Settings();
}

TEST_F(MainFormStartUp, ChosenFileSettingYesChangesThreeGroupsAtOnce) {
  TMainForm& form = StartWithLanguageEntry();
  ChooseLanguage("yes.lng", "MainForm.YesLbl.Caption=Ja\r\n");
  for (TRadioGroup* group : {Ui(form).RadioGroup1, Ui(form).RadioGroup3, Ui(form).RadioGroup4})
    EXPECT_EQ(group->Items(), QStringList({"Ja", "No"}));
  EXPECT_EQ(Ui(form).RadioGroup2->Items()[0], QStringLiteral("Original Name"));
  // The sort choices keep the texts of the start.
  EXPECT_EQ(Ui(form).SortCmb->itemText(0), QStringLiteral("Alphabetical"));
}

TEST_F(MainFormStartUp, CancelledLanguageChoiceStillResetsTheGroups) {
  TMainForm& form = StartWithLanguageEntry();
  for (TRadioGroup* group : {Ui(form).RadioGroup1, Ui(form).RadioGroup3, Ui(form).RadioGroup4})
    group->SetItemIndex(0);
  Ui(form).RadioGroup2->SetItemIndex(2);
  Ui(form).RadioGroup6->SetItemIndex(1);
  Ui(form).Edit1->setText(QStringLiteral("img_"));
  Ui(form).Language->trigger();
  EXPECT_EQ(Seam.LanguageOffers, 1);
  EXPECT_EQ(Ui(form).RadioGroup1->ItemIndex(), 1);
  EXPECT_EQ(Ui(form).RadioGroup2->ItemIndex(), 1);
  EXPECT_EQ(Ui(form).RadioGroup6->ItemIndex(), 0);
  for (QLineEdit* edit : {Ui(form).Edit1, Ui(form).Edit3, Ui(form).Edit4})
    EXPECT_FALSE(edit->isEnabled());
  EXPECT_EQ(Ui(form).Edit1->text(), QStringLiteral("img_"));
}

TEST_F(MainFormStartUp, LanguageFileSettingTheDirectoryChangesItsTextWithoutAScan) {
  TMainForm& form = StartWithLanguageEntry();
  ScanFiles({"a.txt"});
  ASSERT_EQ(form.FileListModel()->rowCount(), 1);
  ChooseLanguage("dir.lng", "MainForm.DirEdit.Text=/elsewhere\r\n");
  EXPECT_EQ(Ui(form).DirEdit->text(), QStringLiteral("/elsewhere"));
  EXPECT_EQ(form.DirectoryBytes(), "/elsewhere");
  EXPECT_EQ(form.FileListModel()->rowCount(), 1);
}

TEST_F(MainFormStartUp, ErrorEscapingTheLanguageCommandIsShownAndEndsTheCommand) {
  TMainForm& form = StartWithLanguageEntry();
  OfferLanguage("yes.lng", "MainForm.YesLbl.Caption=Ja\r\n");
  Ui(form).RadioGroup1->SetItemIndex(0);
  TReadOnlyFiles readOnly("morvane.ini");
  Platform::SetFileSystem(&readOnly);
  Ui(form).Language->trigger();
  ASSERT_EQ(Seam.Texts.size(), 1u);
  EXPECT_EQ(Seam.Texts[0].toStdString(), "Unable to write to " + Paths().SettingsFile + ".");
  // Neither the chosen file nor the reset of the groups took place.
  EXPECT_EQ(Ui(form).YesLbl->text(), QStringLiteral("Yes"));
  EXPECT_EQ(Ui(form).RadioGroup1->ItemIndex(), 0);
  EXPECT_TRUE(form.isVisible());
}

TEST_F(MainFormStartUp, MenuBarCaptionsCarryAccessKeysAndDropDownsGetThemWhenOpened) {
  TMainForm& form = Start();
  EXPECT_EQ(Ui(form).Options1->title(), QStringLiteral("&Options"));
  EXPECT_EQ(Ui(form).ShowErrorMnu->text(), QStringLiteral("Show error messages"));
  emit Ui(form).Options1->aboutToShow();
  EXPECT_EQ(Ui(form).Language->text(), QStringLiteral("&Select Language"));
  EXPECT_EQ(Ui(form).ShowErrorMnu->text(), QStringLiteral("S&how error messages"));
  EXPECT_EQ(Ui(form).ExploreMnu->text(), QStringLiteral("&Explore folder"));
}

}  // namespace
