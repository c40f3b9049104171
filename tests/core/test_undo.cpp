// Undo of a rename run from its record, after a full run, an Abort and a run
// killed before any of its moves, plain or untangled: names and contents come
// back exactly, and every file undo leaves alone is reported with its reason.
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

#include "core/faultyfs.h"
#include "core/scriptedui.h"
#include "core/testutil.h"
#include "platform/filesystem.h"
#include "rename/conflicts.h"
#include "rename/journal.h"
#include "rename/renamerun.h"
#include "rename/undo.h"
#include "rename/undorun.h"
#include "rename/untangle.h"

namespace {

using FileList::TConflict;
using FileList::TFileItem;
using FileList::TFileItems;
using FileList::TMoveStatus;
using TFolder = std::map<std::string, std::string>;  // name -> content
using Rename::TUndoReason;
using TestUtil::ReadFolder;
using TestUtil::TFaultyFs;

// Runs rows untangled inside path as morvane-cli --apply --untangle does.
Rename::TStepsOutcome RunUntangled(Platform::TFileSystem& fs, const std::string& path,
                                   TFileItems& items, const std::string& journals) {
  const Platform::TDirectory dir(fs, path);
  const Rename::TDirectoryView view = Rename::ViewOf(dir);
  Rename::MarkConflicts(items, view);
  const auto steps =
      Rename::UntangleSteps(items, [&view](const std::string& n) { return !view.Has(n); });
  EXPECT_EQ(Rename::WriteJournal(fs, journals, Rename::PlanOfSteps(dir, items, steps)).Error, 0);
  return Rename::RunSteps(dir, steps, items);
}

// Renames rows in list order as morvane-cli --apply does.
void RunPlain(Platform::TFileSystem& fs, const std::string& path, TFileItems& items,
              const std::string& journals) {
  const Platform::TDirectory dir(fs, path);
  Rename::MarkConflicts(items, Rename::ViewOf(dir));
  EXPECT_EQ(Rename::WriteJournal(fs, journals, Rename::PlanOf(dir, items)).Error, 0);
  TestUtil::TScriptedUi ui;
  Rename::MoveRows(dir, items, ui, false, {});
}

Rename::TUndoOutcome UndoIn(Platform::TFileSystem& fs, const std::string& path,
                            const std::string& journals) {
  const Platform::TDirectory dir(fs, path);
  TestUtil::TScriptedUi ui;
  return Rename::UndoLastRun(dir, journals, ui, false, {});
}

// A folder of numbered files (some numbers missing, some other names), a list
// of them in random order, a few listed twice, and a request to number them.
struct TScene {
  TestUtil::TTempDir Dir;
  std::string Journals;
  TFileItems Items;
  TFolder Before;
  Rename::TRenameRequest Request;

  explicit TScene(std::mt19937& random, int files = 30) : Journals(Dir.File("journals")) {
    std::uniform_int_distribution<int> pick(0, 29);
    std::string data = Dir.File("data");
    ::mkdir(data.c_str(), 0700);
    for (int i = 0; i < files; ++i) {
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
  // Undoes the newest record of the folder as the window's Undo does; the
  // names it could not undo.
  std::size_t Undo() {
    Rename::TRenameRequest request = Request;
    request.ShowErrors = false;
    TestUtil::TScriptedUi ui;
    const Rename::TUndoOutcome outcome = Rename::RunUndo(Platform::FileSystem(), request, ui);
    EXPECT_TRUE(outcome.Found && outcome.Run.Ran);
    EXPECT_EQ(outcome.Damage, "");
    return outcome.Left.size() + outcome.Run.Failed;
  }
  // Renames as the window does, or untangled as morvane-cli --apply --untangle.
  void Run(Platform::TFileSystem& fs, bool untangled) {
    TestUtil::TScriptedUi ui;
    if (!untangled) {
      Rename::RunRename(fs, Items, Request, ui);
      return;
    }
    Rename::Preview(Items, Request.Preview);
    RunUntangled(fs, Data(), Items, Journals);
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

// Abort comes from the failure box, or from the user while the run goes on.
TEST(Undo, RestoresAfterFullRunAndAfterAbort) {
  RunThenUndo(40, [](unsigned seed, std::mt19937&, TScene& scene) {
    TestUtil::TScriptedUi ui;
    ui.Fallback = seed % 2 ? Rename::TFailAnswer::Abort : Rename::TFailAnswer::Ignore;
    if (seed % 4 == 0) ui.MovesBeforeStop = static_cast<int>(seed % 7);
    Rename::RunRename(Platform::FileSystem(), scene.Items, scene.Request, ui);
    ASSERT_TRUE(TestUtil::Exists(scene.Journals));
  });
}

// A folder of thousands of files has its identities read on several threads,
// in the run and in the undo.
TEST(Undo, RestoresALargeFolder) {
  std::mt19937 random(7);
  TScene scene(random, 3000);
  TestUtil::TScriptedUi ui;
  Rename::RunRename(Platform::FileSystem(), scene.Items, scene.Request, ui);
  ASSERT_NE(ReadFolder(scene.Data()), scene.Before);
  EXPECT_EQ(scene.Undo(), 0u);
  EXPECT_EQ(ReadFolder(scene.Data()), scene.Before);
}

// A child process renames a scene (plain or untangled: chains, cycles, files
// listed twice) and is killed before its k-th move, for every k: undo puts
// every file back under its old name, temporary names included, and reports
// nothing.
TEST(Undo, RestoresAfterAKillBeforeEveryMove) {
  for (const bool untangled : {false, true}) {
    for (unsigned seed = 1; seed <= 2; ++seed) {
      bool killed = true;
      for (int k = 0; killed; ++k) {
        SCOPED_TRACE(std::to_string(untangled) + " seed " + std::to_string(seed) + " kill " +
                     std::to_string(k));
        std::mt19937 random(seed);
        TScene scene(random);
        const pid_t child = ::fork();
        if (child == 0) {
          TFaultyFs fs;
          fs.BeforeMove = [k](int move, const std::string&, const std::string&) {
            if (move == k) ::kill(::getpid(), SIGKILL);
          };
          scene.Run(fs, untangled);
          ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        killed = WIFSIGNALED(status);
        EXPECT_EQ(scene.Undo(), 0u);
        ASSERT_EQ(ReadFolder(scene.Data()), scene.Before);
      }
    }
  }
}

// Three files a, b, c holding A, B, C; the run's rows, what happens during
// and after it, the changes to the folder after undo ("" for a name that is
// gone) and the rows undo leaves alone. Each case runs plain and untangled.
struct TSituation {
  const char* Name;
  std::vector<std::pair<std::string, std::string>> Rows;
  std::function<void(TFaultyFs&, const std::string& dir)> During;
  std::function<void(const std::string& dir)> After;
  TFolder Expected;
  std::vector<TUndoReason> Left;
};

void Put(const std::string& path, const std::string& data) { TestUtil::WriteFileBytes(path, data); }

const TSituation Situations[] = {
    {"new name held before the run", {{"a", "b"}}, nullptr, nullptr, {}, {}},
    {"listed twice", {{"a", "x"}, {"a", "y"}}, nullptr, nullptr, {}, {}},
    {"listed twice, first move refused",
     {{"a", "x"}, {"a", "y"}},
     [](TFaultyFs& fs, const std::string&) { fs.Refuse = TestUtil::RefuseMove("a", "x", EACCES); },
     nullptr,
     {},
     {}},
    {"move refused",
     {{"a", "x"}, {"b", "y"}},
     [](TFaultyFs& fs, const std::string&) { fs.Refuse = TestUtil::RefuseMove("a", "", EACCES); },
     nullptr,
     {},
     {}},
    {"file created under a planned name during the run",
     {{"a", "x"}, {"b", "y"}},
     [](TFaultyFs& fs, const std::string& dir) {
       fs.BeforeMove = [dir](int, const std::string& from, const std::string&) {
         if (from == "b") Put(dir + "/y", "late");
       };
     },
     nullptr,
     {{"y", "late"}},
     {}},
    {"old name created after the run",
     {{"a", "x"}},
     nullptr,
     [](const std::string& dir) { Put(dir + "/a", "new"); },
     {{"a", "new"}, {"x", "A"}},
     {TUndoReason::OldNameTaken}},
    {"renamed file replaced after the run",
     {{"a", "x"}, {"b", "y"}},
     nullptr,
     [](const std::string& dir) {
       ::unlink((dir + "/x").c_str());
       Put(dir + "/x", "other");
     },
     {{"a", ""}, {"x", "other"}},
     {TUndoReason::OtherFile}},
    {"renamed file deleted after the run",
     {{"a", "x"}},
     nullptr,
     [](const std::string& dir) { ::unlink((dir + "/x").c_str()); },
     {{"a", ""}},
     {TUndoReason::NotThere}},
    {"swap", {{"a", "b"}, {"b", "a"}}, nullptr, nullptr, {}, {}},
};

TEST(Undo, MovesBackOnlyTheFilesTheRunMoved) {
  for (const bool untangled : {false, true}) {
    for (const TSituation& c : Situations) {
      SCOPED_TRACE(std::string(c.Name) + (untangled ? " untangled" : " plain"));
      TestUtil::TTempDir dir;
      const std::string data = dir.File("data");
      ::mkdir(data.c_str(), 0700);
      for (const char* name : {"a", "b", "c"}) Put(data + "/" + name, {char(name[0] - 32)});
      TFolder expected = {{"a", "A"}, {"b", "B"}, {"c", "C"}};
      for (const auto& [name, content] : c.Expected) {
        if (content.empty())
          expected.erase(name);
        else
          expected[name] = content;
      }
      TFileItems items;
      for (const auto& [from, to] : c.Rows) items.push_back(TFileItem{from, to, -1, false});
      TFaultyFs fs;
      if (c.During) c.During(fs, data);
      if (untangled)
        RunUntangled(fs, data, items, dir.File("j"));
      else
        RunPlain(fs, data, items, dir.File("j"));
      if (c.After) c.After(data);
      const Rename::TUndoOutcome outcome = UndoIn(Platform::FileSystem(), data, dir.File("j"));
      std::vector<TUndoReason> left;
      for (const Rename::TUndoLeft& row : outcome.Left) left.push_back(row.Reason);
      EXPECT_EQ(left, c.Left);
      EXPECT_EQ(ReadFolder(data), expected);
      // A complete undo removes its record; one that left a row keeps it.
      EXPECT_EQ(TestUtil::ListNames(dir.File("j")).size(), c.Left.empty() ? 0u : 1u);
    }
  }
}

// A move into a subfolder is recorded without its new name and reported.
TEST(Undo, ReportsAMoveIntoASubfolder) {
  TestUtil::TTempDir dir;
  Put(dir.File("a"), "A");
  ::mkdir(dir.File("sub").c_str(), 0700);
  TFileItems items = {TFileItem{"a", "sub/a", -1, false}};
  RunPlain(Platform::FileSystem(), dir.Path(), items, dir.File("sub/j"));
  const Rename::TUndoOutcome outcome =
      UndoIn(Platform::FileSystem(), dir.Path(), dir.File("sub/j"));
  ASSERT_EQ(outcome.Left.size(), 1u);
  EXPECT_EQ(outcome.Left[0].Reason, TUndoReason::NotInFolder);
  EXPECT_EQ(outcome.Left[0].OldName, "a");
  EXPECT_EQ(TestUtil::ReadFileBytes(dir.File("sub/a")), "A");
}

// A cycle a→b→c→a whose k-th step fails: its earlier steps go back, last
// first, so that nothing moved. When the first move back fails too, the file
// under its temporary name is named with both paths, and undo puts it back.
TEST(Untangle, FailedCycleStepRollsBackLastFirst) {
  for (int fail = 1; fail <= 4; ++fail) {  // move 0 is d→e, then a→T, c→a, b→c, T→b
    for (const bool backFails : {false, true}) {
      if (backFails && fail == 1) continue;
      SCOPED_TRACE("step " + std::to_string(fail) + (backFails ? ", move back fails" : ""));
      TestUtil::TTempDir dir;
      const std::string data = dir.File("data");
      ::mkdir(data.c_str(), 0700);
      for (const char* name : {"a", "b", "c", "d"}) Put(data + "/" + name, name);
      const TFolder before = ReadFolder(data);
      TFileItems items = {{"a", "b", -1, false},
                          {"b", "c", -1, false},
                          {"c", "a", -1, false},
                          {"d", "e", -1, false}};
      TFaultyFs fs;
      fs.Refuse = [&fs, fail, backFails](const std::string&, const std::string&) {
        const int move = static_cast<int>(fs.Moves.size()) - 1;
        return move == fail || (backFails && move == fail + 1) ? EIO : 0;
      };
      const Rename::TStepsOutcome outcome = RunUntangled(fs, data, items, dir.File("j"));
      EXPECT_EQ(TestUtil::Statuses(items),
                (std::vector<TMoveStatus>{TMoveStatus::Failed, TMoveStatus::Failed,
                                          TMoveStatus::Failed, TMoveStatus::Renamed}));
      TFolder expected = before;
      expected["e"] = expected["d"];
      expected.erase("d");
      ASSERT_EQ(outcome.Stranded.empty(), !backFails);
      if (!backFails) {
        EXPECT_EQ(ReadFolder(data), expected);
        continue;
      }
      for (const Rename::TStranded& file : outcome.Stranded)
        EXPECT_EQ(TestUtil::ReadFileBytes(data + "/" + file.Name), file.Home);
      EXPECT_EQ(UndoIn(Platform::FileSystem(), data, dir.File("j")).Left.size(), 0u);
      EXPECT_EQ(ReadFolder(data), before);
    }
  }
}

// A file that appears under the temporary name fails the cycle before any
// move; it stays as it is.
TEST(Untangle, TemporaryNameTakenDuringTheRun) {
  TestUtil::TTempDir dir;
  for (const char* name : {"a", "b"}) Put(dir.File(name), name);
  TFileItems items = {{"a", "b", -1, false}, {"b", "a", -1, false}};
  TFaultyFs fs;
  fs.BeforeMove = [&dir](int move, const std::string&, const std::string& to) {
    if (move == 0) Put(dir.File(to), "intruder");
  };
  const Rename::TStepsOutcome outcome = RunUntangled(fs, dir.Path(), items, dir.File(".j"));
  EXPECT_EQ(outcome.Failed, 2u);
  TFolder folder = ReadFolder(dir.Path());
  folder.erase(".j");
  ASSERT_EQ(folder.size(), 3u);
  EXPECT_EQ(folder["a"] + folder["b"], "ab");
}

// Undo whose move back fails keeps its record; the next undo completes it.
TEST(Undo, FailedMoveBackKeepsTheRecord) {
  TestUtil::TTempDir dir;
  for (const char* name : {"a", "b"}) Put(dir.File(name), name);
  const TFolder before = ReadFolder(dir.Path());
  TFileItems items = {{"a", "x", -1, false}, {"b", "y", -1, false}};
  RunPlain(Platform::FileSystem(), dir.Path(), items, dir.File("j"));
  TFaultyFs fs;
  fs.Refuse = TestUtil::RefuseMove("y", "b", EIO);
  const Rename::TUndoOutcome failed = UndoIn(fs, dir.Path(), dir.File("j"));
  EXPECT_EQ(failed.Run.Failed, 1u);
  EXPECT_EQ(TestUtil::ListNames(dir.File("j")).size(), 1u);
  EXPECT_EQ(UndoIn(Platform::FileSystem(), dir.Path(), dir.File("j")).Run.Failed, 0u);
  EXPECT_FALSE(TestUtil::Exists(dir.File("j")) && !TestUtil::ListNames(dir.File("j")).empty());
  TFolder after = ReadFolder(dir.Path());
  after.erase("j");
  EXPECT_EQ(after, before);
}

// The newest record of the folder cut short, or naming a file outside it,
// moves nothing and says which record and what is wrong.
TEST(Undo, UnreadableJournalMovesNothing) {
  const struct {
    std::string Body;
    std::string Error;
  } cases[] = {{"-\tb\ta\t1\t2\t3\t4", "cut short"},
               {"-\t../b\ta\t1\t2\t3\t4\t5\nend\n", "not one path component"},
               {"-\tb\t/etc/a\t1\t2\t3\t4\t5\nend\n", "not one path component"}};
  for (const auto& c : cases) {
    TestUtil::TTempDir dir;
    Put(dir.File("a"), "a");
    const Platform::TDirectory folder(Platform::FileSystem(), dir.Path());
    ASSERT_TRUE(Platform::MakeDirectories(dir.File("j")));
    const std::string file = dir.File("j/run-00000000000000000007.journal");
    Put(file, "morvane journal 2\ndir\t" + folder.RealPath() + "\nrows\t1\n" + c.Body);
    Rename::TRenameRequest request;
    request.Dir = dir.Path();
    request.JournalFolder = dir.File("j");
    request.WarnBeforeRename = request.ShowErrors = false;
    TestUtil::TScriptedUi ui;
    const Rename::TUndoOutcome outcome = Rename::RunUndo(Platform::FileSystem(), request, ui);
    EXPECT_TRUE(outcome.Found && outcome.Run.Ran);
    EXPECT_TRUE(outcome.Damage.starts_with(file + ": ")) << outcome.Damage;
    EXPECT_NE(outcome.Damage.find(c.Error), std::string::npos) << outcome.Damage;
    EXPECT_FALSE(outcome.Run.ShowErrors);
    EXPECT_TRUE(outcome.Moves.empty());
    EXPECT_EQ(ui.Busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(TestUtil::ListNames(dir.Path()), (std::vector<std::string>{"a", "j"}));
    EXPECT_TRUE(TestUtil::Exists(file));
  }
}

// A record rewritten between undo's reading of it and its second reading of
// the moves back is damage: nothing moves.
TEST(Undo, RecordChangedBetweenItsReadsMovesNothing) {
  struct TRewritingFs : Platform::TFileSystem {
    std::string File, Then;
    int Reads = 0;
    int ReadPieces(const std::string& path,
                   const std::function<bool(std::string_view)>& sink) override {
      if (path == File && ++Reads == 3) Put(File, Then);  // the head, the whole, the moves
      return Platform::TFileSystem::ReadPieces(path, sink);
    }
  } fs;
  TestUtil::TTempDir dir;
  Put(dir.File("b"), "b");
  const Platform::TDirectory folder(fs, dir.Path());
  Platform::TFileId id;
  ASSERT_EQ(folder.FileId("b", id), 0);
  ASSERT_TRUE(Platform::MakeDirectories(dir.File("j")));
  fs.File = dir.File("j/run-00000000000000000001.journal");
  Put(fs.File,
      Rename::FormatJournal({folder.RealPath(), {{.OldName = "a", .NewName = "b", .Id = id}}}));
  fs.Then =
      Rename::FormatJournal({folder.RealPath(), {{.OldName = "c", .NewName = "b", .Id = id}}});
  const Rename::TUndoOutcome outcome = UndoIn(fs, dir.Path(), dir.File("j"));
  EXPECT_EQ(fs.Reads, 3);
  EXPECT_NE(outcome.Damage.find("changed while undo read it"), std::string::npos) << outcome.Damage;
  EXPECT_TRUE(outcome.Moves.empty());
  EXPECT_EQ(TestUtil::ListNames(dir.Path()), (std::vector<std::string>{"b", "j"}));
}

TEST(Undo, ReportListsTheRowsItLeftUpToALimit) {
  const Rename::TUndoTexts texts{"Not undone %s:", "taken", "gone", "More:", "other", "folder"};
  std::vector<Rename::TUndoLeft> many(25, {"o", "n", TUndoReason::NotThere});
  const std::string arrow = " \xe2\x86\x92 ";
  const struct {
    std::vector<Rename::TUndoLeft> Left;
    std::size_t Listed;
    std::string Text;
  } cases[] = {
      {{}, 20, ""},
      {{{"a", "1", TUndoReason::OldNameTaken}, {"\xff", "2", TUndoReason::NotThere}},
       20,
       "Not undone %s:\n/d/1" + arrow + "/d/a: taken\n/d/2" + arrow + "/d/\xff: gone"},
      {{{"a\xe2\x80\xae", "1", TUndoReason::OtherFile}, {"b", "", TUndoReason::NotInFolder}},
       1,
       "Not undone %s:\n/d/1" + arrow + "/d/a<U+202E>: other\nMore: 1"},
      {{{"b", "", TUndoReason::NotInFolder}}, 1, "Not undone %s:\n/d/b: folder"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Rename::UndoProblemsText("/d", c.Left, texts, c.Listed), c.Text);
  const std::string text = Rename::UndoProblemsText("/d", many, texts);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 21);
  EXPECT_TRUE(text.ends_with("/d/o: gone\nMore: 5")) << text;
}

// After the rescan, a row whose old name is taken stays visible on the row
// of its file, as a move back that failed untried; a failed move back keeps
// its error.
TEST(Undo, FailuresOfAnUndoStayOnTheRowsOfTheRescan) {
  Rename::TUndoOutcome outcome;
  outcome.Moves = {TFileItem{"3", "c", -1, false}, TFileItem{"4", "d", -1, false}};
  outcome.Moves[1].Status = TMoveStatus::Failed;
  outcome.Moves[1].Error = 13;
  outcome.Left = {{"a", "1", TUndoReason::OldNameTaken}, {"b", "2", TUndoReason::NotThere}};
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

// Random maps of names onto names (chains, cycles, swaps, a few targets held
// by files outside the list, a few files listed twice): every move that can
// be made is made, every file ends under its old name or its planned one, no
// file stays under a temporary name, and undo restores the folder.
TEST(Untangle, FreesEveryTargetBreaksCyclesAndUndoes) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    TestUtil::TTempDir dir;
    const std::string data = dir.File("data");
    ::mkdir(data.c_str(), 0700);
    std::vector<std::string> names;
    for (int i = 0; i < 20; ++i) names.push_back("f" + std::to_string(i));
    std::vector<std::string> targets = names;
    std::shuffle(targets.begin(), targets.end(), random);
    TFileItems items;
    for (std::size_t i = 0; i < names.size(); ++i) {
      Put(data + "/" + names[i], names[i]);
      if (random() % 5 == 0) continue;  // not listed: its name stays taken
      items.push_back(TFileItem{names[i], targets[i], -1, false});
      if (random() % 7 == 0) items.push_back(TFileItem{names[i], targets[(i + 1) % 20], -1, false});
    }
    const TFolder before = ReadFolder(data);
    RunUntangled(Platform::FileSystem(), data, items, dir.File("j"));
    const TFolder after = ReadFolder(data);
    EXPECT_EQ(after.size(), before.size());
    for (const auto& entry : after) {
      const std::string& name = entry.first;
      const std::string& content = entry.second;
      EXPECT_FALSE(name.starts_with(".morvane"));
      // The file under each name is the one that had it or was planned to get it.
      EXPECT_TRUE(content == name || std::any_of(items.begin(), items.end(),
                                                 [&](const auto& row) {
                                                   return row.OldName == content &&
                                                          row.NewName == name &&
                                                          row.Status == TMoveStatus::Renamed;
                                                 }))
          << name << " holds " << content;
    }
    EXPECT_EQ(UndoIn(Platform::FileSystem(), data, dir.File("j")).Left.size(), 0u);
    EXPECT_EQ(ReadFolder(data), before);
  }
}

// Two runs in one folder: while one holds the folder, the other moves nothing.
TEST(Undo, SecondRunInAFolderMovesNothing) {
  TestUtil::TTempDir dir;
  Put(dir.File("a"), "a");
  const Platform::TDirectory held(Platform::FileSystem(), dir.Path());
  const Platform::TDirLock lock(Platform::FileSystem(), held, false);
  ASSERT_EQ(lock.Error(), 0);
  Rename::TRenameRequest request;
  request.Dir = dir.Path();
  request.WarnBeforeRename = false;
  request.JournalFolder = dir.File("j");
  request.Preview.Page = Rename::TPage::Rename;
  TFileItems items = {TFileItem{"a", "", -1, false}};
  TestUtil::TScriptedUi ui;
  EXPECT_TRUE(Rename::RunRename(Platform::FileSystem(), items, request, ui).FolderBusy);
  EXPECT_EQ(TestUtil::ListNames(dir.Path()), (std::vector<std::string>{"a"}));
  ASSERT_TRUE(Platform::MakeDirectories(dir.File("j")));
  Put(dir.File("j/run-00000000000000000001.journal"),
      Rename::FormatJournal({held.RealPath(), {{.OldName = "a", .NewName = "b", .Id = {}}}}));
  EXPECT_TRUE(Rename::RunUndo(Platform::FileSystem(), request, ui).FolderBusy);
  EXPECT_TRUE(ui.Busy.empty());
}

}  // namespace
