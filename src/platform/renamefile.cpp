#include <cerrno>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/filesystem.h"

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace Platform {

namespace {

// renameat2 with RENAME_NOREPLACE, called through the system call so that an
// older C library without the wrapper still gets it. Returns 0 or errno.
int RenameAtomicNoReplace(const std::string& from, const std::string& to) {
#ifdef SYS_renameat2
  if (::syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
    return 0;
  return errno;
#else
  (void)from;
  (void)to;
  return ENOSYS;
#endif
}

// Decides a rename whose target name is taken. When both names lead to the same
// directory entry (the same path spelt differently, or a change of letter case
// on a file system that ignores case) there is nothing to do and the rename
// succeeds. Two hard links of one file are different entries: that target is
// taken like any other, so a file with several links only succeeds for the
// very same path.
int TargetTaken(const std::string& from, const std::string& to) {
  if (from == to) return 0;
  struct stat source;
  struct stat target;
  if (::lstat(from.c_str(), &source) != 0) return errno;
  if (::lstat(to.c_str(), &target) != 0) return EEXIST;
  bool sameFile = source.st_dev == target.st_dev && source.st_ino == target.st_ino;
  if (sameFile && (S_ISDIR(source.st_mode) || source.st_nlink == 1)) return 0;
  return EEXIST;
}

// For file systems without RENAME_NOREPLACE: check, then rename. Not atomic,
// which is the best such a file system allows.
int RenameChecked(const std::string& from, const std::string& to) {
  struct stat target;
  if (::lstat(to.c_str(), &target) == 0) return TargetTaken(from, to);
  if (errno != ENOENT) return errno;
  if (::rename(from.c_str(), to.c_str()) != 0) return errno;
  return 0;
}

}  // namespace

int RenameNoReplace(const std::string& from, const std::string& to) {
  int err = RenameAtomicNoReplace(from, to);
  if (err == 0) return 0;
  if (err == EEXIST) return TargetTaken(from, to);
  if (err == EINVAL || err == ENOSYS) return RenameChecked(from, to);
  return err;
}

}  // namespace Platform
