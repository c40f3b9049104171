#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/testutil.h"
#include "filelist/filter.h"
#include "filelist/scan.h"
#include "platform/filesystem.h"

namespace {

using FileList::TFileItems;
using Strings = std::vector<std::string>;

const std::string BadName = "bad\xff\xfe.txt";  // not valid UTF-8

Strings SortedNames(const TFileItems& items) {
  Strings names;
  for (const auto& item : items) names.push_back(item.OldName);
  std::sort(names.begin(), names.end());
  return names;
}

// A folder with every kind of entry the scan meets.
class TScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a.txt", "b.Txt", "c.TXT", "pic.bmp", "archive.tar.gz", "README",
                             ".profile", "ends.", BadName.c_str()})
      TestUtil::WriteFileBytes(FDir.File(name), "x");
    ASSERT_EQ(::mkfifo(FDir.File("pipe.bmp").c_str(), 0600), 0);
    ASSERT_EQ(::mkdir(FDir.File("sub.bmp").c_str(), 0700), 0);
    ASSERT_EQ(::symlink("pic.bmp", FDir.File("link.bmp").c_str()), 0);
    ASSERT_EQ(::symlink("sub.bmp", FDir.File("dirlink.bmp").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", FDir.File("dangling.bmp").c_str()), 0);
  }

  TFileItems Scan(const std::string& filterText, const FileList::TScanOptions& options) {
    return FileList::ScanDirectory(FDir.Path(), FileList::ParseFilter(filterText),
                                   FileList::TOrder::Name, true, options);
  }
  TFileItems Scan(const std::string& filterText) {
    FileList::TScanOptions options;
    options.ShowHidden = true;
    return Scan(filterText, options);
  }

  TestUtil::TTempDir FDir;
};

TEST_F(TScanTest, FilterTextsDecideWhichFilesAreListed) {
  const Strings allFiles = {".profile", "README",  "a.txt",        "archive.tar.gz",
                            "b.Txt",    "c.TXT",   "dangling.bmp", "ends.",
                            "link.bmp", "pic.bmp", BadName};
  Strings allPlusBmp = allFiles;
  allPlusBmp.insert(allPlusBmp.end(), {"dangling.bmp", "link.bmp", "pic.bmp"});
  std::sort(allPlusBmp.begin(), allPlusBmp.end());
  struct TCase {
    std::string Filter;
    Strings Names;
  };
  const TCase cases[] = {
      {"*", allFiles}, {"*;bmp", allPlusBmp}, {"bmp;*", {"dangling.bmp", "link.bmp", "pic.bmp"}},
      {"*.*", {}},     {".txt", {}},          {"TXT", {"a.txt", "b.Txt", BadName, "c.TXT"}},
      {"", {"ends."}}, {"tar.gz", {}},        {"gz", {"archive.tar.gz"}},
      {" txt", {}},    {"txt ", {}},          {"profile", {".profile"}},
      {"jpg;gif", {}},
  };
  for (const TCase& c : cases) {
    Strings expected = c.Names;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(SortedNames(Scan(c.Filter)), expected) << "filter |" << c.Filter << "|";
  }
}

// Hidden files are listed only when asked for or named by a selection; a
// selection lists only its names that are files, and the filter still counts.
TEST_F(TScanTest, HiddenFilesAndSelectionsDecideWhichFilesAreListed) {
  const std::optional<Strings> none;
  const struct {
    std::string Filter;
    bool Hidden;
    std::optional<Strings> Selection;
    Strings Names;
  } cases[] = {
      {"*",
       false,
       none,
       {"README", "a.txt", "archive.tar.gz", "b.Txt", BadName, "c.TXT", "dangling.bmp", "ends.",
        "link.bmp", "pic.bmp"}},
      {"profile", true, none, {".profile"}},
      {"profile", false, none, {}},
      {"*",
       false,
       Strings{".profile", "a.txt", "a.txt", "gone", "sub.bmp", "pipe.bmp"},
       {".profile", "a.txt"}},
      {"txt", true, Strings{".profile", "a.txt", "c.TXT"}, {"a.txt", "c.TXT"}},
      {"*", true, Strings{}, {}},
  };
  for (const auto& c : cases) {
    FileList::TScanOptions options;
    options.ShowHidden = c.Hidden;
    options.Selection = c.Selection;
    Strings expected = c.Names;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(SortedNames(Scan(c.Filter, options)), expected)
        << c.Filter << " hidden " << c.Hidden << " selection " << c.Selection.has_value();
  }
}

// A selection after a run names the files where the moves left them.
TEST(FollowRenames, SelectionFollowsTheMovesInTheirOrder) {
  using FileList::TMoveStatus;
  struct TMove {
    const char* Old;
    const char* New;
    TMoveStatus Status;
  };
  const TMoveStatus ok = TMoveStatus::Renamed, failed = TMoveStatus::Failed;
  const struct {
    Strings Names;
    std::vector<TMove> Moves;
    Strings Followed;
  } cases[] = {
      {{"a", "b", "c"}, {{"a", "x", ok}, {"b", "y", failed}}, {"b", "c", "x"}},
      {{"a", "b"}, {{"b", "c", ok}, {"a", "b", ok}}, {"b", "c"}},                  // a chain
      {{"1", "2"}, {{"1", "t", ok}, {"2", "1", ok}, {"t", "2", ok}}, {"1", "2"}},  // a swap
      {{"a", "b"}, {{"a", "sub/a", ok}}, {"b"}},  // moved into a folder
      {{"a"}, {{"z", "q", ok}}, {"a"}},           // not selected
  };
  for (const auto& c : cases) {
    TFileItems rows;
    for (const TMove& move : c.Moves) {
      rows.emplace_back();
      rows.back().OldName = move.Old;
      rows.back().NewName = move.New;
      rows.back().Status = move.Status;
    }
    Strings names = c.Names;
    FileList::FollowRenames(names, rows);
    EXPECT_EQ(names, c.Followed) << c.Names.front();
  }
}

TEST_F(TScanTest, RowsHaveAgesAndEmptyNewNames) {
  struct timespec times[2] = {{636278400, 0}, {636278400, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, FDir.File("pic.bmp").c_str(), times, 0), 0);
  const int32_t picAge = Platform::FileAge(FDir.File("pic.bmp"));
  ASSERT_NE(picAge, -1);
  TFileItems items = Scan("*;bmp");
  int picRows = 0;
  for (const auto& item : items) {
    EXPECT_EQ(item.NewName, "");
    EXPECT_FALSE(item.Selected);
    EXPECT_NE(item.Age, -1) << item.OldName;
    if (item.OldName == "pic.bmp") {
      ++picRows;
      EXPECT_EQ(item.Age, picAge);
    }
  }
  EXPECT_EQ(picRows, 2);
}

TEST_F(TScanTest, DirectoryTextIsUsedUnchanged) {
  const TFileItems plain = Scan("*", {});
  for (const std::string& dirText : {FDir.Path() + "/", FDir.Path() + "/."}) {
    TFileItems items = FileList::ScanDirectory(dirText, {".*"}, FileList::TOrder::Name);
    ASSERT_EQ(items.size(), plain.size()) << dirText;
    for (size_t i = 0; i < items.size(); ++i) {
      EXPECT_EQ(items[i].OldName, plain[i].OldName);
      EXPECT_EQ(items[i].Age, plain[i].Age) << items[i].OldName;
    }
  }
  for (const std::string& dirText : {FDir.File("missing"), FDir.File("a.txt"), FDir.Path() + " "})
    EXPECT_TRUE(FileList::ScanDirectory(dirText, {".*"}, FileList::TOrder::Name).empty())
        << dirText;
}

// Stands in for the disk: lists fixed entries and records every age look-up.
class TFakeFileSystem : public Platform::TFileSystem {
 public:
  bool ListDirectory(const std::string& dir, std::vector<Platform::TDirEntry>& entries) override {
    ListedDir = dir;
    entries = Entries;
    return !entries.empty();
  }
  int32_t FileAge(const std::string& path) override {
    AgePaths.push_back(path);
    auto found = Ages.find(path);
    return found == Ages.end() ? -1 : found->second;
  }
  std::vector<Platform::TDirEntry> Entries;
  std::map<std::string, int32_t> Ages;
  std::string ListedDir;
  Strings AgePaths;
};

class TScanSeamTest : public ::testing::Test {
 protected:
  void SetUp() override { Platform::SetFileSystem(&FFake); }
  void TearDown() override { Platform::SetFileSystem(nullptr); }
  TFakeFileSystem FFake;
};

TEST_F(TScanSeamTest, AgesAreLookedUpBelowTheDirectoryText) {
  FFake.Entries = {{".", Platform::faDirectory | Platform::faHidden},
                   {"..", Platform::faDirectory | Platform::faHidden},
                   {"b.jpg", 0},
                   {"sys.jpg", Platform::faSystem},
                   {"dir.jpg", Platform::faDirectory},
                   {"a.jpg", Platform::faHidden}};
  FFake.Ages = {{"//a.jpg", 0x14614000}};
  // The attribute tells a hidden file, whatever its name.
  EXPECT_EQ(SortedNames(FileList::ScanDirectory("/", {".JPG"}, FileList::TOrder::Name)),
            Strings{"b.jpg"});
  FFake.AgePaths.clear();
  FileList::TScanOptions hidden;
  hidden.ShowHidden = true;
  TFileItems items = FileList::ScanDirectory("/", {".JPG"}, FileList::TOrder::Name, true, hidden);
  EXPECT_EQ(FFake.ListedDir, "/");
  EXPECT_EQ(FFake.AgePaths, Strings({"//b.jpg", "//a.jpg"}));
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].OldName, "a.jpg");
  EXPECT_EQ(items[0].Age, 0x14614000);
  EXPECT_EQ(items[1].OldName, "b.jpg");
  EXPECT_EQ(items[1].Age, -1);  // vanished before its age was read

  FFake.AgePaths.clear();
  FileList::ScanDirectory("", {".jpg"}, FileList::TOrder::Name, true, hidden);
  EXPECT_EQ(FFake.AgePaths, Strings({"/b.jpg", "/a.jpg"}));
}

TEST_F(TScanSeamTest, ResultFollowsEveryOrder) {
  FFake.Entries = {{"B.txt", 0}, {"a.txt", 0}, {"_c.txt", 0}, {"d.txt", 0}};
  FFake.Ages = {{"d/B.txt", 0x14614000},
                {"d/a.txt", static_cast<int32_t>(0x8ccf645c)},
                {"d/_c.txt", 0x00210000}};
  const std::map<int, Strings> expected = {
      {0, {"a.txt", "B.txt", "d.txt", "_c.txt"}},
      {1, {"d.txt", "_c.txt", "B.txt", "a.txt"}},
      {2, {"_c.txt", "d.txt", "B.txt", "a.txt"}},
      {3, {"a.txt", "B.txt", "_c.txt", "d.txt"}},
  };
  // Without readAges only the age orders look ages up, and each order holds.
  for (const bool readAges : {true, false}) {
    for (const auto& [index, names] : expected) {
      FFake.AgePaths.clear();
      TFileItems items =
          FileList::ScanDirectory("d", {".*"}, static_cast<FileList::TOrder>(index), readAges);
      Strings got;
      for (const auto& item : items) got.push_back(item.OldName);
      EXPECT_EQ(got, names) << index;
      EXPECT_EQ(FFake.AgePaths.size(), readAges || index % 2 == 1 ? 4u : 0u) << index;
    }
  }
}

}  // namespace
