// Long work runs off the window's thread: the window answers meanwhile,
// starts nothing else, and a run stops on Escape with its undo complete.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include "filelist/qt/filelistmodel.h"
#include "gui/mainformfixture.h"
#include "platform/filesystem.h"

namespace {

using namespace std::chrono_literals;

// Listing and moving take their time, as on a slow share or with a million
// files.
class TSlowFileSystem : public Platform::TFileSystem {
 public:
  bool ListDirectory(const std::string& dir, std::vector<Platform::TDirEntry>& entries) override {
    std::this_thread::sleep_for(300ms);
    return TFileSystem::ListDirectory(dir, entries);
  }
  int RenameIn(const Platform::TDirectory& dir, const std::string& from,
               const std::string& to) override {
    std::this_thread::sleep_for(20ms);
    if (++Moves == 10 && OnTenthMove) QMetaObject::invokeMethod(qApp, OnTenthMove);
    return TFileSystem::RenameIn(dir, from, to);
  }
  std::atomic<int> Moves{0};
  std::function<void()> OnTenthMove;  // run on the window's thread
};

class MainFormWork : public TMainFormFixture {
 protected:
  void SetUp() override {
    TMainFormFixture::SetUp();
    StartWithLanguageEntry();
    Ui(*Form).WarnRenameMnu->trigger();  // no question before the run
    TNames names;
    for (int i = 0; i < 60; ++i) names.push_back("f" + std::to_string(100 + i));
    ScanFiles(names);
    Platform::SetFileSystem(&FSlow);
    // Every 10 ms the window's thread is asked to do something; while work
    // goes on, the second command found busy must start nothing.
    QObject::connect(&FTicker, &QTimer::timeout, [this]() {
      ++FTicks;
      if (Form->Busy()) Ui(*Form).TestBtn->click();
    });
    FTicker.start(10);
  }
  void TearDown() override {
    FTicker.stop();
    Platform::SetFileSystem(nullptr);
    TMainFormFixture::TearDown();
  }
  TSlowFileSystem FSlow;
  QTimer FTicker;
  int FTicks = 0;
};

TEST_F(MainFormWork, WindowAnswersWhileItReadsAndStartsNothingElse) {
  FTicks = 0;
  Ui(*Form).RefreshBtn->click();  // 300 ms of listing
  EXPECT_GE(FTicks, 10);
  EXPECT_FALSE(Form->Busy());
  EXPECT_EQ(Form->FileListModel()->rowCount(), 60);
  EXPECT_EQ(NewNames(), TNames(60, ""));  // the Test clicks meanwhile did nothing
}

TEST_F(MainFormWork, EscapeStopsTheRunAndUndoPutsBackWhatMoved) {
  FSlow.OnTenthMove = [this]() {  // the user presses Escape
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(Form.get(), &escape);
  };
  FTicks = 0;
  Ui(*Form).GoBTn->click();  // 60 moves of 20 ms, stopped after the tenth
  EXPECT_GE(FTicks, 10);
  const TNames after = FileNames();
  const auto moved = std::count_if(after.begin(), after.end(),
                                   [](const std::string& name) { return name[0] != 'f'; });
  EXPECT_GE(moved, 10);
  EXPECT_LT(moved, 60);
  Platform::SetFileSystem(nullptr);
  Ui(*Form).UndoMnu->trigger();
  EXPECT_EQ(FileNames().front(), "f100");
  EXPECT_EQ(FileNames().back(), "f159");
  EXPECT_EQ(FileNames().size(), 60u);
}

}  // namespace
