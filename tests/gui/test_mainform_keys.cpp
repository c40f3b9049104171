// The keyboard in the main window and what it shows after a scan: radio groups
// as one Tab stop, Delete in the file list, a rescanned list shown from its
// top, and a tab bar that marks no tab while no page is shown.

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include "app/accesskeys.h"
#include "app/qt/mainform_radiogroup.h"
#include "gui/mainformfixture.h"

namespace {

class MainFormKeys : public TMainFormFixture {
 protected:
  void SetUp() override {
    TMainFormFixture::SetUp();
    Seam.Answer = QMessageBox::Ok;  // confirms a rename
    StartWithLanguageEntry();
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  }
  void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, mods);
  }
};

TEST_F(MainFormKeys, TabEntersARadioGroupAtItsChoiceAndArrowsMoveIt) {
  TRadioGroup* prefix = Ui(*Form).RadioGroup1;
  QLineEdit* edit1 = Ui(*Form).Edit1;
  Ui(*Form).PageControl1->setFocus();
  Press(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), prefix->Button(1));  // "No", the choice
  Press(Qt::Key_Up);
  EXPECT_EQ(prefix->ItemIndex(), 0);
  EXPECT_EQ(QApplication::focusWidget(), prefix->Button(0));
  EXPECT_TRUE(edit1->isEnabled());
  Press(Qt::Key_Tab);  // one stop per group: on to the edit box
  EXPECT_EQ(QApplication::focusWidget(), edit1);
  Press(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Ui(*Form).RadioGroup3->Button(1));
  Press(Qt::Key_Backtab, Qt::ShiftModifier);
  Press(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), prefix->Button(0));
  Press(Qt::Key_Down);
  EXPECT_EQ(prefix->ItemIndex(), 1);
  EXPECT_FALSE(edit1->isEnabled());
  // Three items; a group without a choice is entered at its first item.
  TRadioGroup* name = Ui(*Form).RadioGroup2;
  name->Button(1)->setFocus();
  Press(Qt::Key_Down);
  EXPECT_EQ(name->ItemIndex(), 2);
  name->SetItemIndex(-1);
  Ui(*Form).RadioGroup4->Button(1)->setFocus();
  Press(Qt::Key_Tab);  // past the disabled Edit4
  EXPECT_EQ(QApplication::focusWidget(), name->Button(0));
}

TEST_F(MainFormKeys, DeleteInTheListRemovesTheSelectedRowsOnly) {
  ScanFiles({"a.txt", "b.txt", "c.txt", "d.txt"});
  SelectRows({1, 2});
  Ui(*Form).FileList->setFocus();
  Press(Qt::Key_Delete, Qt::ShiftModifier);  // not the plain key: nothing
  EXPECT_EQ(OldNames().size(), 4u);
  Ui(*Form).Edit5->setFocus();
  Press(Qt::Key_Delete);  // in an edit box it edits
  EXPECT_EQ(OldNames().size(), 4u);
  Ui(*Form).FileList->setFocus();
  Press(Qt::Key_Delete);
  EXPECT_EQ(OldNames(), (TNames{"a.txt", "d.txt"}));
  EXPECT_EQ(FileNames().size(), 4u);  // no file touched
  Press(Qt::Key_Delete);              // nothing selected: nothing removed
  EXPECT_EQ(OldNames().size(), 2u);
}

TEST_F(MainFormKeys, EveryScanShowsTheListFromItsTop) {
  std::vector<std::string> names;
  for (int i = 0; i < 120; ++i) names.push_back("f" + std::to_string(1000 + i) + ".txt");
  ScanFiles(names);
  QScrollBar* bar = Ui(*Form).FileList->verticalScrollBar();
  auto scrollDown = [&]() {
    QApplication::processEvents();
    bar->setValue(bar->maximum());
    EXPECT_GT(bar->value(), 0);
  };
  scrollDown();
  Ui(*Form).RefreshBtn->click();
  EXPECT_EQ(bar->value(), 0);
  scrollDown();  // the rename run's closing scan
  Ui(*Form).RadioGroup1->SetItemIndex(0);
  Ui(*Form).Edit1->setText(QStringLiteral("p_"));
  Ui(*Form).GoBTn->click();
  ASSERT_EQ(OldNames().front(), "p_1.txt");  // renamed and scanned again
  EXPECT_EQ(bar->value(), 0);
}

// Rows of a tab, clear of its edges and of the neighbours' overlap.
QImage TabInside(QTabBar* bar, int tab) {
  return bar->grab().toImage().copy(bar->tabRect(tab).adjusted(5, 0, -5, 0));
}

TEST_F(MainFormKeys, TabBarMarksNoTabWhileNoPageIsShown) {
  for (const char* style : {"", "Windows"}) {
    SCOPED_TRACE(style);
    const GuiTestUtil::TStyleScope scope(style);
    Form.reset();
    WriteSettings(LanguageEntry() + "\r\n[option]\r\nactivepage=5\r\n");
    StartShown();
    auto* bar = Ui(*Form).PageControl1->findChild<QTabBar*>();
    ASSERT_EQ(Form->ActivePageIndex(), -1);
    const QImage none0 = TabInside(bar, 0), none1 = TabInside(bar, 1);
    Form->SetActivePageIndex(0);
    const QImage chosen0 = TabInside(bar, 0), other1 = TabInside(bar, 1);
    Form->SetActivePageIndex(1);
    const QImage other0 = TabInside(bar, 0);
    EXPECT_NE(none0, chosen0);  // "Rename" no longer looks chosen
    EXPECT_EQ(none0, other0);
    EXPECT_EQ(none1, other1);
  }
}

// Undo Rename takes a key of its own and leaves every other File entry the key
// it had without it, in English and in German.
TEST_F(MainFormKeys, UndoRenameLeavesTheOtherFileKeysAsTheyWere) {
  for (const char* file : {"", MORVANE_SOURCE_DIR "/lang/German.lng"}) {
    Seam.LanguageFile = QString::fromUtf8(file);
    if (*file) Ui(*Form).Language->trigger();
    auto entries = [this](bool marks) {
      std::vector<std::string> texts;
      for (QAction* entry : Ui(*Form).File1->actions())
        if (entry != Ui(*Form).UndoMnu)
          texts.push_back(entry->isSeparator() ? "-"
                          : marks              ? entry->text().toStdString()
                                               : entry->text().remove('&').toStdString());
      return texts;
    };
    std::vector<std::string> before = entries(false);
    before = App::AssignAccessKeys(before, std::vector<bool>(before.size(), false), false);
    emit Ui(*Form).File1->aboutToShow();
    EXPECT_EQ(entries(true), before) << file;
    EXPECT_TRUE(Ui(*Form).UndoMnu->text().contains('&')) << Ui(*Form).UndoMnu->text().toStdString();
  }
}

}  // namespace
