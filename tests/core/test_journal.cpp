// The run's record: odd names and identities come back as written; damaged
// records are refused as a whole with what is wrong, in bounded memory;
// records are private, kept by sequence number, and a record that cannot be
// written stops the run unless the user renames without undo.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/faultyfs.h"
#include "core/scriptedui.h"
#include "core/testutil.h"
#include "platform/filesystem.h"
#include "rename/journal.h"
#include "rename/renamerun.h"

namespace {

using Rename::TJournal;
using TestUtil::TTempDir;

const std::string Head = "morvane journal 2\ndir\t/d\nrows\t1\n";

TEST(Journal, KeepsOddNamesAndIdentities) {
  const TJournal journal{"/x\t\\y\n",
                         {{"a\tb", "c\nd\\e\r", {1, 2, 3, -4, 5}, true, false},
                          {"\xff", "", {7, 8, 9, 10, 0}, false, true}}};
  TJournal back;
  std::string error;
  ASSERT_TRUE(Rename::ParseJournal(Rename::FormatJournal(journal), back, error)) << error;
  EXPECT_EQ(Rename::FormatJournal(back), Rename::FormatJournal(journal));
  EXPECT_EQ(back.Pairs[0].Id.ModifiedNs, -4);
  EXPECT_TRUE(back.Pairs[1].OutOfFolder);
}

// A plain run's plan, written in pieces straight from the rows, is the very
// text of the same record held whole, however many pieces it takes.
TEST(Journal, PlanWrittenInPiecesReadsBackWhole) {
  TTempDir dir;
  FileList::TFileItems rows;
  for (int i = 0; i < 1500; ++i) {
    const std::string name = "a photo of the long summer holiday by the sea " + std::to_string(i);
    TestUtil::WriteFileBytes(dir.File(name), "");
    rows.push_back({name, i % 3 ? "new " + std::to_string(i) : name, -1, false});
  }
  rows.push_back({"missing", "m", -1, false});
  rows.push_back({"a photo of the long summer holiday by the sea 7", "sub/x", -1, false});
  const Platform::TDirectory folder(Platform::FileSystem(), dir.Path());
  const Rename::TRowPlan plan = Rename::PlanOf(folder, rows);
  TJournal whole{plan.Dir, {}};
  for (const Rename::TPlannedMove& move : plan.Moves) {
    const FileList::TFileItem& row = rows[move.Row];
    whole.Pairs.push_back({row.OldName, move.OutOfFolder ? "" : row.NewName, move.Id,
                           move.ExpectedToFail, move.OutOfFolder});
  }
  ASSERT_EQ(whole.Pairs.size(), 1002u);
  EXPECT_TRUE(whole.Pairs[1000].ExpectedToFail);  // no file to identify
  const Rename::TJournalWrite written =
      Rename::WriteJournal(Platform::FileSystem(), dir.File("state"), plan);
  ASSERT_EQ(written.Error, 0);
  const std::string text = TestUtil::ReadFileBytes(written.Path);
  EXPECT_GT(text.size(), 65536u);
  EXPECT_EQ(text, Rename::FormatJournal(whole));
}

// Each damage refuses the whole record and says what is wrong.
TEST(Journal, DamagedRecordIsRefusedAsAWhole) {
  const std::string row = "-\ta\tb\t1\t2\t3\t4\t5\n";
  const struct {
    std::string Text;
    std::string Error;
  } cases[] = {
      {"", "cut short"},
      {Head + row, "cut short"},
      {Head + row.substr(0, 9), "cut short"},
      {Head + row + "end", "cut short"},
      {Head + row + "end\n\n", "after the end"},
      {Head + row + row + "end\n", "more rows"},
      {Head + "-\ta\tb\t1\t2\t3\t4\t5\t6\nend\n", "eight fields"},
      {Head + "?\ta\tb\t1\t2\t3\t4\t5\nend\n", "unknown kind"},
      {Head + "-\ta\tb\t1\t2\tx\t4\t5\nend\n", "identity"},
      {Head + "-\ta\tb\t-1\t2\t3\t4\t5\nend\n", "identity"},
      {Head + "-\t../a\tb\t1\t2\t3\t4\t5\nend\n", "path component"},
      {Head + "-\ta\t..\t1\t2\t3\t4\t5\nend\n", "path component"},
      {Head + "-\t\tb\t1\t2\t3\t4\t5\nend\n", "path component"},
      {Head + "-\ta\tx/y\t1\t2\t3\t4\t5\nend\n", "path component"},
      {Head + std::string("-\ta\0b\tc\t1\t2\t3\t4\t5\nend\n", 22), "path component"},
      {Head + "^\ta\tb\t1\t2\t3\t4\t5\nend\n", "path component"},
      {Head + "-\ta\\q\tb\t1\t2\t3\t4\t5\nend\n", "escape"},
      {"morvane journal 1\ndir\t/d\n-\ta\tb\n", "version"},
      {"morvane journal 2\ndir\trelative\nrows\t0\nend\n", "no directory"},
      {"morvane journal 2\ndir\t/d\nrows\t999999999999\nend\n", "row count"},
      {Head + std::string(Rename::MaxJournalLine + 1, 'x'), "longer"},
      {Head + std::string(1000, '\n'), "eight fields"},
  };
  for (const auto& c : cases) {
    TJournal journal;
    std::string error;
    EXPECT_FALSE(Rename::ParseJournal(c.Text, journal, error)) << c.Text;
    EXPECT_NE(error.find(c.Error), std::string::npos) << error << " for " << c.Text;
    EXPECT_TRUE(journal.Pairs.empty());
  }
}

long PeakKilobytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// 50 MB of blank lines, or of one endless line, is refused at once, read in
// pieces: the peak memory grows by far less than the file.
TEST(Journal, HugeDamagedRecordIsReadInBoundedMemory) {
  TTempDir dir;
  for (const char filler : {'\n', 'x'}) {
    {
      const std::string piece(1 << 20, filler);
      FILE* file = std::fopen(dir.File("r").c_str(), "wb");
      ASSERT_TRUE(file);
      std::fputs(Head.c_str(), file);
      for (int i = 0; i < 50; ++i) std::fwrite(piece.data(), 1, piece.size(), file);
      std::fclose(file);
    }
    const long before = PeakKilobytes();
    TJournal journal;
    std::string error;
    EXPECT_FALSE(Rename::ReadJournal(Platform::FileSystem(), dir.File("r"), journal, error));
    EXPECT_FALSE(error.empty());
    EXPECT_LT(PeakKilobytes() - before, 20 * 1024);
  }
}

std::vector<std::string> Records(const std::string& folder) {
  std::vector<std::string> names;
  for (const std::string& name : TestUtil::ListNames(folder))
    if (name.starts_with("run-")) names.push_back(name);
  return names;
}

// Records are numbered one past the highest, whatever the clock says, and
// the last ten by number stay; folders made for them are 0700, records 0600.
TEST(Journal, PrivateRecordsKeptBySequence) {
  TTempDir dir;
  const std::string folder = dir.File("state/morvane");
  const mode_t mask = ::umask(0);
  Rename::TJournalWrite written;
  for (int i = 0; i < 12; ++i) {
    written = Rename::WriteJournal(
        Platform::FileSystem(), folder,
        {"/d", {{.OldName = "n" + std::to_string(i), .NewName = "m", .Id = {}}}});
    ASSERT_EQ(written.Error, 0);
    // A clock set back or ahead changes nothing: the file times are not read.
    const timespec times[2] = {{0, UTIME_OMIT}, {i % 2 ? 4000000000 : 1, 0}};
    ::utimensat(AT_FDCWD, written.Path.c_str(), times, 0);
  }
  ::umask(mask);
  struct stat st;
  for (const std::string& path : {dir.File("state"), folder, written.Path}) {
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, S_ISDIR(st.st_mode) ? 0700u : 0600u) << path;
  }
  const std::vector<std::string> names = Records(folder);
  ASSERT_EQ(names.size(), Rename::KeptJournals);
  EXPECT_EQ(names.front(), "run-00000000000000000003.journal");
  EXPECT_EQ(names.back(), "run-00000000000000000012.journal");
  const Rename::TFoundJournal found = Rename::FindLastJournal(Platform::FileSystem(), folder, "/d");
  EXPECT_EQ(found.Path, written.Path);
  TJournal last;
  std::string error;
  ASSERT_TRUE(Rename::ReadJournal(Platform::FileSystem(), found.Path, last, error)) << error;
  EXPECT_EQ(last.Pairs.at(0).OldName, "n11");
}

// A record that cannot be written names its path and the system's error;
// the window's run then asks, No renames nothing and Yes renames without
// undo.
TEST(Journal, UnwritableRecordStopsTheRunUnlessConfirmed) {
  struct TCase {
    const char* Name;
    int Injected;
    int Error;
  };
  for (const TCase& c :
       {TCase{"state folder is a file", 0, ENOTDIR}, TCase{"state folder is a FIFO", 0, ENOTDIR},
        TCase{"disk full", ENOSPC, ENOSPC}, TCase{"read-only", EROFS, EROFS}}) {
    for (const bool anyway : {false, true}) {
      SCOPED_TRACE(c.Name);
      TTempDir dir;
      TestUtil::WriteFileBytes(dir.File("a"), "a");
      std::string folder = dir.File("state");
      if (c.Name == std::string("state folder is a file")) TestUtil::WriteFileBytes(folder, "");
      if (c.Name == std::string("state folder is a FIFO")) ::mkfifo(folder.c_str(), 0600);
      TestUtil::TFaultyFs fs;
      fs.WriteError = c.Injected;
      Rename::TRenameRequest request;
      request.Dir = dir.Path();
      request.WarnBeforeRename = false;
      request.JournalFolder = folder;
      request.Texts.NoUndo = "No undo (%s). Go?";
      request.Preview.Page = Rename::TPage::Rename;
      FileList::TFileItems items = {FileList::TFileItem{"a", "", -1, false}};
      TestUtil::TScriptedUi ui;
      ui.NoUndoAnswer = anyway;
      const Rename::TRunOutcome outcome = Rename::RunRename(fs, items, request, ui);
      ASSERT_EQ(ui.NoUndoAsked.size(), 1u);
      EXPECT_NE(ui.NoUndoAsked[0].find(Platform::ErrorText(c.Error)), std::string::npos);
      EXPECT_TRUE(ui.NoUndoAsked[0].starts_with("No undo (" + folder)) << ui.NoUndoAsked[0];
      EXPECT_EQ(outcome.Ran, anyway);
      EXPECT_EQ(TestUtil::Exists(dir.File("a")), !anyway);
    }
  }
}

}  // namespace
