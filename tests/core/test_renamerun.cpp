#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/envguard.h"
#include "core/scriptedui.h"
#include "core/testutil.h"
#include "platform/filesystem.h"
#include "rename/renamerun.h"

namespace {

using FileList::TFileItem;
using FileList::TFileItems;
using FileList::TMoveStatus;
using Rename::TFailAnswer;
using Rename::TRenameRequest;
using Rename::TRunOutcome;
using TestUtil::ListNames;
using TestUtil::ReadFileBytes;
using TestUtil::Statuses;
using TestUtil::TTempDir;
using TestUtil::WriteFileBytes;
using TNames = std::vector<std::string>;

const char BuiltInCantRen[] =
    "Cannot rename %s to %s!\r\n\r\nN.B. This warn can be disabled in options";
const char BuiltInRen[] = "Renaming files... ";

using TFakeUi = TestUtil::TScriptedUi;

TFileItems Items(const TNames& names) {
  TFileItems items;
  for (const std::string& name : names) items.push_back(TFileItem{name, "", -1, false});
  return items;
}

// Each file holds its own name, so a moved or overwritten file shows.
void MakeFiles(const TTempDir& dir, const TNames& names) {
  for (const std::string& name : names) WriteFileBytes(dir.File(name), "content of " + name);
}

TRenameRequest Request(const TTempDir& dir) {
  TRenameRequest request;
  request.Dir = dir.Path();
  request.WarnBeforeRename = false;
  request.Texts = {"Really rename file(s)?", BuiltInCantRen, BuiltInRen};
  return request;  // start values: running numbers with the old extension
}

TRenameRequest Replace(const TTempDir& dir, const std::string& search, const std::string& with) {
  TRenameRequest request = Request(dir);
  request.Preview.Page = Rename::TPage::Replace;
  request.Preview.Replace = {search, with, false};
  return request;
}

// A folder of its own and a scripted window for each run.
class RenameRun : public ::testing::Test {
 protected:
  // Makes the files, then runs the request on rows of the listed names.
  TRunOutcome Run(const TNames& files, TFileItems& items, const TRenameRequest& request) {
    MakeFiles(FDir, files);
    return Rename::RunRename(Platform::FileSystem(), items, request, FUi);
  }
  TRunOutcome Run(const TNames& files, TFileItems& items) {
    return Run(files, items, Request(FDir));
  }
  TTempDir FDir;
  TFakeUi FUi;
};

using TProgress = std::vector<std::pair<int, std::string>>;

TEST_F(RenameRun, EmptyListDoesNothing) {
  TFileItems items;
  TRenameRequest request = Request(FDir);
  request.WarnBeforeRename = true;
  EXPECT_FALSE(Run({}, items, request).Ran);
  EXPECT_TRUE(FUi.Confirms.empty());
  EXPECT_TRUE(FUi.Progress.empty());
  EXPECT_TRUE(FUi.Busy.empty());
}

TEST_F(RenameRun, CancelLeavesNamesAndFilesAlone) {
  TFileItems items = Items({"a.txt", "b.txt"});
  items[0].NewName = "stale";
  TRenameRequest request = Request(FDir);
  request.WarnBeforeRename = true;
  FUi.ConfirmAnswer = false;
  EXPECT_FALSE(Run({"a.txt", "b.txt"}, items, request).Ran);
  EXPECT_EQ(FUi.Confirms, std::vector<std::string>{"Really rename file(s)?"});
  EXPECT_EQ(items[0].NewName, "stale");
  EXPECT_EQ(items[1].NewName, "");
  EXPECT_TRUE(FUi.Busy.empty());
  EXPECT_TRUE(FUi.Progress.empty());
  EXPECT_EQ(ListNames(FDir.Path()), (TNames{"a.txt", "b.txt"}));
}

TEST_F(RenameRun, AllSucceedWithProgressInListOrder) {
  TFileItems items = Items({"c.jpg", "a.png", "b"});
  items[0].NewName = "stale";
  TRenameRequest request = Request(FDir);
  request.WarnBeforeRename = true;
  request.Preview.Name.Prefix = true;
  request.Preview.Name.PrefixText = "img_";
  FUi.Items = &items;
  const TRunOutcome result = Run({"c.jpg", "a.png", "b"}, items, request);
  // Asked before the preview: the question saw the old column.
  EXPECT_EQ(FUi.NewNamesAtConfirm, (TNames{"stale", "", ""}));
  EXPECT_TRUE(result.Ran);
  EXPECT_FALSE(result.Aborted);
  EXPECT_EQ(result.Renamed, 3u);
  EXPECT_EQ(ListNames(FDir.Path()), (TNames{"img_1.jpg", "img_2.png", "img_3"}));
  EXPECT_EQ(ReadFileBytes(FDir.File("img_2.png")), "content of a.png");
  EXPECT_EQ(FUi.Progress, (TProgress{{0, "Renaming files...  0%"},
                                     {33, "Renaming files...  33%"},
                                     {66, "Renaming files...  66%"},
                                     {100, " Ok! "}}));
  EXPECT_EQ(FUi.Busy, (std::vector<bool>{true, false}));
  EXPECT_TRUE(FUi.Failures.empty());
}

// Where links are refused too (the fallback run), every move is a check and a
// plain rename, and the outcome counts them for the window to say so.
TEST_F(RenameRun, CountsTheMovesMadeWithoutAnAtomicCheck) {
  const TestUtil::TEnvGuard noLinks("MORVANE_NO_LINKAT", "1");
  TFileItems items = Items({"a", "b"});
  const TRunOutcome result = Run({"a", "b"}, items);
  EXPECT_EQ(result.Unchecked, std::getenv("MORVANE_EXPECT_NO_RENAMEAT2") ? 2u : 0u);
  EXPECT_EQ(ListNames(FDir.Path()), (TNames{"1", "2"}));
}

// An error out of the run (here from the progress display) still leaves the
// window enabled, and the file that was moved keeps its new name.
TEST_F(RenameRun, ErrorDuringTheRunEndsTheBusyState) {
  TFileItems items = Items({"a"});
  FUi.OnProgress = [](int) { throw std::runtime_error("display gone"); };
  EXPECT_THROW(Run({"a"}, items), std::runtime_error);
  EXPECT_EQ(FUi.Busy, (std::vector<bool>{true, false}));
  EXPECT_EQ(ListNames(FDir.Path()), TNames{"1"});
}

TEST_F(RenameRun, ProgressTextFollowsTheCurrentRenText) {
  TFileItems items = Items({"x"});
  TRenameRequest request = Request(FDir);
  request.Texts.Ren = "Umbenennen...";  // a language file drops the outer blanks
  Run({"x"}, items, request);
  EXPECT_EQ(FUi.Progress, (TProgress{{0, "Umbenennen... 0%"}, {100, " Ok! "}}));
}

TEST_F(RenameRun, TargetTakenByAnUnlistedFileFails) {
  TFileItems items = Items({"a.txt"});
  Run({"a.txt", "b.txt"}, items, Replace(FDir, "a", "b"));
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].Status, TMoveStatus::Failed);
  EXPECT_EQ(items[0].Error, EEXIST);
  EXPECT_EQ(ReadFileBytes(FDir.File("a.txt")), "content of a.txt");
  EXPECT_EQ(ReadFileBytes(FDir.File("b.txt")), "content of b.txt");
  const std::string expected = "Cannot rename " + FDir.File("a.txt") + " to " + FDir.File("b.txt") +
                               "!\r\n\r\nN.B. This warn can be disabled in options";
  EXPECT_EQ(FUi.Failures, std::vector<std::string>{expected});
}

TEST_F(RenameRun, RetryMovesAgainOnceTheTargetIsFree) {
  TFileItems items = Items({"x.txt", "y.txt"});
  FUi.Answers = {TFailAnswer::Retry};
  FUi.BeforeAnswer = [&] { ::unlink(FDir.File("1.txt").c_str()); };
  Run({"1.txt", "x.txt", "y.txt"}, items);
  EXPECT_EQ(FUi.Failures.size(), 1u);
  EXPECT_EQ(Statuses(items), (std::vector{TMoveStatus::Renamed, TMoveStatus::Renamed}));
  EXPECT_EQ(ReadFileBytes(FDir.File("1.txt")), "content of x.txt");
  EXPECT_EQ(ReadFileBytes(FDir.File("2.txt")), "content of y.txt");
}

// How a run ends, by the files, the rows, the answers to the failure boxes and
// the names the file system refuses (inside the opened directory an empty name
// names no entry at all).
struct TOutcomeRow {
  const char* Name;
  std::string Files, Listed;  // words; each file holds "content of " and its name
  std::string Search, With;   // no search: the start values (numbering)
  const char* Answers;        // a letter per box: Ignore, Abort, Retry; then Ignore
  bool ShowErrors;
  const char* Statuses;        // a letter per row: Renamed, Failed, Pending
  int Error;                   // of every failed row
  std::string Folder;          // "new<old" words: new holds the content of old
  std::size_t Boxes, Updates;  // failure boxes; progress updates, " Ok! " included
  bool Aborted, ShowErrorsAfter;
};

const TOutcomeRow OutcomeRows[] = {
    // x.txt wants 1.txt, which moves on to 2.txt only afterwards.
    {"ChainTargetRenamedLater", "x.txt 1.txt", "x.txt 1.txt", "", "", "", true, "FR", EEXIST,
     "2.txt<1.txt x.txt<x.txt", 1, 3, false, false},
    {"FileListedTwice", "a.txt", "a.txt a.txt", "", "", "", true, "RF", ENOENT, "1.txt<a.txt", 1, 3,
     false, false},
    {"AbortOnTheFirstFailure", "1.txt x.txt y.txt z.txt", "x.txt y.txt z.txt", "", "", "A", true,
     "FPP", EEXIST, "1.txt<1.txt x.txt<x.txt y.txt<y.txt z.txt<z.txt", 1, 1, true, true},
    {"IgnoreSilencesTheRest", "1.txt 2.txt x.txt y.txt z.txt", "x.txt y.txt z.txt", "", "", "IA",
     true, "FFR", EEXIST, "1.txt<1.txt 2.txt<2.txt 3.txt<z.txt x.txt<x.txt y.txt<y.txt", 1, 4,
     false, false},
    {"ErrorsOffShowsNoBox", "1.txt x.txt", "x.txt", "", "", "", false, "F", EEXIST,
     "1.txt<1.txt x.txt<x.txt", 0, 2, false, false},
    {"RetryThatFailsAgainAsksAgain", "1.txt x.txt", "x.txt", "", "", "RRI", true, "F", EEXIST,
     "1.txt<1.txt x.txt<x.txt", 3, 2, false, false},
    {"SameNameIsNoFailure", "keep.txt", "keep.txt", "zzz", "q", "", true, "R", 0,
     "keep.txt<keep.txt", 0, 2, false, true},
    {"EmptyName", "report.txt", "report.txt", "report.txt", "", "", true, "F", ENOENT,
     "report.txt<report.txt", 1, 2, false, false},
    {"TooLongName", "report.txt", "report.txt", "report", std::string(300, 'n'), "", true, "F",
     ENAMETOOLONG, "report.txt<report.txt", 1, 2, false, false},
    {"DotName", "report.txt", "report.txt", "report.txt", ".", "", true, "F", EEXIST,
     "report.txt<report.txt", 1, 2, false, false},
    {"DotDotName", "report.txt", "report.txt", "report.txt", "..", "", true, "F", EEXIST,
     "report.txt<report.txt", 1, 2, false, false},
    {"MissingFolder", "report.txt", "report.txt", "report", "none/r", "", true, "F", ENOENT,
     "report.txt<report.txt", 1, 2, false, false}};

TNames Words(const std::string& text) {
  std::istringstream in(text);
  return TNames(std::istream_iterator<std::string>(in), std::istream_iterator<std::string>());
}

class RenameRunOutcome : public RenameRun, public ::testing::WithParamInterface<TOutcomeRow> {};

TEST_P(RenameRunOutcome, EndsAsTheAnswersSayAndLosesNoFile) {
  const TOutcomeRow& row = GetParam();
  TFileItems items = Items(Words(row.Listed));
  TRenameRequest request = row.Search.empty() ? Request(FDir) : Replace(FDir, row.Search, row.With);
  request.ShowErrors = row.ShowErrors;
  for (const char c : std::string(row.Answers))
    FUi.Answers.push_back(c == 'I'   ? TFailAnswer::Ignore
                          : c == 'A' ? TFailAnswer::Abort
                                     : TFailAnswer::Retry);
  const TRunOutcome result = Run(Words(row.Files), items, request);
  std::string statuses;
  std::map<std::string, std::string> folder;
  for (const TFileItem& item : items) {
    statuses += item.Status == TMoveStatus::Renamed  ? 'R'
                : item.Status == TMoveStatus::Failed ? 'F'
                                                     : 'P';
    EXPECT_EQ(item.Error, item.Status == TMoveStatus::Failed ? row.Error : 0) << item.OldName;
  }
  EXPECT_EQ(statuses, row.Statuses);
  EXPECT_EQ(result.Renamed, std::count(statuses.begin(), statuses.end(), 'R'));
  EXPECT_EQ(result.Failed, std::count(statuses.begin(), statuses.end(), 'F'));
  for (const std::string& pair : Words(row.Folder))
    folder[pair.substr(0, pair.find('<'))] = "content of " + pair.substr(pair.find('<') + 1);
  EXPECT_EQ(TestUtil::ReadFolder(FDir.Path()), folder);
  EXPECT_EQ(FUi.Failures.size(), row.Boxes);
  EXPECT_EQ(FUi.Progress.size(), row.Updates);
  EXPECT_EQ(FUi.Progress.back(), (TProgress::value_type{100, " Ok! "}));
  EXPECT_EQ(FUi.Busy, (std::vector<bool>{true, false}));
  EXPECT_EQ(result.Aborted, row.Aborted);
  EXPECT_EQ(result.ShowErrors, row.ShowErrorsAfter);
}

INSTANTIATE_TEST_SUITE_P(Rows, RenameRunOutcome, ::testing::ValuesIn(OutcomeRows),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(RenameRun, ReadOnlyFolderFailsForAnOrdinaryUser) {
  MakeFiles(FDir, {"a.txt", "b.txt"});
  TestUtil::GiveToNobody(FDir.Path());
  ASSERT_EQ(::chmod(FDir.Path().c_str(), 0555), 0);
  const int code = TestUtil::RunUnprivileged([&] {
    TFileItems items = Items({"a.txt", "b.txt"});
    TRenameRequest request = Request(FDir);
    TFakeUi ui;
    const TRunOutcome result = Rename::RunRename(Platform::FileSystem(), items, request, ui);
    if (result.Failed != 2 || ui.Failures.size() != 1) return 1;
    return items[0].Error;
  });
  ::chmod(FDir.Path().c_str(), 0755);
  EXPECT_EQ(code, EACCES);
  EXPECT_EQ(ListNames(FDir.Path()), (TNames{"a.txt", "b.txt"}));
}

TEST_F(RenameRun, NameThatIsNotUtf8IsRenamedByItsBytes) {
  const std::string latin1 = "\xC4rger-\xE9t\xE9.JPG";  // ÄRGER in Latin-1, not UTF-8
  TFileItems items = Items({"b\xFF.txt", latin1});
  TRenameRequest request = Request(FDir);
  request.Preview.Name.NamePart = Rename::TNamePart::PaddedNumber;
  request.Preview.Name.NameCase = Rename::TNameCase::Lower;
  EXPECT_EQ(Run({latin1, "b\xFF.txt"}, items, request).Renamed, 2u);
  EXPECT_EQ(ListNames(FDir.Path()), (TNames{"00001.txt", "00002.jpg"}));
  EXPECT_EQ(ReadFileBytes(FDir.File("00002.jpg")), "content of " + latin1);
}

// A file system that records the paths it is asked to move and succeeds.
class TRecordingFileSystem : public Platform::TFileSystem {
 public:
  std::vector<std::pair<std::string, std::string>> Moves;
  int RenameIn(const Platform::TDirectory& dir, const std::string& from,
               const std::string& to) override {
    Moves.emplace_back(FileList::PathIn(dir.Path(), from), FileList::PathIn(dir.Path(), to));
    return 0;
  }
};

class RenameRunRecorded : public ::testing::Test {
 protected:
  void SetUp() override { Platform::SetFileSystem(&FFs); }
  void TearDown() override { Platform::SetFileSystem(nullptr); }
  TRecordingFileSystem FFs;
};

TEST_F(RenameRunRecorded, SeparatorIsAlwaysAdded) {
  for (const std::string dirText : {"/", "", "/tmp/x/"}) {
    FFs.Moves.clear();
    TFileItems items = Items({"p.jpg"});
    TRenameRequest request;
    request.Dir = dirText;
    request.WarnBeforeRename = false;
    TFakeUi ui;
    Rename::RunRename(Platform::FileSystem(), items, request, ui);
    ASSERT_EQ(FFs.Moves.size(), 1u);
    EXPECT_EQ(FFs.Moves[0].first, dirText + "/p.jpg");
    EXPECT_EQ(FFs.Moves[0].second, dirText + "/1.jpg");
  }
}

TEST_F(RenameRunRecorded, ProgressIsShownOnlyWhenThePercentChanges) {
  struct TCase {
    std::size_t Rows;
    std::size_t Updates;  // percent updates, the final " Ok! " not counted
  };
  for (const TCase c : {TCase{1, 1}, TCase{3, 3}, TCase{100, 100}, TCase{250, 100},
                        TCase{1000, 100}, TCase{7, 7}}) {
    TFileItems items(c.Rows, TFileItem{"f", "", -1, false});
    TRenameRequest request;
    request.WarnBeforeRename = false;
    TFakeUi ui;
    Rename::RunRename(Platform::FileSystem(), items, request, ui);
    ASSERT_EQ(ui.Progress.size(), c.Updates + 1) << c.Rows;
    for (std::size_t i = 1; i < c.Updates; ++i)
      EXPECT_LT(ui.Progress[i - 1].first, ui.Progress[i].first);
    EXPECT_EQ(ui.Progress[c.Updates - 1].first, static_cast<int>((c.Rows - 1) * 100 / c.Rows));
    EXPECT_EQ(ui.Progress.back(), (TProgress::value_type{100, " Ok! "}));
  }
}

// The folder is swapped for a link to another folder half-way through the
// run: every move still happens in the folder that was opened.
TEST_F(RenameRun, StaysInTheFolderItOpened) {
  TTempDir root;
  ASSERT_EQ(::mkdir(root.File("chosen").c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(root.File("other").c_str(), 0700), 0);
  TNames names;
  for (int i = 0; i < 20; ++i) names.push_back("f" + std::to_string(i + 10) + ".txt");
  for (const std::string& name : names) {
    WriteFileBytes(root.File("chosen/" + name), name);
    WriteFileBytes(root.File("other/" + name), "other " + name);
  }
  TFileItems items = Items(names);
  TRenameRequest request;
  request.Dir = root.File("chosen");
  request.WarnBeforeRename = false;
  bool swapped = false;
  FUi.OnProgress = [&](int position) {
    if (swapped || position < 40) return;
    swapped = ::rename(root.File("chosen").c_str(), root.File("moved").c_str()) == 0 &&
              ::symlink("other", root.File("chosen").c_str()) == 0;
  };
  const TRunOutcome result = Rename::RunRename(Platform::FileSystem(), items, request, FUi);
  ASSERT_TRUE(swapped);
  EXPECT_EQ(result.Renamed, names.size());
  EXPECT_EQ(ListNames(root.File("other")), names);
  EXPECT_EQ(ListNames(root.File("moved")).front(), "1.txt");
  EXPECT_EQ(ReadFileBytes(root.File("moved/20.txt")), "f29.txt");
}

}  // namespace
