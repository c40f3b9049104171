#include <string>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include "dialogs/qt/dialogseam.h"
#include "gui/guitestutil.h"
#include "rename/qt/messageboxrenameui.h"

namespace {

using GuiTestUtil::TRecordingSeam;

// Counts the paint events a widget receives.
class TPaintCounter : public QObject {
 public:
  int Paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Paints;
    return false;
  }
};

class MessageBoxRenameUi : public ::testing::Test {
 protected:
  void SetUp() override {
    QGuiApplication::setApplicationDisplayName("Morvane");
    SetDialogSeam(&FSeam);
  }
  void TearDown() override { SetDialogSeam(nullptr); }

  TRecordingSeam FSeam;
  QWidget FWindow;
  QLabel* FAction = new QLabel("Idle...", &FWindow);
  QProgressBar* FBar = new QProgressBar(&FWindow);
  TMessageBoxRenameUi FUi{&FWindow, FAction, FBar};
};

TEST_F(MessageBoxRenameUi, ConfirmationIsAWarningWithOkAndCancel) {
  FSeam.Answer = QMessageBox::Ok;
  EXPECT_TRUE(FUi.ConfirmRename("Really rename file(s)?\r\n\r\nN.B. \xc3\xa4"));
  EXPECT_EQ(FSeam.Owner, &FWindow);
  ASSERT_EQ(FSeam.Texts.size(), 1u);
  EXPECT_EQ(FSeam.Texts[0], QString::fromUtf8("Really rename file(s)?\r\n\r\nN.B. \xc3\xa4"));
  EXPECT_EQ(FSeam.Captions[0], "Morvane");
  EXPECT_EQ(FSeam.Buttons, QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_EQ(FSeam.Icons[0], QMessageBox::Warning);
  EXPECT_EQ(FSeam.Default, QMessageBox::Ok);
}

TEST_F(MessageBoxRenameUi, OnlyOkConfirms) {
  for (auto answer : {QMessageBox::Cancel, QMessageBox::NoButton, QMessageBox::Close}) {
    FSeam.Answer = answer;
    EXPECT_FALSE(FUi.ConfirmRename("?")) << answer;
  }
}

TEST_F(MessageBoxRenameUi, FailureIsAnErrorWithAbortRetryIgnore) {
  FSeam.Answer = QMessageBox::Abort;
  FUi.RenameFailed("Cannot rename /a to /b!");
  ASSERT_EQ(FSeam.Texts.size(), 1u);
  EXPECT_EQ(FSeam.Texts[0], "Cannot rename /a to /b!");
  EXPECT_EQ(FSeam.Captions[0], "Morvane");
  EXPECT_EQ(FSeam.Buttons, QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
  EXPECT_EQ(FSeam.Icons[0], QMessageBox::Critical);
  EXPECT_EQ(FSeam.Default, QMessageBox::Abort);
}

TEST_F(MessageBoxRenameUi, FailureAnswersMapOntoTheRun) {
  const std::pair<QMessageBox::StandardButton, Rename::TFailAnswer> cases[] = {
      {QMessageBox::Abort, Rename::TFailAnswer::Abort},
      {QMessageBox::Retry, Rename::TFailAnswer::Retry},
      {QMessageBox::Ignore, Rename::TFailAnswer::Ignore},
      {QMessageBox::Cancel, Rename::TFailAnswer::Abort},
      {QMessageBox::NoButton, Rename::TFailAnswer::Abort},
  };
  for (const auto& [button, expected] : cases) {
    FSeam.Answer = button;
    EXPECT_EQ(FUi.RenameFailed("x"), expected) << button;
  }
}

TEST_F(MessageBoxRenameUi, ProgressIsPaintedWithoutTheEventLoop) {
  FWindow.resize(300, 100);
  FAction->setGeometry(10, 10, 200, 20);
  FBar->setGeometry(10, 50, 200, 20);
  FWindow.show();
  QApplication::processEvents();
  TPaintCounter barPaints;
  TPaintCounter labelPaints;
  FBar->installEventFilter(&barPaints);
  FAction->installEventFilter(&labelPaints);
  FUi.ShowProgress(33, "Renaming files...  33%");
  EXPECT_EQ(FBar->value(), 33);
  EXPECT_EQ(FAction->text(), "Renaming files...  33%");
  EXPECT_GT(barPaints.Paints, 0);
  EXPECT_GT(labelPaints.Paints, 0);
}

TEST_F(MessageBoxRenameUi, BusyDisablesTheWindow) {
  FUi.SetBusy(true);
  EXPECT_FALSE(FWindow.isEnabled());
  FUi.SetBusy(false);
  EXPECT_TRUE(FWindow.isEnabled());
}

TEST_F(MessageBoxRenameUi, RealFailureBoxOverTheDisabledWindow) {
  SetDialogSeam(nullptr);
  FWindow.show();
  FUi.SetBusy(true);  // the run asks while the window is disabled
  QString caption;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  // Presses Retry; a box that would not take input is closed instead, so the
  // test fails rather than hangs.
  GuiTestUtil::OnNextModal([&](QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isEnabled());
    caption = box->windowTitle();
    icon = box->icon();
    defaultButton = box->standardButton(box->defaultButton());
    QAbstractButton* target = box->button(QMessageBox::Retry);
    if (target && target->isEnabled() && box->isEnabled())
      target->click();
    else
      box->reject();
  });
  EXPECT_EQ(FUi.RenameFailed("Cannot rename /a to /b!"), Rename::TFailAnswer::Retry);
  EXPECT_EQ(caption, "Morvane");
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(defaultButton, QMessageBox::Abort);
}

TEST_F(MessageBoxRenameUi, EscapeCancelsAndAborts) {
  SetDialogSeam(nullptr);
  FWindow.show();
  GuiTestUtil::PressEscapeOnNextModal();
  EXPECT_FALSE(FUi.ConfirmRename("Really rename file(s)?"));
  GuiTestUtil::PressEscapeOnNextModal();
  EXPECT_EQ(FUi.RenameFailed("Cannot rename"), Rename::TFailAnswer::Abort);
}

}  // namespace
