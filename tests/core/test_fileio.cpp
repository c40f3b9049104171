#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/testutil.h"
#include "platform/filesystem.h"
#include "settings/inifile.h"

namespace {

using TestUtil::TTempDir;

TEST(FileIo, ReadFile) {
  TTempDir dir;
  std::string data = "stale";
  EXPECT_FALSE(Platform::ReadFile(dir.File("missing"), data));
  EXPECT_TRUE(data.empty());
  EXPECT_FALSE(Platform::ReadFile(dir.Path(), data));
  std::string bytes("a\0b\r\n\xff", 6);
  TestUtil::WriteFileBytes(dir.File("f"), bytes);
  ASSERT_TRUE(Platform::ReadFile(dir.File("f"), data));
  EXPECT_EQ(data, bytes);
}

// Runs fn in a child that the alarm ends after a few seconds, so that a read
// which blocks fails the test instead of hanging it. True when fn returned.
bool ReturnsInTime(const std::function<void()>& fn) {
  pid_t pid = ::fork();
  if (pid < 0) return false;
  if (pid == 0) {
    ::alarm(5);
    fn();
    _exit(0);
  }
  int status = 0;
  return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string MakeSized(const std::string& path, off_t size) {
  TestUtil::WriteFileBytes(path, "");
  if (::truncate(path.c_str(), size) != 0) ADD_FAILURE() << "truncate " << path;
  return path;
}

std::string MakeLink(const std::string& target, const std::string& path) {
  if (::symlink(target.c_str(), path.c_str()) != 0) ADD_FAILURE() << "symlink " << path;
  return path;
}

// What lstat and the bytes say about an entry, to prove a failed write left it.
std::string Fingerprint(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return "missing";
  std::string print = std::to_string(st.st_mode) + ":" + std::to_string(st.st_size);
  return S_ISREG(st.st_mode) && st.st_size < 4096 ? print + ":" + TestUtil::ReadFileBytes(path)
                                                  : print;
}

// Settings and language files are read only when they are regular files of a
// sane size; anything else reads as an unreadable file (the default) at once,
// and a write to it fails with the store's message and touches nothing.
TEST(FileIo, FileKindsReadWithoutBlockingAndRefuseWrites) {
  TTempDir dir;
  const std::string ini = "[s]\r\nk=v\r\n";
  TestUtil::WriteFileBytes(dir.File("plain.ini"), ini);
  TestUtil::WriteFileBytes(dir.File("linked.ini"), ini);
  ::mkdir(dir.File("folder").c_str(), 0755);
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0644), 0);
  struct TKind {
    const char* Name;
    std::string Path;
    bool Readable;
    bool Writable;
  };
  const TKind kinds[] = {
      {"regular file", dir.File("plain.ini"), true, true},
      {"link to a regular file", MakeLink("linked.ini", dir.File("link.ini")), true, true},
      {"FIFO", dir.File("fifo"), false, false},
      {"link to a FIFO", MakeLink("fifo", dir.File("fifo.ini")), false, false},
      {"link to /dev/zero", MakeLink("/dev/zero", dir.File("zero.ini")), false, false},
      {"folder", dir.File("folder"), false, false},
      {"file of 3 MiB", MakeSized(dir.File("big.ini"), off_t{3} << 20), true, true},
      {"file of 64 MiB", MakeSized(dir.File("huge.ini"), off_t{64} << 20), false, false},
      {"dangling link", MakeLink("gone.ini", dir.File("dangling.ini")), false, true},
  };
  for (const TKind& kind : kinds) {
    SCOPED_TRACE(kind.Name);
    ASSERT_TRUE(ReturnsInTime([&] {
      std::string data;
      Platform::ReadFile(kind.Path, data);
      Settings::TIniFile(kind.Path).ReadText("s", "k", "");
    }));
    std::string data = "stale";
    EXPECT_EQ(Platform::ReadFile(kind.Path, data), kind.Readable);
    if (!kind.Readable) {
      EXPECT_TRUE(data.empty());
    }
    const bool holdsEntry = kind.Readable && data == ini;
    Settings::TIniFile store(kind.Path);
    EXPECT_EQ(store.ReadText("s", "k", "default"), holdsEntry ? "v" : "default");
    const std::string before = Fingerprint(kind.Path);
    if (kind.Writable) {
      EXPECT_NO_THROW(store.WriteText("s", "k", "w"));
      EXPECT_EQ(store.ReadText("s", "k", ""), "w");
      continue;
    }
    EXPECT_EQ(TestUtil::WriteError([&] { store.WriteText("s", "k", "w"); }),
              "Unable to write to " + kind.Path);
    EXPECT_EQ(Fingerprint(kind.Path), before);
  }
  EXPECT_EQ(TestUtil::ReadFileBytes(dir.File("gone.ini")), "[s]\r\nk=w\r\n");
}

TEST(FileIo, ReplaceCreatesAndOverwritesWithoutLeftovers) {
  TTempDir dir;
  std::string path = dir.File("a.ini");
  for (const std::string& data : {std::string("one"), std::string(), std::string(200000, 'x')}) {
    ASSERT_EQ(Platform::ReplaceFile(path, data), 0);
    EXPECT_EQ(TestUtil::ReadFileBytes(path), data);
  }
  EXPECT_EQ(TestUtil::ListNames(dir.Path()), std::vector<std::string>{"a.ini"});
}

TEST(FileIo, ReplaceKeepsPermissionBitsAndOwner) {
  TTempDir dir;
  std::string path = dir.File("a.ini");
  TestUtil::WriteFileBytes(path, "old");
  ::chmod(path.c_str(), 0640);
  const bool root = ::geteuid() == 0;  // only root can hand the file to another user
  if (root) TestUtil::GiveToNobody(path);
  ASSERT_EQ(Platform::ReplaceFile(path, "new"), 0);
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  if (root) EXPECT_EQ(st.st_uid, TestUtil::NobodyId);
}

TEST(FileIo, ReplaceWritesThroughSymbolicLinks) {
  TTempDir dir;
  ::mkdir(dir.File("real").c_str(), 0755);
  TestUtil::WriteFileBytes(dir.File("real/a.ini"), "old");
  ASSERT_EQ(::symlink("real/a.ini", dir.File("link").c_str()), 0);
  ASSERT_EQ(::symlink(dir.File("real/new.ini").c_str(), dir.File("dangling").c_str()), 0);

  ASSERT_EQ(Platform::ReplaceFile(dir.File("link"), "new"), 0);
  struct stat st;
  ASSERT_EQ(::lstat(dir.File("link").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(TestUtil::ReadFileBytes(dir.File("real/a.ini")), "new");

  ASSERT_EQ(Platform::ReplaceFile(dir.File("dangling"), "made"), 0);
  EXPECT_EQ(TestUtil::ReadFileBytes(dir.File("real/new.ini")), "made");
  EXPECT_EQ(TestUtil::ListNames(dir.File("real")), (std::vector<std::string>{"a.ini", "new.ini"}));
}

TEST(FileIo, ReplaceFailuresChangeNothing) {
  TTempDir dir;
  ::mkdir(dir.File("sub").c_str(), 0755);
  EXPECT_EQ(Platform::ReplaceFile(dir.File("no/a.ini"), "x"), ENOENT);
  EXPECT_EQ(Platform::ReplaceFile(dir.File("sub"), "x"), EISDIR);
  struct stat st;
  ASSERT_EQ(::lstat(dir.File("sub").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(TestUtil::ListNames(dir.Path()), std::vector<std::string>{"sub"});
}

// Runs as the unprivileged user so that permission bits count.
TEST(FileIo, ReplaceRefusesReadOnlyFileAndFolder) {
  TTempDir dir;
  ::mkdir(dir.File("ro").c_str(), 0755);
  TestUtil::WriteFileBytes(dir.File("ro.ini"), "old");
  TestUtil::WriteFileBytes(dir.File("ro/a.ini"), "old");
  ::chmod(dir.File("ro.ini").c_str(), 0444);
  TestUtil::GiveToNobody(dir.Path());
  ::chmod(dir.File("ro").c_str(), 0555);

  int result = TestUtil::RunUnprivileged([&] {
    if (Platform::ReplaceFile(dir.File("ro.ini"), "new") != EACCES) return 1;
    if (Platform::ReplaceFile(dir.File("ro/a.ini"), "new") != EACCES) return 2;
    if (Platform::ReplaceFile(dir.File("ro/b.ini"), "new") != EACCES) return 3;
    if (Platform::IsWritableDirectory(dir.File("ro"))) return 4;
    if (!Platform::IsWritableDirectory(dir.Path())) return 5;
    return 0;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(TestUtil::ReadFileBytes(dir.File("ro.ini")), "old");
  EXPECT_EQ(TestUtil::ReadFileBytes(dir.File("ro/a.ini")), "old");
  EXPECT_EQ(TestUtil::ListNames(dir.Path()), (std::vector<std::string>{"ro", "ro.ini"}));
  EXPECT_EQ(TestUtil::ListNames(dir.File("ro")), std::vector<std::string>{"a.ini"});
}

TEST(FileIo, MakeDirectories) {
  TTempDir dir;
  EXPECT_TRUE(Platform::MakeDirectories(dir.File("a/b/c/")));
  EXPECT_TRUE(Platform::IsWritableDirectory(dir.File("a/b/c")));
  EXPECT_TRUE(Platform::MakeDirectories(dir.File("a/b")));
  TestUtil::WriteFileBytes(dir.File("f"), "");
  EXPECT_FALSE(Platform::MakeDirectories(dir.File("f")));
  EXPECT_FALSE(Platform::MakeDirectories(dir.File("f/g")));
  EXPECT_FALSE(Platform::MakeDirectories(""));
  EXPECT_FALSE(Platform::IsWritableDirectory(dir.File("f")));
  EXPECT_FALSE(Platform::IsWritableDirectory(dir.File("none")));
}

}  // namespace
