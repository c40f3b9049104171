#include <cerrno>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/testutil.h"
#include "platform/filesystem.h"

namespace {

using TestUtil::ReadFileBytes;
using TestUtil::WriteFileBytes;

TEST(RenameNoReplace, MovesFileToFreeName) {
  TestUtil::TTempDir dir;
  WriteFileBytes(dir.File("a.txt"), "alpha");
  ASSERT_EQ(::mkdir(dir.File("sub").c_str(), 0700), 0);
  EXPECT_EQ(Platform::RenameNoReplace(dir.File("a.txt"), dir.File("b.txt")), 0);
  EXPECT_EQ(Platform::RenameNoReplace(dir.File("b.txt"), dir.File("sub/c.txt")), 0);
  EXPECT_EQ(TestUtil::ListNames(dir.Path()), std::vector<std::string>({"sub"}));
  EXPECT_EQ(ReadFileBytes(dir.File("sub/c.txt")), "alpha");
}

TEST(RenameNoReplace, NeverReplacesAnotherFile) {
  TestUtil::TTempDir dir;
  WriteFileBytes(dir.File("a.txt"), "alpha");
  WriteFileBytes(dir.File("b.txt"), "beta");
  ASSERT_EQ(::link(dir.File("a.txt").c_str(), dir.File("hard.txt").c_str()), 0);
  ASSERT_EQ(::symlink("a.txt", dir.File("soft.txt").c_str()), 0);
  // A hard link is the same file under another entry; taking over its name
  // would silently drop that entry, so it is refused like any other target.
  for (const char* target : {"b.txt", "hard.txt", "soft.txt"})
    EXPECT_EQ(Platform::RenameNoReplace(dir.File("a.txt"), dir.File(target)), EEXIST) << target;
  EXPECT_EQ(ReadFileBytes(dir.File("a.txt")), "alpha");
  EXPECT_EQ(ReadFileBytes(dir.File("b.txt")), "beta");
  EXPECT_EQ(ReadFileBytes(dir.File("hard.txt")), "alpha");
  EXPECT_EQ(TestUtil::ListNames(dir.Path()),
            std::vector<std::string>({"a.txt", "b.txt", "hard.txt", "soft.txt"}));
}

TEST(RenameNoReplace, SameEntrySucceeds) {
  TestUtil::TTempDir dir;
  WriteFileBytes(dir.File("a.txt"), "alpha");
  ASSERT_EQ(::mkdir(dir.File("sub").c_str(), 0700), 0);
  EXPECT_EQ(Platform::RenameNoReplace(dir.File("a.txt"), dir.File("a.txt")), 0);
  EXPECT_EQ(Platform::RenameNoReplace(dir.File("a.txt"), dir.Path() + "/./a.txt"), 0);
  EXPECT_EQ(Platform::RenameNoReplace(dir.File("a.txt"), dir.Path() + "/sub/../a.txt"), 0);
  EXPECT_EQ(ReadFileBytes(dir.File("a.txt")), "alpha");
}

TEST(RenameNoReplace, RenamesLinkNotTarget) {
  TestUtil::TTempDir dir;
  WriteFileBytes(dir.File("a.txt"), "alpha");
  ASSERT_EQ(::symlink("a.txt", dir.File("link").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", dir.File("dangling").c_str()), 0);
  EXPECT_EQ(Platform::RenameNoReplace(dir.File("link"), dir.File("link2")), 0);
  EXPECT_EQ(Platform::RenameNoReplace(dir.File("dangling"), dir.File("dangling2")), 0);
  EXPECT_EQ(TestUtil::ListNames(dir.Path()),
            std::vector<std::string>({"a.txt", "dangling2", "link2"}));
  EXPECT_EQ(ReadFileBytes(dir.File("link2")), "alpha");
}

TEST(RenameNoReplace, FailuresReportTheCause) {
  TestUtil::TTempDir dir;
  WriteFileBytes(dir.File("a.txt"), "alpha");
  struct TCase {
    std::string From;
    std::string To;
    int Error;
  };
  const TCase cases[] = {
      {dir.File("missing"), dir.File("b.txt"), ENOENT},
      {dir.File("missing"), dir.File("missing"), ENOENT},
      {dir.File("a.txt"), dir.File(std::string(256, 'n')), ENAMETOOLONG},
      {dir.File("a.txt"), dir.File("nofolder/b.txt"), ENOENT},
  };
  for (const TCase& c : cases) EXPECT_EQ(Platform::RenameNoReplace(c.From, c.To), c.Error) << c.To;
  EXPECT_EQ(TestUtil::ListNames(dir.Path()), std::vector<std::string>({"a.txt"}));
}

TEST(RenameNoReplace, ReadOnlyFolderRefusesForOrdinaryUser) {
  TestUtil::TTempDir dir;
  ASSERT_EQ(::mkdir(dir.File("ro").c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(dir.File("rw").c_str(), 0700), 0);
  WriteFileBytes(dir.File("ro/a.txt"), "alpha");
  WriteFileBytes(dir.File("rw/a.txt"), "alpha");
  TestUtil::GiveToNobody(dir.Path());
  ASSERT_EQ(::chmod(dir.File("ro").c_str(), 0555), 0);
  const std::string ro = dir.File("ro/");
  const std::string rw = dir.File("rw/");
  // The writable folder proves that the child really runs the rename.
  EXPECT_EQ(
      TestUtil::RunUnprivileged([&] { return Platform::RenameNoReplace(rw + "a", rw + "b"); }),
      ENOENT);
  EXPECT_EQ(TestUtil::RunUnprivileged(
                [&] { return Platform::RenameNoReplace(rw + "a.txt", rw + "b.txt"); }),
            0);
  EXPECT_EQ(TestUtil::RunUnprivileged(
                [&] { return Platform::RenameNoReplace(ro + "a.txt", ro + "b.txt"); }),
            EACCES);
  EXPECT_EQ(TestUtil::ListNames(dir.File("ro")), std::vector<std::string>({"a.txt"}));
  EXPECT_EQ(TestUtil::ListNames(dir.File("rw")), std::vector<std::string>({"b.txt"}));
}

}  // namespace
