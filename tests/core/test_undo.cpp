// Undo of a rename run from its journal, after a full run, an Abort and a run
// killed half-way, and the untangled order of chains and cycles: on random
// folders, names and contents come back exactly.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "core/scriptedui.h"
#include "core/testutil.h"
#include "platform/filesystem.h"
#include "rename/conflicts.h"
#include "rename/journal.h"
#include "rename/renamerun.h"
#include "rename/undorun.h"
#include "rename/untangle.h"

namespace {

using FileList::TConflict;
using FileList::TFileItem;
using FileList::TFileItems;
using FileList::TMoveStatus;
using TFolder = std::map<std::string, std::string>;  // name -> content
using TestUtil::ReadFolder;

// A folder of numbered files (some numbers missing, some other names), a list
// of them in random order, a few listed twice, and a request to number them.
struct TScene {
  TestUtil::TTempDir Dir;
  std::string Journals;
  TFileItems Items;
  TFolder Before;
  Rename::TRenameRequest Request;

  explicit TScene(std::mt19937& random) : Journals(Dir.File("journals")) {
    std::uniform_int_distribution<int> pick(0, 29);
    std::string data = Dir.File("data");
    ::mkdir(data.c_str(), 0700);
    for (int i = 0; i < 30; ++i) {
      if (pick(random) < 8) continue;
      const std::string name = pick(random) < 5 ? "x" + std::to_string(i) : std::to_string(i);
      TestUtil::WriteFileBytes(Dir.File("data/" + name), "content " + name);
      Items.push_back(TFileItem{name, "", -1, false});
      if (pick(random) < 2) Items.push_back(TFileItem{name, "", -1, false});
    }
    std::shuffle(Items.begin(), Items.end(), random);
    Before = ReadFolder(data);
    Request.Dir = data;
    Request.WarnBeforeRename = false;
    Request.JournalFolder = Journals;
    Request.Preview.Page = Rename::TPage::Rename;
    Request.Preview.Name.NamePart =
        random() % 2 ? Rename::TNamePart::Number
                     : Rename::TNamePart::PaddedNumber;  // numbering: chains and collisions
    Request.Preview.Name.Extension = true;
    Request.Preview.Name.ExtensionText = random() % 3 ? "" : "x";
  }
  std::string Data() const { return Dir.File("data"); }
  // Undoes the newest journal of the folder as the window's Undo does; the
  // names it could not undo.
  std::size_t Undo() {
    Rename::TRenameRequest request = Request;
    request.ShowErrors = false;
    TestUtil::TScriptedUi ui;
    const Rename::TUndoOutcome outcome = Rename::RunUndo(Platform::FileSystem(), request, ui);
    EXPECT_TRUE(outcome.Found && outcome.Run.Ran);
    return outcome.Problems.size() + outcome.Run.Failed;
  }
};

using TRun = std::function<void(unsigned seed, std::mt19937&, TScene&)>;

// Renames a random scene for each seed from 1 to last, then undoes the run:
// names and contents must come back exactly.
void RunThenUndo(unsigned last, const TRun& run) {
  for (unsigned seed = 1; seed <= last; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    TScene scene(random);
    run(seed, random, scene);
    if (::testing::Test::HasFatalFailure()) return;
    EXPECT_EQ(scene.Undo(), 0u);
    EXPECT_EQ(ReadFolder(scene.Data()), scene.Before);
  }
}

TEST(Undo, RestoresAfterFullRunAndAfterAbort) {
  RunThenUndo(40, [](unsigned seed, std::mt19937&, TScene& scene) {
    TestUtil::TScriptedUi ui;
    ui.Fallback = seed % 2 ? Rename::TFailAnswer::Abort : Rename::TFailAnswer::Ignore;
    Rename::RunRename(Platform::FileSystem(), scene.Items, scene.Request, ui);
    ASSERT_TRUE(TestUtil::Exists(scene.Journals));
  });
}

TEST(Undo, RestoresAfterARunKilledHalfWay) {
  RunThenUndo(10, [](unsigned, std::mt19937& random, TScene& scene) {
    const int stopAt = static_cast<int>(random() % 90);
    const pid_t child = ::fork();
    if (child == 0) {
      TestUtil::TScriptedUi ui;
      ui.OnProgress = [stopAt](int position) {
        if (position >= stopAt) ::kill(::getpid(), SIGKILL);
      };
      Rename::RunRename(Platform::FileSystem(), scene.Items, scene.Request, ui);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
  });
}

TEST(Undo, ReportsWhatItCannotUndoAndLosesNothing) {
  TestUtil::TTempDir dir;
  for (const char* name : {"a", "b", "c"}) TestUtil::WriteFileBytes(dir.File(name), name);
  Rename::TJournal journal{dir.Path(), {{"a", "1", false}, {"b", "2", false}, {"c", "3", false}}};
  TestUtil::WriteFileBytes(dir.File("1"), "a");  // a's move happened, then a new a came
  ::rename(dir.File("c").c_str(), dir.File("3").c_str());
  ::unlink(dir.File("b").c_str());  // b is gone altogether
  const Platform::TDirectory folder(Platform::FileSystem(), dir.Path());
  Rename::TUndoPlan plan = Rename::PlanUndo(journal, Rename::ViewOf(folder));
  ASSERT_EQ(plan.Moves.size(), 1u);
  EXPECT_EQ(plan.Moves[0].OldName + ">" + plan.Moves[0].NewName, "3>c");
  ASSERT_EQ(plan.Problems.size(), 2u);
  EXPECT_EQ(plan.Problems[0].Conflict, FileList::TConflict::Gone);
  EXPECT_EQ(plan.Problems[1].Conflict, FileList::TConflict::Taken);
}

TFileItem Pair(const std::string& oldName, const std::string& newName, TConflict why) {
  TFileItem pair{oldName, newName, -1, false};
  pair.Conflict = why;
  return pair;
}

// The report lists the first pairs, new name first, with their reasons, and
// counts the rest; texts and names are copied as they stand.
TEST(Undo, ReportListsThePairsItCouldNotUndoUpToALimit) {
  const Rename::TUndoTexts texts{"Not undone %s:", "taken", "gone", "More:"};
  TFileItems many;
  for (int i = 0; i < 25; ++i) many.push_back(Pair("o" + std::to_string(i), "n", TConflict::Gone));
  const std::string arrow = " \xe2\x86\x92 ";
  const struct {
    TFileItems Problems;
    std::size_t Listed;
    std::string Text;
  } cases[] = {
      {{}, 20, ""},
      {{Pair("a", "1", TConflict::Taken), Pair("\xff", "2", TConflict::Gone)},
       20,
       "Not undone %s:\n/d/1" + arrow + "/d/a: taken\n/d/2" + arrow + "/d/\xff: gone"},
      {{Pair("a", "1", TConflict::Taken), Pair("b", "2", TConflict::Gone)},
       1,
       "Not undone %s:\n/d/1" + arrow + "/d/a: taken\nMore: 1"},
      {{Pair("a", "1", TConflict::Taken)}, 1, "Not undone %s:\n/d/1" + arrow + "/d/a: taken"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Rename::UndoProblemsText("/d", c.Problems, texts, c.Listed), c.Text);
  const std::string text = Rename::UndoProblemsText("/d", many, texts);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 21);
  EXPECT_TRUE(text.ends_with("/d/o19: gone\nMore: 5")) << text;
}

// After the rescan, a pair whose old name is taken stays visible on the row
// of its file, as a move back that failed untried; a failed move back keeps
// its error; a gone pair has no row.
TEST(Undo, FailuresOfAnUndoStayOnTheRowsOfTheRescan) {
  Rename::TUndoOutcome outcome;
  outcome.Moves = {TFileItem{"3", "c", -1, false}, TFileItem{"4", "d", -1, false}};
  outcome.Moves[1].Status = TMoveStatus::Failed;
  outcome.Moves[1].Error = 13;
  outcome.Problems = {Pair("a", "1", TConflict::Taken), Pair("b", "2", TConflict::Gone)};
  TFileItems scanned;
  for (const char* name : {"1", "4", "a", "c"}) scanned.push_back(TFileItem{name, "", -1, false});
  Rename::KeepFailures(scanned, Rename::UndoFailures(outcome));
  const std::vector<std::tuple<std::string, TMoveStatus, int, TConflict>> expected = {
      {"a", TMoveStatus::Failed, 0, TConflict::Taken},
      {"d", TMoveStatus::Failed, 13, TConflict::None},
      {"", TMoveStatus::Pending, 0, TConflict::None},
      {"", TMoveStatus::Pending, 0, TConflict::None}};
  for (std::size_t i = 0; i < scanned.size(); ++i)
    EXPECT_EQ(std::make_tuple(scanned[i].NewName, scanned[i].Status, scanned[i].Error,
                              scanned[i].Conflict),
              expected[i])
        << scanned[i].OldName;
}

// A journal whose head names the folder but whose body cannot be read moves
// nothing, and the run's choice of error boxes comes back as it went in.
TEST(Undo, UnreadableJournalMovesNothing) {
  TestUtil::TTempDir dir;
  TestUtil::WriteFileBytes(dir.File("a"), "a");
  const Platform::TDirectory folder(Platform::FileSystem(), dir.Path());
  ASSERT_TRUE(Platform::MakeDirectories(dir.File("j")));
  const Rename::TJournal journal{folder.RealPath(), {{"b", "a", false}}};
  TestUtil::WriteFileBytes(dir.File("j/run-1.journal"), Rename::FormatJournal(journal) + "bad\n");
  Rename::TRenameRequest request;
  request.Dir = dir.Path();
  request.JournalFolder = dir.File("j");
  request.WarnBeforeRename = request.ShowErrors = false;
  TestUtil::TScriptedUi ui;
  const Rename::TUndoOutcome outcome = Rename::RunUndo(Platform::FileSystem(), request, ui);
  EXPECT_TRUE(outcome.Found && outcome.Run.Ran);
  EXPECT_FALSE(outcome.Run.ShowErrors);
  EXPECT_TRUE(outcome.Moves.empty());
  EXPECT_EQ(ui.Busy, (std::vector<bool>{true, false}));
  EXPECT_EQ(TestUtil::ListNames(dir.Path()), (std::vector<std::string>{"a", "j"}));
}

TEST(Journal, KeepsOddNamesAndTheNewestTen) {
  TestUtil::TTempDir dir;
  const Rename::TJournal journal{"/x\t\\y\n", {{"a\tb", "c\nd\\e\r", true}, {"\xff", "", false}}};
  Rename::TJournal back;
  ASSERT_TRUE(Rename::ParseJournal(Rename::FormatJournal(journal), back));
  EXPECT_EQ(Rename::FormatJournal(back), Rename::FormatJournal(journal));
  EXPECT_FALSE(Rename::ParseJournal("morvane journal 1\ndir\t/x\n-\ta\n", back));
  for (int i = 0; i < 12; ++i) {
    Rename::TJournal run{i % 2 ? "/odd" : "/even", {{"n" + std::to_string(i), "m", false}}};
    ASSERT_EQ(Rename::WriteJournal(dir.File("j"), run), 0);
  }
  EXPECT_EQ(TestUtil::ListNames(dir.File("j")).size(), Rename::KeptJournals);
  Rename::TJournal last;
  ASSERT_TRUE(Rename::ReadJournal(Rename::FindLastJournal(dir.File("j"), "/even"), last));
  EXPECT_EQ(last.Pairs.at(0).OldName, "n10");
  EXPECT_EQ(Rename::FindLastJournal(dir.File("j"), "/none"), "");
  // A long run's journal is larger than the settings reader takes.
  Rename::TJournal big{"/big", {}};
  big.Pairs.assign(200000, {std::string(30, 'o'), std::string(30, 'n'), false});
  ASSERT_EQ(Rename::WriteJournal(dir.File("j"), big), 0);
  ASSERT_TRUE(Rename::ReadJournal(Rename::FindLastJournal(dir.File("j"), "/big"), last));
  EXPECT_EQ(last.Pairs.size(), big.Pairs.size());
}

// Random maps of names onto names (chains, cycles, swaps, a few targets held
// by files outside the list): every move that can be made is made, no file
// stays under a temporary name, and undo restores the folder.
TEST(Untangle, FreesEveryTargetBreaksCyclesAndUndoes) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    TestUtil::TTempDir dir;
    std::vector<std::string> names;
    for (int i = 0; i < 20; ++i) names.push_back("f" + std::to_string(i));
    std::vector<std::string> targets = names;
    std::shuffle(targets.begin(), targets.end(), random);
    TFileItems items;
    for (std::size_t i = 0; i < names.size(); ++i) {
      TestUtil::WriteFileBytes(dir.File(names[i]), names[i]);
      if (random() % 5 == 0) continue;  // not listed: its name stays taken
      items.push_back(TFileItem{names[i], targets[i], -1, false});
    }
    const TFolder before = ReadFolder(dir.Path());
    const Platform::TDirectory folder(Platform::FileSystem(), dir.Path());
    const Rename::TDirectoryView view = Rename::ViewOf(folder);
    Rename::MarkConflicts(items, view);
    const auto steps =
        Rename::UntangleSteps(items, [&view](const std::string& n) { return !view.Has(n); });
    const Rename::TJournal journal = Rename::PlanOfSteps(folder.RealPath(), steps);
    Rename::RunSteps(folder, steps, items);
    const TFolder after = ReadFolder(dir.Path());
    EXPECT_EQ(after.size(), before.size());
    for (const TFileItem& item : items) {
      // A move fails only when its target is held by a file that stays.
      const bool blocked =
          before.count(item.NewName) &&
          std::none_of(items.begin(), items.end(), [&](const TFileItem& other) {
            return other.OldName == item.NewName && other.Status == TMoveStatus::Renamed;
          });
      EXPECT_EQ(item.Status == TMoveStatus::Failed, blocked && item.NewName != item.OldName)
          << item.OldName << " -> " << item.NewName;
      if (item.Status == TMoveStatus::Renamed) {
        EXPECT_EQ(after.at(item.NewName), item.OldName);
      }
    }
    for (const auto& [name, content] : after)
      EXPECT_EQ(name.rfind(".morvane", 0), std::string::npos);
    Rename::TUndoPlan plan = Rename::PlanUndo(journal, Rename::ViewOf(folder));
    TestUtil::TScriptedUi ui;
    Rename::MoveRows(folder, plan.Moves, ui, false, {});
    EXPECT_TRUE(plan.Problems.empty());
    EXPECT_EQ(ReadFolder(dir.Path()), before);
  }
}

}  // namespace
