#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/testutil.h"
#include "platform/casemap.h"
#include "platform/filesystem.h"
#include "platform/renamecalls.h"

namespace {

using TestUtil::ReadFileBytes;
using TestUtil::WriteFileBytes;
using TNames = std::vector<std::string>;

// The no-replace rename of paths as the process sees them.
int RenameNoReplacePaths(const std::string& from, const std::string& to) {
  return Platform::RenameNoReplaceAt(AT_FDCWD, from, to);
}

// A folder of its own that holds a.txt ("alpha").
class RenameNoReplace : public testing::Test {
 protected:
  void SetUp() override { WriteFileBytes(File("a.txt"), "alpha"); }
  std::string File(const std::string& name) const { return FDir.File(name); }
  TestUtil::TTempDir FDir;
};

TEST_F(RenameNoReplace, MovesFileToFreeName) {
  ASSERT_EQ(::mkdir(File("sub").c_str(), 0700), 0);
  EXPECT_EQ(RenameNoReplacePaths(File("a.txt"), File("b.txt")), 0);
  EXPECT_EQ(RenameNoReplacePaths(File("b.txt"), File("sub/c.txt")), 0);
  EXPECT_EQ(TestUtil::ListNames(FDir.Path()), TNames{"sub"});
  EXPECT_EQ(ReadFileBytes(File("sub/c.txt")), "alpha");
}

TEST_F(RenameNoReplace, NeverReplacesAnotherFile) {
  WriteFileBytes(File("b.txt"), "beta");
  ASSERT_EQ(::link(File("a.txt").c_str(), File("hard.txt").c_str()), 0);
  ASSERT_EQ(::symlink("a.txt", File("soft.txt").c_str()), 0);
  // A hard link is the same file under another entry; taking over its name
  // would silently drop that entry, so it is refused like any other target.
  for (const char* target : {"b.txt", "hard.txt", "soft.txt"})
    EXPECT_EQ(RenameNoReplacePaths(File("a.txt"), File(target)), EEXIST) << target;
  EXPECT_EQ(ReadFileBytes(File("a.txt")), "alpha");
  EXPECT_EQ(ReadFileBytes(File("b.txt")), "beta");
  EXPECT_EQ(ReadFileBytes(File("hard.txt")), "alpha");
  EXPECT_EQ(TestUtil::ListNames(FDir.Path()), (TNames{"a.txt", "b.txt", "hard.txt", "soft.txt"}));
}

TEST_F(RenameNoReplace, SameEntrySucceeds) {
  ASSERT_EQ(::mkdir(File("sub").c_str(), 0700), 0);
  for (const char* same : {"a.txt", "./a.txt", "sub/../a.txt"})
    EXPECT_EQ(RenameNoReplacePaths(File("a.txt"), File(same)), 0) << same;
  EXPECT_EQ(ReadFileBytes(File("a.txt")), "alpha");
}

TEST_F(RenameNoReplace, RenamesLinkNotTarget) {
  ASSERT_EQ(::symlink("a.txt", File("link").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", File("dangling").c_str()), 0);
  EXPECT_EQ(RenameNoReplacePaths(File("link"), File("link2")), 0);
  EXPECT_EQ(RenameNoReplacePaths(File("dangling"), File("dangling2")), 0);
  EXPECT_EQ(TestUtil::ListNames(FDir.Path()), (TNames{"a.txt", "dangling2", "link2"}));
  EXPECT_EQ(ReadFileBytes(File("link2")), "alpha");
}

TEST_F(RenameNoReplace, FailuresReportTheCause) {
  const struct {
    std::string From, To;
    int Error;
  } cases[] = {
      {"missing", "b.txt", ENOENT},
      {"missing", "missing", ENOENT},
      {"a.txt", std::string(256, 'n'), ENAMETOOLONG},
      {"a.txt", "nofolder/b.txt", ENOENT},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RenameNoReplacePaths(File(c.From), File(c.To)), c.Error) << c.To;
  EXPECT_EQ(TestUtil::ListNames(FDir.Path()), TNames{"a.txt"});
}

// The writable folder proves that the child really runs the rename.
TEST_F(RenameNoReplace, ReadOnlyFolderRefusesForOrdinaryUser) {
  for (const char* sub : {"ro", "rw"}) {
    ASSERT_EQ(::mkdir(File(sub).c_str(), 0700), 0);
    WriteFileBytes(File(sub + std::string("/a.txt")), "alpha");
  }
  TestUtil::GiveToNobody(FDir.Path());
  ASSERT_EQ(::chmod(File("ro").c_str(), 0555), 0);
  const struct {
    const char *From, *To;
    int Error;
  } cases[] = {
      {"rw/a", "rw/b", ENOENT}, {"rw/a.txt", "rw/b.txt", 0}, {"ro/a.txt", "ro/b.txt", EACCES}};
  for (const auto& c : cases) {
    const std::string from = File(c.From), to = File(c.To);
    EXPECT_EQ(TestUtil::RunUnprivileged([&] { return RenameNoReplacePaths(from, to); }), c.Error)
        << c.From;
  }
  EXPECT_EQ(TestUtil::ListNames(File("ro")), TNames{"a.txt"});
  EXPECT_EQ(TestUtil::ListNames(File("rw")), TNames{"b.txt"});
}

// A folder of a file system that ignores letter case, played through the
// rename's system calls: a name finds the entry whose name folds equal. With
// NewInodes every lookup gives another inode number (as FUSE vfat does); with
// NoAtomic the no-replace rename is refused with EINVAL, with NoLinks every
// link with EPERM. CaseSensitive makes it an ordinary folder, Unlistable one
// that cannot be read, and RefuseUnlink fails the removal of that one name.
class TFoldingFolder : public Platform::TRenameCalls {
 public:
  bool NewInodes = false, NoAtomic = false, NoLinks = false;
  bool CaseSensitive = false, Unlistable = false;
  std::string RefuseUnlink;
  std::map<std::string, std::pair<std::string, uint64_t>> Entries;  // folded -> name, inode
  uint64_t NextInode = 100;
  std::string Refused;  // a move to this exact name fails with EIO

  void Add(const std::string& name) { Entries[Fold(name)] = {name, NextInode++}; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : Entries) names.push_back(entry.second.first);
    return names;
  }
  int Rename(const std::string& from, const std::string& to, bool noReplace) override {
    if (noReplace && NoAtomic) return EINVAL;
    if (to == Refused) return EIO;
    auto source = Entries.find(Fold(from));
    if (source == Entries.end()) return ENOENT;
    if (Entries.count(Fold(to)) && noReplace) return EEXIST;
    auto entry = source->second;
    Entries.erase(source);
    Entries[Fold(to)] = {to, entry.second};
    return 0;
  }
  int Link(const std::string& from, const std::string& to) override {
    if (NoLinks) return EPERM;
    auto source = Entries.find(Fold(from));
    if (source == Entries.end()) return ENOENT;
    if (Entries.count(Fold(to))) return EEXIST;
    Entries[Fold(to)] = {to, source->second.second};
    return 0;
  }
  int Unlink(const std::string& name) override {
    if (name == RefuseUnlink) return EBUSY;
    return Entries.erase(Fold(name)) ? 0 : ENOENT;
  }
  int Stat(const std::string& name, Platform::TEntryInfo& info) override {
    auto entry = Entries.find(Fold(name));
    if (entry == Entries.end()) return ENOENT;
    uint64_t links = 0;
    for (const auto& other : Entries) links += other.second.second == entry->second.second;
    info = {1, NewInodes ? NextInode++ : entry->second.second, links, false};
    return 0;
  }
  bool ListNames(std::vector<std::string>& names) override {
    names = Names();
    return !Unlistable;
  }

 private:
  std::string Fold(const std::string& name) const {
    return CaseSensitive ? name : Platform::LowerCase(name);
  }
};

TEST_F(RenameNoReplace, CaseChangesOnCaseInsensitiveFolders) {
  struct TCase {
    TNames Before;
    std::string From, To;
    int Error;
    TNames After;
  };
  const TCase cases[] = {
      {{"Photo.JPG"}, "Photo.JPG", "photo.jpg", 0, {"photo.jpg"}},
      {{"a.txt", "B.TXT"}, "B.TXT", "b.txt", 0, {"a.txt", "b.txt"}},
      {{"a.txt", "b.txt"}, "a.txt", "B.TXT", EEXIST, {"a.txt", "b.txt"}},
      {{"a.txt"}, "a.txt", "a.txt", 0, {"a.txt"}},
      {{"a.txt"}, "A.TXT", "b.txt", 0, {"b.txt"}},
      {{"a.txt"}, "c.txt", "C.TXT", ENOENT, {"a.txt"}},
  };
  for (int mode = 0; mode < 6; ++mode) {
    for (const TCase& c : cases) {
      TFoldingFolder folder;
      folder.NewInodes = (mode & 1) != 0;
      folder.NoAtomic = mode >= 2;
      folder.NoLinks = mode >= 4;
      for (const std::string& name : c.Before) folder.Add(name);
      EXPECT_EQ(Platform::RenameNoReplaceWith(folder, c.From, c.To), c.Error)
          << c.From << " -> " << c.To << " mode " << mode;
      EXPECT_EQ(folder.Names(), c.After) << c.From << " -> " << c.To << " mode " << mode;
    }
  }
}

// A case change whose second move fails puts the file back under its name
// (the fallback without the atomic rename has a table of its own below).
TEST_F(RenameNoReplace, FailedCaseChangeMovesTheFileBack) {
  for (int mode = 0; mode < 2; ++mode) {
    TFoldingFolder folder;
    folder.NewInodes = mode != 0;
    folder.Add("Photo.JPG");
    folder.Refused = "photo.jpg";
    EXPECT_EQ(Platform::RenameNoReplaceWith(folder, "Photo.JPG", "photo.jpg"), EIO) << mode;
    EXPECT_EQ(folder.Names(), TNames{"Photo.JPG"}) << mode;
  }
}

// Without the atomic no-replace rename a file moves by a link, refused
// atomically when the name is taken; only where links are refused too does it
// move by check and rename, and that move is counted as unchecked.
TEST(RenameFallback, MovesByLinkOrCountsTheUncheckedMove) {
  struct TCase {
    const char* Title;
    bool NoLinks, CaseSensitive, Unlistable;
    std::string RefuseUnlink;
    TNames Before;
    std::string From, To;
    int Error;
    TNames After;
    uint64_t Unchecked;
  };
  const TCase cases[] = {
      {"link", false, true, false, "", {"a"}, "a", "b", 0, {"b"}, 0},
      {"link onto a taken name",
       false,
       true,
       false,
       "",
       {"a", "b"},
       "a",
       "b",
       EEXIST,
       {"a", "b"},
       0},
      {"old name stays: new link removed",
       false,
       true,
       false,
       "a",
       {"a"},
       "a",
       "b",
       EBUSY,
       {"a"},
       0},
      {"no links: check and rename", true, true, false, "", {"a"}, "a", "b", 0, {"b"}, 1},
      {"no links, name taken", true, true, false, "", {"a", "b"}, "a", "b", EEXIST, {"a", "b"}, 0},
      {"unreadable folder: the other case counts as taken",
       true,
       true,
       true,
       "",
       {"B", "b"},
       "B",
       "b",
       EEXIST,
       {"B", "b"},
       0},
      {"unreadable folder: a case change is undone",
       true,
       false,
       true,
       "",
       {"Photo.JPG"},
       "Photo.JPG",
       "photo.jpg",
       EEXIST,
       {"Photo.JPG"},
       2},
      {"case change by links", false, false, false, "", {"A"}, "A", "a", 0, {"a"}, 0},
  };
  for (const TCase& c : cases) {
    TFoldingFolder folder;
    folder.NoAtomic = true;
    folder.NoLinks = c.NoLinks;
    folder.CaseSensitive = c.CaseSensitive;
    folder.Unlistable = c.Unlistable;
    folder.RefuseUnlink = c.RefuseUnlink;
    for (const std::string& name : c.Before) folder.Add(name);
    const uint64_t before = Platform::MovesWithoutAtomicCheck();
    EXPECT_EQ(Platform::RenameNoReplaceWith(folder, c.From, c.To), c.Error) << c.Title;
    EXPECT_EQ(folder.Names(), c.After) << c.Title;
    EXPECT_EQ(Platform::MovesWithoutAtomicCheck() - before, c.Unchecked) << c.Title;
  }
}

// The second run of the rename tests has the atomic no-replace rename refused
// (a preload library); this proves that it is really in place there, and
// that a file still moves with an atomic check, by a link.
TEST_F(RenameNoReplace, FallbackRunHasNoAtomicRename) {
  if (!std::getenv("MORVANE_EXPECT_NO_RENAMEAT2")) GTEST_SKIP() << "the ordinary run";
  EXPECT_EQ(
      ::renameat2(AT_FDCWD, File("a.txt").c_str(), AT_FDCWD, File("b").c_str(), RENAME_NOREPLACE),
      -1);
  EXPECT_EQ(errno, EINVAL);
  const uint64_t before = Platform::MovesWithoutAtomicCheck();
  EXPECT_EQ(RenameNoReplacePaths(File("a.txt"), File("b.txt")), 0);
  EXPECT_EQ(Platform::MovesWithoutAtomicCheck(), before);
  EXPECT_EQ(TestUtil::ListNames(FDir.Path()), TNames{"b.txt"});
}

// A real vfat image, mounted through FUSE where that is possible.
class FuseVfat : public testing::Test {
 protected:
  TestUtil::TTempDir Dir;
  std::string Mount;
  bool Mounted = false;

  void SetUp() override {
    Mount = Dir.File("mnt");
    const std::string image = Dir.File("fat.img");
    const std::string why = ::access("/dev/fuse", R_OK | W_OK) != 0 ? "/dev/fuse is not usable"
                            : std::system("command -v fusefat mkfs.vfat >/dev/null") != 0
                                ? "fusefat or mkfs.vfat is missing"
                                : "";
    if (why.empty()) {
      ::mkdir(Mount.c_str(), 0700);
      const std::string cmd = "mkfs.vfat -C '" + image +
                              "' 2048 >/dev/null 2>&1 && fusefat -o rw+ '" + image + "' '" + Mount +
                              "' >/dev/null 2>&1";
      Mounted = std::system(cmd.c_str()) == 0;
    }
    if (!Mounted) {
      std::fprintf(stderr, "\n*** NOT TESTED ON A CASE-INSENSITIVE FILE SYSTEM: %s ***\n\n",
                   why.empty() ? "fusefat could not mount the image" : why.c_str());
      GTEST_SKIP() << "FUSE vfat not usable";
    }
  }
  void TearDown() override {
    if (Mounted) std::system(("fusermount -u '" + Mount + "' 2>/dev/null").c_str());
  }
  std::string File(const std::string& name) const { return Mount + "/" + name; }
};

TEST_F(FuseVfat, CaseChangesOntoOthersAndNumbering) {
  ASSERT_EQ(Mount.rfind(Dir.Path(), 0), 0u);
  WriteFileBytes(File("Photo.JPG"), "photo");
  WriteFileBytes(File("a.txt"), "alpha");
  WriteFileBytes(File("b.txt"), "beta");
  Platform::TDirectory folder(Platform::FileSystem(), Mount);
  EXPECT_EQ(folder.Rename("Photo.JPG", "photo.jpg"), 0);
  EXPECT_EQ(folder.Rename("a.txt", "B.TXT"), EEXIST);
  EXPECT_EQ(folder.Rename("photo.jpg", "1.JPG"), 0);
  EXPECT_EQ(folder.Rename("b.txt", "2.txt"), 0);
  EXPECT_EQ(folder.Rename("2.txt", "2.TXT"), 0);
  EXPECT_EQ(TestUtil::ListNames(Mount), (TNames{"1.JPG", "2.TXT", "a.txt"}));
  EXPECT_EQ(ReadFileBytes(File("1.JPG")), "photo");
  EXPECT_EQ(ReadFileBytes(File("a.txt")), "alpha");
  EXPECT_EQ(ReadFileBytes(File("2.TXT")), "beta");
}

}  // namespace
