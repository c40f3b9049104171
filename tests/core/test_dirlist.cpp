#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/testutil.h"
#include "platform/filesystem.h"

namespace {

using Platform::faDirectory;
using Platform::faHidden;
using Platform::faSystem;

// Every date in these tests is read in UTC, whatever the machine is set to.
class TDirListTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
  }
};

void SetMTime(const std::string& path, int64_t seconds, bool ofLinkItself = false) {
  struct timespec times[2] = {{static_cast<time_t>(seconds), 0}, {static_cast<time_t>(seconds), 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, ofLinkItself ? AT_SYMLINK_NOFOLLOW : 0), 0)
      << path;
}

std::map<std::string, uint32_t> ListAsMap(const std::string& dir) {
  std::vector<Platform::TDirEntry> entries;
  EXPECT_TRUE(Platform::ListDirectory(dir, entries));
  std::map<std::string, uint32_t> result;
  for (const auto& entry : entries) result[entry.Name] = entry.Attributes;
  return result;
}

TEST_F(TDirListTest, ReportsKindOfEveryEntry) {
  TestUtil::TTempDir dir;
  TestUtil::WriteFileBytes(dir.File("plain.txt"), "x");
  TestUtil::WriteFileBytes(dir.File(".hidden"), "x");
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  ASSERT_EQ(::mkdir(dir.File("sub").c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(dir.File(".subhidden").c_str(), 0700), 0);
  ASSERT_EQ(::symlink("plain.txt", dir.File("tofile").c_str()), 0);
  ASSERT_EQ(::symlink("sub", dir.File("todir").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", dir.File("dangling").c_str()), 0);
  ASSERT_EQ(::symlink("pipe", dir.File("topipe").c_str()), 0);
  const std::string badName = "bad\xff\xfe.txt";
  TestUtil::WriteFileBytes(dir.File(badName), "x");

  const std::map<std::string, uint32_t> expected = {
      {".", faDirectory | faHidden},
      {"..", faDirectory | faHidden},
      {"plain.txt", 0},
      {".hidden", faHidden},
      {"pipe", faSystem},
      {"sub", faDirectory},
      {".subhidden", faDirectory | faHidden},
      {"tofile", 0},
      {"todir", faDirectory},
      {"dangling", 0},
      {"topipe", 0},
      {badName, 0},
  };
  EXPECT_EQ(ListAsMap(dir.Path()), expected);
}

TEST_F(TDirListTest, MissingOrUnusableDirectoryListsNothing) {
  TestUtil::TTempDir dir;
  TestUtil::WriteFileBytes(dir.File("file"), "x");
  for (const std::string& path : {dir.File("missing"), dir.File("file")}) {
    std::vector<Platform::TDirEntry> entries = {{"stale", 0}};
    EXPECT_FALSE(Platform::ListDirectory(path, entries)) << path;
    EXPECT_TRUE(entries.empty()) << path;
  }
}

TEST_F(TDirListTest, EmptyTextListsRoot) {
  auto root = ListAsMap("");
  EXPECT_EQ(root, ListAsMap("/"));
  EXPECT_EQ(root["tmp"] & faDirectory, faDirectory);
}

TEST_F(TDirListTest, DosDateTimePacking) {
  struct TCase {
    int64_t Seconds;
    int32_t Expected;
  };
  const TCase cases[] = {
      {315532800, 0x00210000},                         // 1980-01-01 00:00:00, the first
      {315532799, -1},                                 // one second before
      {636278400, 0x14614000},                         // 1990-03-01 08:00:00
      {2538909296, static_cast<int32_t>(0x8ccf645c)},  // 2050-06-15 12:34:56
      {2538909297, static_cast<int32_t>(0x8ccf645c)},  // same two-second step
      {4354819199, static_cast<int32_t>(0xff9fbf7d)},  // 2107-12-31 23:59:59, the last
      {4354819200, -1},                                // 2108-01-01 00:00:00
      {-86400, -1},
  };
  for (const TCase& c : cases) EXPECT_EQ(Platform::DosDateTime(c.Seconds), c.Expected) << c.Seconds;
}

TEST_F(TDirListTest, FileAgeOfEntries) {
  TestUtil::TTempDir dir;
  TestUtil::WriteFileBytes(dir.File("old"), "x");
  TestUtil::WriteFileBytes(dir.File("future"), "x");
  TestUtil::WriteFileBytes(dir.File("even"), "x");
  TestUtil::WriteFileBytes(dir.File("odd"), "x");
  ASSERT_EQ(::mkdir(dir.File("sub").c_str(), 0700), 0);
  ASSERT_EQ(::symlink("sub", dir.File("todir").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", dir.File("dangling").c_str()), 0);
  ASSERT_EQ(::symlink("future", dir.File("tofuture").c_str()), 0);
  SetMTime(dir.File("old"), 315532799);  // 1979-12-31 23:59:59
  SetMTime(dir.File("future"), 2538909296);
  SetMTime(dir.File("even"), 636278400);
  SetMTime(dir.File("odd"), 636278401);
  SetMTime(dir.File("dangling"), 636278400, true);
  SetMTime(dir.File("tofuture"), 636278400, true);

  const std::map<std::string, int32_t> expected = {
      {"old", -1},
      {"future", static_cast<int32_t>(0x8ccf645c)},
      {"even", 0x14614000},
      {"odd", 0x14614000},
      {"sub", -1},
      {"todir", -1},
      {"missing", -1},
      {"dangling", 0x14614000},
      {"tofuture", 0x14614000},  // the link's own time, not its target's
  };
  for (const auto& [name, age] : expected)
    EXPECT_EQ(Platform::FileAge(dir.File(name)), age) << name;
}

TEST_F(TDirListTest, IsDirectoryFollowsLinks) {
  TestUtil::TTempDir dir;
  TestUtil::WriteFileBytes(dir.File("file"), "x");
  ASSERT_EQ(::mkdir(dir.File("sub").c_str(), 0700), 0);
  ASSERT_EQ(::symlink("sub", dir.File("todir").c_str()), 0);
  ASSERT_EQ(::symlink("file", dir.File("tofile").c_str()), 0);
  const std::map<std::string, bool> expected = {
      {"file", false}, {"sub", true}, {"todir", true}, {"tofile", false}, {"missing", false}};
  for (const auto& [name, isDir] : expected)
    EXPECT_EQ(Platform::IsDirectory(dir.File(name)), isDir) << name;
}

}  // namespace
