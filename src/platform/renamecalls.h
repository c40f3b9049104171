#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The few system calls that the no-replace rename is made of, behind an
// interface, so that tests can play a file system that ignores letter case
// (one that keeps inode numbers, and one that gives a new number at every
// lookup) or one without an atomic no-replace rename or without hard links.
namespace Platform {

struct TEntryInfo {
  uint64_t Device = 0;
  uint64_t Inode = 0;
  uint64_t Links = 0;
  bool Directory = false;
};

class TRenameCalls {
 public:
  virtual ~TRenameCalls();
  // renameat2 with RENAME_NOREPLACE (noReplace) or a plain rename: 0 or errno.
  virtual int Rename(const std::string& from, const std::string& to, bool noReplace) = 0;
  // lstat: 0 or errno.
  virtual int Stat(const std::string& name, TEntryInfo& info) = 0;
  // linkat of from under the new name to (links not followed): 0 or errno.
  virtual int Link(const std::string& from, const std::string& to) = 0;
  // unlinkat of a name that is not a folder: 0 or errno.
  virtual int Unlink(const std::string& name) = 0;
  // Every entry name of the directory; false when it cannot be read.
  virtual bool ListNames(std::vector<std::string>& names) = 0;
};

// Every entry name of the directory open as dirFd ("." and ".." included),
// read through a stream of its own so that the handle's position is never
// shared. False when the directory cannot be read.
bool ListNamesAt(int dirFd, std::vector<std::string>& names);
// The same packed in one string, each name ended by a NUL.
bool ListNamesAt(int dirFd, std::string& names);

// Whether two names differ at most in letter case.
bool FoldEqual(const std::string& a, const std::string& b);

// The rename of RenameNoReplaceAt, made of those calls.
int RenameNoReplaceWith(TRenameCalls& calls, const std::string& from, const std::string& to);

}  // namespace Platform
