#include <algorithm>
#include <cerrno>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/scriptedui.h"
#include "core/testutil.h"
#include "filelist/filter.h"
#include "filelist/scan.h"
#include "platform/casemap.h"
#include "platform/filesystem.h"
#include "rename/conflicts.h"
#include "rename/renamerun.h"

namespace {

using FileList::TFileItem;
using FileList::TFileItems;
using FileList::TMoveStatus;
using Rename::TFailAnswer;
using Rename::TRenameRequest;
using Rename::TRunOutcome;
using TFolder = std::map<std::string, std::string>;  // name -> content
using TestUtil::ReadFolder;

// Few characters, so that names collide often, also after a case change.
const std::vector<std::string> Pieces{"a", "A", "b", "1", "2", ".", "_", " ", "ä", "Ä", "\xE9"};

class TRandom {
 public:
  explicit TRandom(unsigned seed) : FEngine(seed) {}
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(FEngine); }
  bool Chance(int percent) { return Below(100) < percent; }
  std::string Text(int maxPieces) {
    std::string text;
    for (int n = Below(maxPieces + 1); n > 0; --n) text += Pieces[Below(Pieces.size())];
    return text;
  }
  std::mt19937& Engine() { return FEngine; }

 private:
  std::mt19937 FEngine;
};

// Forwards to the real file system but now and then fails a move before
// touching anything, so that Retry can succeed later.
class TFlakyFileSystem : public Platform::TFileSystem {
 public:
  explicit TFlakyFileSystem(TRandom& random) : FRandom(random) {}
  int RenameIn(const Platform::TDirectory& dir, const std::string& from,
               const std::string& to) override {
    if (FRandom.Chance(5)) return EIO;
    return Platform::TFileSystem::RenameIn(dir, from, to);
  }

 private:
  TRandom& FRandom;
};

// Answers failure boxes at random, with at most a few retries in a row.
void AnswerAtRandom(TestUtil::TScriptedUi& ui, TRandom& random) {
  auto retries = std::make_shared<int>(0);
  ui.Answer = [&random, retries](const std::string&) {
    if (random.Chance(3)) return TFailAnswer::Abort;
    if (*retries < 3 && random.Chance(70)) {
      ++*retries;
      return TFailAnswer::Retry;
    }
    *retries = 0;
    return random.Chance(20) ? TFailAnswer::Ignore : TFailAnswer::Retry;
  };
  ui.OnProgress = [retries](int) { *retries = 0; };
}

TFolder MakeFolder(TRandom& random, const TestUtil::TTempDir& dir) {
  TFolder folder;
  const std::vector<std::string> extensions{"", ".jpg", ".JPG", ".txt", ".tar.gz"};
  for (int n = random.Below(250); n > 0; --n) {
    const std::string name = random.Text(4) + extensions[random.Below(extensions.size())];
    if (name.empty() || name == "." || name == ".." || folder.count(name)) continue;
    folder[name] = "#" + std::to_string(folder.size());
    TestUtil::WriteFileBytes(dir.File(name), folder[name]);
  }
  return folder;
}

// The list as the window may hold it: any order, rows removed, rows twice,
// and now and then a name that is no longer on disk.
TFileItems MakeList(TRandom& random, const TFolder& folder) {
  TFileItems items;
  for (const auto& [name, content] : folder) {
    if (random.Chance(10)) continue;
    items.push_back(TFileItem{name, "", -1, false});
    if (random.Chance(3)) items.push_back(TFileItem{name, "", -1, false});
  }
  if (random.Chance(30)) items.push_back(TFileItem{"gone" + random.Text(2), "", -1, false});
  std::shuffle(items.begin(), items.end(), random.Engine());
  return items;
}

Rename::TPreviewOptions MakeOptions(TRandom& random) {
  Rename::TPreviewOptions options;
  options.Page = random.Chance(70) ? Rename::TPage::Rename : Rename::TPage::Replace;
  Rename::TNameOptions& name = options.Name;
  name.Prefix = random.Chance(50);
  name.PrefixText = random.Text(2);
  name.NamePart = static_cast<Rename::TNamePart>(static_cast<int>(random.Below(4)) - 1);
  name.Suffix = random.Chance(50);
  name.SuffixText = random.Text(2);
  name.Extension = random.Chance(50);
  name.ExtensionText = random.Text(3);
  name.NameCase = static_cast<Rename::TNameCase>(random.Below(3));
  options.Replace = {random.Text(2), random.Text(2), random.Chance(50)};
  return options;
}

using TTrial =
    std::function<void(TRandom&, const TestUtil::TTempDir&, const TFolder&, TFileItems&)>;

// Runs a trial on a random folder and list for each seed from 1 to last.
void ForEachSeed(unsigned last, const TTrial& trial) {
  for (unsigned seed = 1; seed <= last; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    TRandom random(seed);
    TestUtil::TTempDir dir;
    const TFolder before = MakeFolder(random, dir);
    TFileItems items = MakeList(random, before);
    trial(random, dir, before, items);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

std::vector<std::string> Contents(const TFolder& folder) {
  std::vector<std::string> contents;
  for (const auto& [name, content] : folder) contents.push_back(content);
  std::sort(contents.begin(), contents.end());
  return contents;
}

// Replays the moves the run reports as done; the folder must then match.
TFolder Replay(TFolder folder, const TFileItems& items) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].Status != TMoveStatus::Renamed) continue;
    const std::string& from = items[i].OldName;
    const std::string& to = items[i].NewName;
    if (from == to) continue;
    EXPECT_EQ(folder.count(to), 0u) << "moved onto a taken name: " << to;
    EXPECT_EQ(folder.count(from), 1u) << "moved a missing file: " << from;
    folder[to] = folder[from];
    folder.erase(from);
  }
  return folder;
}

void CheckRows(const TFileItems& items, const TRunOutcome& result) {
  bool stopped = false;
  for (const auto& row : items) {
    if (row.Status == TMoveStatus::Pending) stopped = true;
    EXPECT_EQ(row.Status == TMoveStatus::Pending, stopped);
    EXPECT_EQ(row.Status == TMoveStatus::Failed, row.Error != 0);
  }
  EXPECT_EQ(stopped, result.Aborted && items.size() > result.Renamed + result.Failed);
}

TEST(RenameProperty, NoFileIsEverLostOrOverwritten) {
  std::size_t renamed = 0;
  std::size_t failed = 0;
  ForEachSeed(30, [&](TRandom& random, const TestUtil::TTempDir& dir, const TFolder& before,
                      TFileItems& items) {
    TRenameRequest request;
    request.Dir = dir.Path();
    request.WarnBeforeRename = false;
    request.ShowErrors = random.Chance(80);
    request.Preview = MakeOptions(random);
    TFlakyFileSystem fs(random);
    TestUtil::TScriptedUi ui;
    AnswerAtRandom(ui, random);
    const TRunOutcome result = Rename::RunRename(fs, items, request, ui);

    const TFolder after = ReadFolder(dir.Path());
    ASSERT_EQ(Contents(after), Contents(before));
    EXPECT_EQ(Replay(before, items), after);
    CheckRows(items, result);
    renamed += result.Renamed;
    failed += result.Failed;
  });
  // The seeds must exercise both outcomes, or the test proves nothing.
  EXPECT_GT(renamed, 1000u);
  EXPECT_GT(failed, 100u);
}

// Rows scanned from a listing, checked over the entries that gave no row
// (as morvane-cli's preview does), get the marks of a check over all entries.
void CheckViewOfOthers(const Platform::TDirectory& folder, const TFileItems& planned) {
  if (planned.empty()) return;
  std::vector<Platform::TDirEntry> entries;
  ASSERT_TRUE(Platform::ListDirectory(folder.RealPath(), entries));
  std::string others;
  FileList::TScanOptions scan;
  scan.Others = &others;
  TFileItems rows =
      FileList::ScanEntries(std::move(entries), folder.RealPath(), FileList::ParseFilter("jpg;txt"),
                            FileList::TOrder::Name, false, scan);
  for (std::size_t i = 0; i < rows.size(); ++i)
    rows[i].NewName = planned[i % planned.size()].NewName;
  TFileItems whole = rows;
  Rename::MarkConflicts(whole, Rename::ViewOf(folder));
  Rename::MarkConflicts(rows, Rename::ViewOfOthers(folder, others));
  for (std::size_t i = 0; i < rows.size(); ++i)
    EXPECT_EQ(rows[i].Conflict, whole[i].Conflict) << rows[i].OldName << " -> " << rows[i].NewName;
}

// The conflict check and the run obey one rule: on random folders (collisions,
// chains, cycles, rows listed twice, case-only changes, empty and overlong
// names) the rows marked are exactly the rows whose move fails.
TEST(RenameProperty, ConflictCheckForeseesEveryFailureAndNoOther) {
  std::size_t marked = 0;
  std::size_t moved = 0;
  ForEachSeed(
      40, [&](TRandom& random, const TestUtil::TTempDir& dir, const TFolder&, TFileItems& items) {
        Rename::Preview(items, MakeOptions(random));
        for (TFileItem& item : items) {
          const int pick = random.Below(100);
          if (pick < 15 && !items.empty()) item.NewName = items[random.Below(items.size())].OldName;
          if (pick == 15) item.NewName = Platform::UpperCase(item.OldName);
          if (pick == 16) item.NewName.clear();
          if (pick == 17) item.NewName = std::string(300, 'n');
          if (pick == 18) item.NewName = "none/" + item.OldName;
          if (pick == 19) item.NewName = items[random.Below(items.size())].OldName + "/x";
        }
        const Platform::TDirectory folder(Platform::FileSystem(), dir.Path());
        CheckViewOfOthers(folder, items);
        Rename::MarkConflicts(items, Rename::ViewOf(folder));
        std::vector<bool> foreseen;
        for (const TFileItem& item : items) foreseen.push_back(Rename::WillFail(item.Conflict));
        TestUtil::TScriptedUi ui;
        Rename::MoveRows(folder, items, ui, false, {});
        for (std::size_t i = 0; i < items.size(); ++i) {
          EXPECT_EQ(foreseen[i], items[i].Status == TMoveStatus::Failed)
              << i << ": " << items[i].OldName << " -> " << items[i].NewName << " ("
              << (Rename::ConflictWord(items[i].Conflict) ? Rename::ConflictWord(items[i].Conflict)
                                                          : "none")
              << ", errno " << items[i].Error << ")";
          ++(foreseen[i] ? marked : moved);
        }
      });
  EXPECT_GT(marked, 300u);
  EXPECT_GT(moved, 1000u);
}

}  // namespace
