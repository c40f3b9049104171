#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <vector>

#include "platform/casemap.h"
#include "platform/filesystem.h"
#include "platform/renamecalls.h"

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace Platform {

namespace {

constexpr int TemporaryTries = 100;
constexpr int LinksRefused = -1;

std::atomic<uint64_t> UncheckedMoves{0};

// Whether the directory lists an entry of exactly this name (anyCase: of a
// name that differs at most in letter case).
bool Listed(TRenameCalls& calls, const std::string& name, bool anyCase) {
  std::vector<std::string> names;
  if (!calls.ListNames(names)) return true;  // cannot tell: count the name as taken
  return std::any_of(names.begin(), names.end(), [&](const std::string& entry) {
    return anyCase ? FoldEqual(name, entry) : name == entry;
  });
}

// The errors of a file system that makes no hard links (or none of this file).
bool RefusesLinks(int err) {
  return err == EPERM || err == ENOTSUP || err == EOPNOTSUPP || err == EXDEV || err == EMLINK ||
         err == ENOSYS || err == EINVAL;
}

// Moves anything but a folder by a second link under the new name, which the
// system refuses atomically when the name is taken, and the removal of the
// old one. LinksRefused when the file system makes no such link.
int MoveByLink(TRenameCalls& calls, const std::string& from, const std::string& to) {
  TEntryInfo source;
  if (const int err = calls.Stat(from, source); err != 0) return err;
  if (source.Directory) return LinksRefused;
  const int err = calls.Link(from, to);
  if (err != 0) return RefusesLinks(err) ? LinksRefused : err;
  const int removed = calls.Unlink(from);
  if (removed != 0) calls.Unlink(to);  // the file keeps its old name alone
  return removed;
}

// A plain move that never replaces a file. File systems without an atomic
// no-replace rename (EINVAL: network file systems and FUSE) move by a link;
// where links are refused too, a check and then a rename are the best they
// allow, and the move is counted as one made without an atomic check.
// FUSE keeps the looked-up name of a file for a while after the file has
// moved, so the second move of a case change checks the listing instead.
int MovePlain(TRenameCalls& calls, const std::string& from, const std::string& to,
              bool checkListing = false) {
  const int err = calls.Rename(from, to, true);
  if (err != EINVAL && err != ENOSYS) return err;
  if (checkListing && Listed(calls, to, true)) return EEXIST;
  const int linked = MoveByLink(calls, from, to);
  if (linked != LinksRefused) return linked;
  if (!checkListing) {
    TEntryInfo info;
    const int probe = calls.Stat(to, info);
    if (probe == 0) return EEXIST;
    if (probe != ENOENT) return probe;
  }
  const int moved = calls.Rename(from, to, false);
  if (moved == 0) ++UncheckedMoves;
  return moved;
}

}  // namespace

bool FoldEqual(const std::string& a, const std::string& b) {
  return a.size() == b.size() && LowerCase(a) == LowerCase(b);
}

namespace {

std::string TemporaryName(int attempt) {
  static std::atomic<unsigned> counter{0};
  return ".morvane-case-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
         std::to_string(attempt);
}

// Changes the letter case of a name on a file system that ignores case: two
// no-replace moves through a free temporary name in the same folder, the first
// one undone when the second fails (then the new name belongs to another file).
int ChangeCase(TRenameCalls& calls, const std::string& from, const std::string& to) {
  std::string temporary;
  int err = EEXIST;
  for (int attempt = 0; attempt < TemporaryTries && err == EEXIST; ++attempt) {
    temporary = TemporaryName(attempt);
    err = MovePlain(calls, from, temporary);
  }
  if (err != 0) return err;
  err = MovePlain(calls, temporary, to, true);
  if (err != 0) MovePlain(calls, temporary, from);
  return err;
}

// Decides a rename whose target name is taken. The same path spelt otherwise
// ("./a") is the same entry: nothing to do. Two plain names that lead to the
// same entry, or that differ only in letter case while the new one is not
// listed on its own, are one file on a file system that ignores case: its
// case is changed for real. Anything else (another file, a second hard link
// of the same file) is taken.
int TargetTaken(TRenameCalls& calls, const std::string& from, const std::string& to) {
  if (from == to) return 0;
  TEntryInfo source;
  TEntryInfo target;
  if (const int err = calls.Stat(from, source); err != 0) return err;
  if (calls.Stat(to, target) != 0) return EEXIST;
  const bool sameFile = source.Device == target.Device && source.Inode == target.Inode;
  const bool singleEntry = source.Directory || source.Links == 1;
  const bool plain = from.find('/') == std::string::npos && to.find('/') == std::string::npos;
  if (!plain) return sameFile && singleEntry ? 0 : EEXIST;
  if (!sameFile && !FoldEqual(from, to)) return EEXIST;
  if (!(sameFile && singleEntry) && Listed(calls, to, false)) return EEXIST;
  return ChangeCase(calls, from, to);
}

// The real calls, relative to one directory handle.
class TDirCalls : public TRenameCalls {
 public:
  explicit TDirCalls(int dirFd) : FDir(dirFd) {}

  int Rename(const std::string& from, const std::string& to, bool noReplace) override {
    if (noReplace) {
      if (::renameat2(FDir, from.c_str(), FDir, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    } else if (::renameat(FDir, from.c_str(), FDir, to.c_str()) == 0) {
      return 0;
    }
    return errno;
  }

  int Stat(const std::string& name, TEntryInfo& info) override {
    struct stat st;
    if (::fstatat(FDir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return errno;
    info = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
            static_cast<uint64_t>(st.st_nlink), S_ISDIR(st.st_mode)};
    return 0;
  }

  int Link(const std::string& from, const std::string& to) override {
    return ::linkat(FDir, from.c_str(), FDir, to.c_str(), 0) == 0 ? 0 : errno;
  }

  int Unlink(const std::string& name) override {
    return ::unlinkat(FDir, name.c_str(), 0) == 0 ? 0 : errno;
  }

  bool ListNames(std::vector<std::string>& names) override { return ListNamesAt(FDir, names); }

 private:
  int FDir;
};

}  // namespace

TRenameCalls::~TRenameCalls() = default;

int RenameNoReplaceWith(TRenameCalls& calls, const std::string& from, const std::string& to) {
  const int err = MovePlain(calls, from, to);
  return err == EEXIST ? TargetTaken(calls, from, to) : err;
}

uint64_t MovesWithoutAtomicCheck() { return UncheckedMoves.load(); }

int RenameNoReplaceAt(int dirFd, const std::string& from, const std::string& to) {
  TDirCalls calls(dirFd);
  return RenameNoReplaceWith(calls, from, to);
}

}  // namespace Platform
