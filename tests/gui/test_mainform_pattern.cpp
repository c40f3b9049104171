// The Pattern page, regular expressions on the Replace page, the untangled
// run and named presets, end to end through the window.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include "core/envguard.h"
#include "gui/mainformfixture.h"

namespace {

class MainFormPattern : public TMainFormFixture {
 protected:
  void SetUp() override {
    TMainFormFixture::SetUp();
    StartWithLanguageEntry();
    Ui(*Form).WarnRenameMnu->trigger();  // no question before each run
  }
  void InsertField(const QString& field) {
    for (QAction* action : Ui(*Form).FieldBtn->menu()->actions())
      if (action->text() == field) action->trigger();
  }
};

// A template typed and completed from the field menu, numbered from 100 in
// steps of 10, padded by the page's width.
TEST_F(MainFormPattern, PatternPageRenamesTheFolder) {
  ScanFiles({"b.txt", "a.jpg", "c"});
  Form->SetActivePageIndex(2);
  auto& ui = Ui(*Form);
  ui.PatternEdit->setText(QStringLiteral("photo-"));
  InsertField(QStringLiteral("{n}"));
  InsertField(QStringLiteral("{ext}"));
  ui.StartEdit->setText(QStringLiteral("100"));
  ui.StepEdit->setText(QStringLiteral("10"));
  ui.WidthEdit->setText(QStringLiteral("4"));
  ui.TestMnu->trigger();
  const TNames planned{"photo-0100.jpg", "photo-0110.txt", "photo-0120"};
  EXPECT_EQ(NewNames(), planned);
  ui.GoBTn->click();
  EXPECT_EQ(FileNames(), planned);
}

TEST_F(MainFormPattern, ReplacePageTakesRegularExpressions) {
  ScanFiles({"IMG_12.jpg", "IMG_7_IMG_8.jpg"});
  SetReplace("IMG_(\\d+)", "photo-$1");
  Ui(*Form).RegexChk->setChecked(true);
  Ui(*Form).AllChk->setChecked(true);
  Ui(*Form).GoBTn->click();
  EXPECT_EQ(FileNames(), (TNames{"photo-12.jpg", "photo-7_photo-8.jpg"}));
}

// Two files numbered in inverse order swap names: only the untangled run
// can make that swap.
TEST_F(MainFormPattern, UntangledRunSwapsTwoFiles) {
  ScanFiles({"1", "2"});
  Ui(*Form).SortCmb->setCurrentIndex(2);  // name, inverse
  Ui(*Form).RefreshBtn->click();
  Ui(*Form).UntangleMnu->trigger();
  Ui(*Form).GoBTn->click();
  EXPECT_EQ(FileNames(), (TNames{"1", "2"}));
  EXPECT_EQ(TestUtil::ReadFileBytes(Files.File("1")), "2");
  EXPECT_EQ(TestUtil::ReadFileBytes(Files.File("2")), "1");
}

TEST_F(MainFormPattern, PresetsKeepTheChoicesByName) {
  const TestUtil::TTempDir config;
  const TestUtil::TEnvGuard home("XDG_CONFIG_HOME", config.Path());
  auto& ui = Ui(*Form);
  ui.LoadPresetMnu->trigger();  // none saved yet: a box says so
  ASSERT_FALSE(Seam.Texts.empty());
  EXPECT_EQ(Seam.Texts.back(), QStringLiteral("No choices have been saved yet."));
  Form->SetActivePageIndex(2);
  ui.PatternEdit->setText(QStringLiteral("{n:2}{ext}"));
  ui.SortCmb->setCurrentIndex(4);
  ui.UntangleMnu->trigger();
  Seam.TextAnswer = QStringLiteral("album");
  ui.SavePresetMnu->trigger();
  Form->SetActivePageIndex(0);
  ui.PatternEdit->clear();
  ui.SortCmb->setCurrentIndex(0);
  ui.UntangleMnu->trigger();
  ui.LoadPresetMnu->trigger();
  EXPECT_EQ(Seam.Offered, QStringList{QStringLiteral("album")});
  EXPECT_EQ(Form->ActivePageIndex(), 2);
  EXPECT_EQ(ui.PatternEdit->text(), QStringLiteral("{n:2}{ext}"));
  EXPECT_EQ(ui.SortCmb->currentIndex(), 4);
  EXPECT_TRUE(ui.UntangleMnu->isChecked());
}

}  // namespace
