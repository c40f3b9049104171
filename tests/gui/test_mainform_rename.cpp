// The Rename command of the main window with its real message boxes.
#include <cstdlib>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

#include "app/qt/mainform_radiogroup.h"
#include "core/envguard.h"
#include "filelist/qt/filelistmodel.h"
#include "gui/mainformfixture.h"
#include "rename/journal.h"

namespace {

// What a message box showed and what the window showed meanwhile.
struct TSeenBox {
  QString Text;
  QString Title;
  QString Status;
  bool WindowEnabled = true;
  int Lines = 0;  // lines of text in the box
  QAbstractButton* Default = nullptr;
  QAbstractButton* No = nullptr;
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
      seen.push_back({box->text(), box->windowTitle(), Ui(*Form).ActionLbl->text(),
                      Form->isEnabled(), LinesOf(*box), box->defaultButton(),
                      box->button(QMessageBox::No)});
      ASSERT_NE(box->button(button), nullptr);
      box->button(button)->click();
      if (then) then();
    });
  }
};

// The marks of a row: whether coloured, its background and its tooltip.
struct TRowMark {
  bool Coloured;
  QColor Background;
  QString ToolTip;
};

TRowMark MarkOf(const TMainForm& form, int row) {
  const QModelIndex index = form.FileListModel()->index(row, 0);
  const QVariant background = index.data(Qt::BackgroundRole);
  return {background.isValid() && index.data(Qt::ForegroundRole).isValid(),
          background.value<QBrush>().color(), index.data(Qt::ToolTipRole).toString()};
}

// Test marks every foreseen failure with its reason, as the language file
// words it; a move into a folder that is not there (1b is a file) fails too.
TEST_F(MainFormRename, TestMarksTheRowsThatWillFailWithTheirReason) {
  ChooseLanguage("reasons.lng", "MainForm.TakenLbl.Caption=<b>taken</b>\r\n");
  ScanFiles({"1a", "2a", "2b", "3a", "4a"});
  TestUtil::WriteFileBytes(Files.File("1b"), "");  // not listed, but there
  SetReplace("a", "b/");
  Ui(*Form).TestBtn->click();
  // 1a -> 1b/ would move into a folder; a plain replace shows the conflicts.
  EXPECT_TRUE(MarkOf(*Form, 0).ToolTip.startsWith(QStringLiteral("The folder of the new name")));
  EXPECT_TRUE(MarkOf(*Form, 0).Coloured);
  Ui(*Form).Edit6->setText(QStringLiteral("b"));
  Ui(*Form).TestMnu->trigger();
  // Taken by the unlisted 1b and by 2b, which keeps its name; the rest move.
  const std::vector<QString> tips = {QStringLiteral("<b>taken</b>"), QStringLiteral("<b>taken</b>"),
                                     QString(), QString(), QString()};
  for (int row = 0; row < 5; ++row) {
    const TRowMark mark = MarkOf(*Form, row);
    EXPECT_EQ(mark.ToolTip, tips[static_cast<std::size_t>(row)]) << row;
    EXPECT_EQ(mark.Coloured, !tips[static_cast<std::size_t>(row)].isEmpty()) << row;
  }
  EXPECT_NE(MarkOf(*Form, 0).Background, QColor(Qt::white));
  ScanFiles({});  // a scan forgets the marks
  EXPECT_TRUE(MarkOf(*Form, 0).ToolTip.isEmpty());
}

TEST_F(MainFormRename, ConfirmedRunReportsAFailureAndRescans) {
  ScanFiles({"1a", "2a", "2b"});
  SetReplace("a", "b");
  std::vector<TSeenBox> seen;
  Answer(QMessageBox::Ok, seen, [this, &seen]() { Answer(QMessageBox::Ignore, seen); });
  Ui(*Form).GoBTn->click();
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
  EXPECT_FALSE(Ui(*Form).ShowErrorMnu->isChecked());
  EXPECT_EQ(Ui(*Form).ActionLbl->text(), QStringLiteral(" Ok! "));
  EXPECT_EQ(Ui(*Form).ProgressBar1->value(), 100);
  EXPECT_EQ(FileNames(), (TNames{"1b", "2a", "2b"}));
  // The list shows the folder anew; only the failed move keeps its new name,
  // drawn as failed, with the system's reason and both paths.
  ASSERT_EQ(Form->FileListModel()->rowCount(), 3);
  EXPECT_EQ(Form->FileListModel()->Items()[0].OldName, "1b");
  EXPECT_EQ(NewNames(), (TNames{"", "2b", ""}));
  const TRowMark failed = MarkOf(*Form, 1);
  EXPECT_TRUE(failed.Coloured);
  EXPECT_EQ(failed.ToolTip.toStdString(),
            "File exists\n" + Files.File("2a") + "\n" + Files.File("2b"));
  EXPECT_NE(failed.Background, MarkOf(*Form, 0).Background);
  EXPECT_FALSE(MarkOf(*Form, 0).Coloured);
  Ui(*Form).TestBtn->click();  // Test forgets the outcome and foresees anew
  EXPECT_NE(MarkOf(*Form, 1).ToolTip, failed.ToolTip);
}

TEST_F(MainFormRename, CancelLeavesFilesAndNewNameColumnAsTheyWere) {
  ScanFiles({"a.txt", "b.txt"});
  Ui(*Form).TestBtn->click();
  Ui(*Form).RadioGroup2->SetItemIndex(0);  // options changed after the preview
  std::vector<TSeenBox> seen;
  Answer(QMessageBox::Cancel, seen);
  Ui(*Form).RenameMnu->trigger();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(NewNames(), (TNames{"1.txt", "2.txt"}));
  EXPECT_EQ(FileNames(), (TNames{"a.txt", "b.txt"}));
  EXPECT_EQ(Ui(*Form).ActionLbl->text(), QStringLiteral("Idle..."));
}

TEST_F(MainFormRename, AbortEndsTheRunAtTheFirstFailureWithoutAsking) {
  ScanFiles({"a", "b"});
  SetReplace("a", "b");
  Ui(*Form).WarnRenameMnu->trigger();
  ASSERT_FALSE(Ui(*Form).WarnRenameMnu->isChecked());
  std::vector<TSeenBox> seen;
  Answer(QMessageBox::Abort, seen);
  Ui(*Form).GoBTn->click();
  ASSERT_EQ(seen.size(), 1u);  // no confirmation, one failure box
  EXPECT_EQ(seen[0].Status, QStringLiteral("Idle..."));
  EXPECT_TRUE(Ui(*Form).ShowErrorMnu->isChecked());
  EXPECT_EQ(Ui(*Form).ActionLbl->text(), QStringLiteral(" Ok! "));
  EXPECT_EQ(Ui(*Form).ProgressBar1->value(), 100);
  EXPECT_EQ(FileNames(), (TNames{"a", "b"}));
  EXPECT_EQ(NewNames(), (TNames{"b", ""}));  // the failed move's
}

TEST_F(MainFormRename, IgnoreIsSavedAtCloseAndReadAtTheNextStart) {
  ScanFiles({"a", "b"});
  SetReplace("a", "b");
  Ui(*Form).WarnRenameMnu->trigger();
  std::vector<TSeenBox> seen;
  Answer(QMessageBox::Ignore, seen);
  Ui(*Form).GoBTn->click();
  ASSERT_EQ(seen.size(), 1u);
  ASSERT_TRUE(Form->close());
  EXPECT_NE(Settings().find("showerrors=0\r\nwarnrename=0\r\n"), std::string::npos) << Settings();
  Form.reset();
  Start();
  EXPECT_FALSE(Ui(*Form).ShowErrorMnu->isChecked());
}

TEST_F(MainFormRename, LineBreaksOfALanguageFileBreakTheLinesOfTheBoxes) {
  ChooseLanguage("breaks.lng",
                 "MainForm.RenameMsgLbl.Caption=Sure?~~Really?\r\n"
                 "MainForm.CantRenLbl.Caption=Not %s~~but %s\r\n");
  ScanFiles({"a", "b"});
  SetReplace("a", "b");
  std::vector<TSeenBox> seen;
  Answer(QMessageBox::Ok, seen, [this, &seen]() { Answer(QMessageBox::Abort, seen); });
  Ui(*Form).GoBTn->click();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].Text, QStringLiteral("Sure?\r\nReally?"));
  EXPECT_EQ(seen[0].Lines, 2);
  EXPECT_EQ(seen[1].Text.toStdString(), "Not " + Files.File("a") + "\r\nbut " + Files.File("b"));
  EXPECT_EQ(seen[1].Lines, 2);
}

// Undo is offered once the folder has a run, asks as Rename does and puts
// every name back.
TEST_F(MainFormRename, UndoMovesTheLastRunOfTheFolderBack) {
  const char* state = std::getenv("XDG_STATE_HOME");
  ASSERT_NE(state, nullptr);
  ASSERT_EQ(Rename::JournalFolder().rfind(state, 0), 0u);  // journals stay in the test's home
  ScanFiles({"a.txt", "b.txt"});
  ASSERT_EQ(Form->DirectoryBytes(), Files.Path());  // only the test's own folder is renamed
  EXPECT_FALSE(Ui(*Form).UndoMnu->isEnabled());
  std::vector<TSeenBox> seen;
  Answer(QMessageBox::Ok, seen);
  Ui(*Form).GoBTn->click();
  ASSERT_EQ(FileNames(), (TNames{"1.txt", "2.txt"}));
  ASSERT_TRUE(Ui(*Form).UndoMnu->isEnabled());
  Answer(QMessageBox::Cancel, seen);
  Ui(*Form).UndoMnu->trigger();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_TRUE(seen[1].Text.startsWith(QStringLiteral("Really undo the last rename?")));
  EXPECT_EQ(FileNames(), (TNames{"1.txt", "2.txt"}));
  Ui(*Form).WarnRenameMnu->trigger();  // the same toggle: no question now
  Ui(*Form).UndoMnu->trigger();
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(FileNames(), (TNames{"a.txt", "b.txt"}));
  EXPECT_EQ(OldNames(), (TNames{"a.txt", "b.txt"}));
  EXPECT_EQ(Ui(*Form).ActionLbl->text(), QStringLiteral(" Ok! "));
  EXPECT_FALSE(Ui(*Form).UndoMnu->isEnabled());
}

// A pair whose old name was taken after the run stays under its new name,
// drawn as failed with its reason, and one box lists it; the rest moves back.
TEST_F(MainFormRename, UndoReportsThePairsItCouldNotUndo) {
  Seam.RealMessageBoxes = false;  // each box takes its default button
  ScanFiles({"a.txt", "b.txt"});
  ASSERT_EQ(Form->DirectoryBytes(), Files.Path());
  Ui(*Form).GoBTn->click();
  ASSERT_EQ(FileNames(), (TNames{"1.txt", "2.txt"}));
  TestUtil::WriteFileBytes(Files.File("a.txt"), "new");  // a.txt comes anew
  Seam.Texts.clear();
  Ui(*Form).UndoMnu->trigger();
  EXPECT_EQ(FileNames(), (TNames{"1.txt", "a.txt", "b.txt"}));
  ASSERT_EQ(Seam.Texts.size(), 2u);  // the question, then the report
  EXPECT_EQ(Seam.Texts[1].toStdString(),
            "These renames could not be undone:\n" + Files.File("1.txt") + " \xe2\x86\x92 " +
                Files.File("a.txt") + ": the original name is taken by another file");
  EXPECT_EQ(Seam.Icons.back(), QMessageBox::Warning);
  EXPECT_EQ(OldNames(), (TNames{"1.txt", "a.txt", "b.txt"}));
  EXPECT_EQ(NewNames(), (TNames{"a.txt", "", ""}));
  const TRowMark kept = MarkOf(*Form, 0);
  EXPECT_TRUE(kept.Coloured);
  EXPECT_EQ(kept.Background, QColor(0xff, 0xc7, 0xce));  // as a failed move
  EXPECT_EQ(kept.ToolTip.toStdString(), "The new name is taken by another file\n" +
                                            Files.File("1.txt") + "\n" + Files.File("a.txt"));
  EXPECT_FALSE(MarkOf(*Form, 1).Coloured);
  EXPECT_TRUE(Ui(*Form).UndoMnu->isEnabled());  // kept for another try
}

// Where the undo record cannot be written (its folder is a file), the run
// asks whether to rename without undo, No the default; No renames nothing.
TEST_F(MainFormRename, UnwritableRecordAsksBeforeRenamingWithoutUndo) {
  const TestUtil::TTempDir state;
  const TestUtil::TEnvGuard stateHome("XDG_STATE_HOME", state.Path());
  TestUtil::WriteFileBytes(state.File("morvane"), "not a folder");
  ScanFiles({"a.txt", "b.txt"});
  ASSERT_EQ(Form->DirectoryBytes(), Files.Path());
  std::vector<TSeenBox> seen;
  for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
    Answer(QMessageBox::Ok, seen, [&]() { Answer(answer, seen); });
    Ui(*Form).GoBTn->click();
  }
  ASSERT_EQ(seen.size(), 4u);
  for (const std::size_t i : {1u, 3u}) {
    EXPECT_TRUE(seen[i].Text.startsWith(QStringLiteral("Undo will not be possible ("))) << i;
    EXPECT_TRUE(seen[i].Text.endsWith(QStringLiteral("). Rename anyway?"))) << i;
    EXPECT_EQ(seen[i].Default, seen[i].No);
  }
  EXPECT_EQ(FileNames(), (TNames{"1.txt", "2.txt"}));  // only after Yes
  EXPECT_FALSE(Ui(*Form).UndoMnu->isEnabled());
}

}  // namespace
