// The Rename command of the main window with its real message boxes.
#include <memory>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/qt/mainform.h"
#include "app/qt/mainform_radiogroup.h"
#include "core/testutil.h"
#include "filelist/qt/filelistmodel.h"
#include "gui/guitestutil.h"
#include "gui/mainformfixture.h"

namespace {

// What a message box showed and what the window showed meanwhile.
struct TSeenBox {
  QString Text;
  QString Title;
  QString Status;
  bool WindowEnabled = true;
  int Lines = 0;  // lines of text in the box
};

// How many lines the box's text takes.
int LinesOf(const QMessageBox& box) {
  const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  if (!label) return 0;
  return qRound(static_cast<double>(label->sizeHint().height()) /
                label->fontMetrics().lineSpacing());
}

// Real message boxes; only the folder chooser is answered.
class MainFormRename : public TMainFormFixture {
 protected:
  void SetUp() override {
    TMainFormFixture::SetUp();
    Seam.RealMessageBoxes = true;
    StartWithLanguageEntry();
  }
  // Answers the next message box with button, noting what it showed.
  void Answer(QMessageBox::StandardButton button, std::vector<TSeenBox>& seen,
              std::function<void()> then = {}) {
    GuiTestUtil::OnNextModal([this, button, &seen, then](QWidget* dialog) {
      auto* box = qobject_cast<QMessageBox*>(dialog);
      ASSERT_NE(box, nullptr);
      seen.push_back({box->text(), box->windowTitle(), Form->ActionLbl->text(), Form->isEnabled(),
                      LinesOf(*box)});
      ASSERT_NE(box->button(button), nullptr);
      box->button(button)->click();
      if (then) then();
    });
  }
};

TEST_F(MainFormRename, ConfirmedRunReportsAFailureAndRescans) {
  ScanFiles({"1a", "2a", "2b"});
  Form->SetActivePageIndex(1);
  Form->Edit5->setText(QStringLiteral("a"));
  Form->Edit6->setText(QStringLiteral("b"));
  std::vector<TSeenBox> seen;
  Answer(QMessageBox::Ok, seen, [this, &seen]() { Answer(QMessageBox::Ignore, seen); });
  Form->GoBTn->click();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_TRUE(seen[0].Text.startsWith(QStringLiteral("Really rename file(s)?")));
  EXPECT_EQ(seen[0].Title, QStringLiteral("Morvane"));
  const QString failure =
      QString::fromStdString("Cannot rename " + Files.File("2a") + " to " + Files.File("2b") + "!");
  EXPECT_TRUE(seen[1].Text.startsWith(failure)) << seen[1].Text.toStdString();
  // The caption read from the language file lost its blank: one blank only.
  EXPECT_EQ(seen[1].Status, QStringLiteral("Renaming files... 0%"));
  EXPECT_FALSE(seen[1].WindowEnabled);
  EXPECT_TRUE(Form->isEnabled());
  EXPECT_FALSE(Form->ShowErrorMnu->isChecked());
  EXPECT_EQ(Form->ActionLbl->text(), QStringLiteral(" Ok! "));
  EXPECT_EQ(Form->ProgressBar1->value(), 100);
  EXPECT_EQ(TestUtil::ListNames(Files.Path()), (std::vector<std::string>{"1b", "2a", "2b"}));
  // The list shows the folder anew, with no new names.
  ASSERT_EQ(Form->FileListModel()->rowCount(), 3);
  EXPECT_EQ(Form->FileListModel()->Items()[0].OldName, "1b");
  EXPECT_EQ(NewNames(), (std::vector<std::string>{"", "", ""}));
}

TEST_F(MainFormRename, CancelLeavesFilesAndNewNameColumnAsTheyWere) {
  ScanFiles({"a.txt", "b.txt"});
  Form->TestBtn->click();
  Form->RadioGroup2->SetItemIndex(0);  // options changed after the preview
  std::vector<TSeenBox> seen;
  Answer(QMessageBox::Cancel, seen);
  Form->RenameMnu->trigger();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(NewNames(), (std::vector<std::string>{"1.txt", "2.txt"}));
  EXPECT_EQ(TestUtil::ListNames(Files.Path()), (std::vector<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(Form->ActionLbl->text(), QStringLiteral("Idle..."));
}

TEST_F(MainFormRename, AbortEndsTheRunAtTheFirstFailureWithoutAsking) {
  ScanFiles({"a", "b"});
  Form->SetActivePageIndex(1);
  Form->Edit5->setText(QStringLiteral("a"));
  Form->Edit6->setText(QStringLiteral("b"));
  Form->WarnRenameMnu->trigger();
  ASSERT_FALSE(Form->WarnRenameMnu->isChecked());
  std::vector<TSeenBox> seen;
  Answer(QMessageBox::Abort, seen);
  Form->GoBTn->click();
  ASSERT_EQ(seen.size(), 1u);  // no confirmation, one failure box
  EXPECT_EQ(seen[0].Status, QStringLiteral("Idle..."));
  EXPECT_TRUE(Form->ShowErrorMnu->isChecked());
  EXPECT_EQ(Form->ActionLbl->text(), QStringLiteral(" Ok! "));
  EXPECT_EQ(Form->ProgressBar1->value(), 100);
  EXPECT_EQ(TestUtil::ListNames(Files.Path()), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(NewNames(), (std::vector<std::string>{"", ""}));
}

TEST_F(MainFormRename, IgnoreIsSavedAtCloseAndReadAtTheNextStart) {
  ScanFiles({"a", "b"});
  Form->SetActivePageIndex(1);
  Form->Edit5->setText(QStringLiteral("a"));
  Form->Edit6->setText(QStringLiteral("b"));
  Form->WarnRenameMnu->trigger();
  std::vector<TSeenBox> seen;
  Answer(QMessageBox::Ignore, seen);
  Form->GoBTn->click();
  ASSERT_EQ(seen.size(), 1u);
  ASSERT_TRUE(Form->close());
  EXPECT_NE(Settings().find("showerrors=0\r\nwarnrename=0\r\n"), std::string::npos) << Settings();
  Form.reset();
  Start();
  EXPECT_FALSE(Form->ShowErrorMnu->isChecked());
}

TEST_F(MainFormRename, LineBreaksOfALanguageFileBreakTheLinesOfTheBoxes) {
  const std::string file = Dir.File("breaks.lng");
  TestUtil::WriteFileBytes(file,
                           "[Translations]\r\nMainForm.RenameMsgLbl.Caption=Sure?~~Really?\r\n"
                           "MainForm.CantRenLbl.Caption=Not %s~~but %s\r\n");
  Seam.LanguageFile = QString::fromStdString(file);
  Form->Language->trigger();
  ScanFiles({"a", "b"});
  Form->SetActivePageIndex(1);
  Form->Edit5->setText(QStringLiteral("a"));
  Form->Edit6->setText(QStringLiteral("b"));
  std::vector<TSeenBox> seen;
  Answer(QMessageBox::Ok, seen, [this, &seen]() { Answer(QMessageBox::Abort, seen); });
  Form->GoBTn->click();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].Text, QStringLiteral("Sure?\r\nReally?"));
  EXPECT_EQ(seen[0].Lines, 2);
  EXPECT_EQ(seen[1].Text.toStdString(), "Not " + Files.File("a") + "\r\nbut " + Files.File("b"));
  EXPECT_EQ(seen[1].Lines, 2);
}

}  // namespace
