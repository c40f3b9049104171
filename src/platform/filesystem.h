#pragma once

#include <cerrno>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Every file-system call of the program goes through this header. The free
// functions are the real operations; TFileSystem is the seam that tests replace
// to inject failures.
namespace Platform {

// Attribute bits of a directory entry, as the listing reports them.
constexpr uint32_t faHidden = 0x2;      // name starts with "."
constexpr uint32_t faSystem = 0x4;      // neither a regular file nor a symbolic link
constexpr uint32_t faDirectory = 0x10;  // a directory, or a symbolic link to one

struct TDirEntry {
  std::string Name;  // the exact bytes the file system gave
  uint32_t Attributes = 0;
};

// Lists every entry of dir ("." and ".." included when the system reports
// them); an empty dir lists "/". False when the listing cannot be started or
// holds not a single entry; entries is then empty.
bool ListDirectory(const std::string& dir, std::vector<TDirEntry>& entries);

// Last-modification time of the entry itself (lstat), local time, packed in
// MS-DOS date and time form; -1 when the entry is missing, is a directory, or
// lies outside 1980..2107.
int32_t FileAge(const std::string& path);

// Packs a time (seconds since the epoch) as local MS-DOS date and time; -1 when
// it lies outside 1980..2107.
int32_t DosDateTime(int64_t unixSeconds);

// True when path names an existing directory (symbolic links followed).
bool IsDirectory(const std::string& path);

// Renames one file, both names relative to the open directory dirFd, and
// never replaces an existing one. Returns 0 on success or the errno value of
// the failure (EEXIST when the target is taken). A change of letter case only
// of a plain name, on a file system that ignores case, really changes the
// name (through a temporary name in the same folder).
// File systems without the atomic no-replace rename (network shares, FUSE)
// get a new link and the removal of the old one, just as safe.
int RenameNoReplaceAt(int dirFd, const std::string& from, const std::string& to);

// How many renames of this process were made without an atomic check: where
// a file system refuses both the no-replace rename and links (folders, some
// FUSE file systems), a check comes first and then a plain rename, and a
// file created under the new name in between would be replaced. A run
// compares the count before and after to say so in its report.
uint64_t MovesWithoutAtomicCheck();

// Reads a whole regular file (symbolic links followed), never waiting on it.
// False when it is missing or unreadable, when it is anything else (a FIFO, a
// device, a folder) or larger than a few MiB; data is then empty.
bool ReadFile(const std::string& path, std::string& data);

// Replaces the content of path atomically (temporary file in the same folder,
// then a rename over it). A read-only file or folder fails and leaves the file
// as it was. Returns 0 or an errno value.
int ReplaceFile(const std::string& path, const std::string& data);

// True when path names an existing entry (symbolic links followed).
bool PathExists(const std::string& path);

// True when the current user may create files in dir.
bool IsWritableDirectory(const std::string& dir);

// Reads at most limit bytes from the start of a regular file. False when it
// is missing, unreadable or not a regular file.
bool ReadFileHead(const std::string& path, std::size_t limit, std::string& data);

// Removes one file (not a directory). Returns 0 or an errno value.
int RemoveFile(const std::string& path);

// The system's text for an errno value ("File exists", ...).
std::string ErrorText(int error);

// Creates dir and its missing parents. False on failure.
bool MakeDirectories(const std::string& dir);

class TDirectory;

// What tells one file from another while its name changes. A rename keeps
// all of it (it changes the change time, which is therefore left out).
struct TFileId {
  uint64_t Device = 0;
  uint64_t Inode = 0;  // 0: unknown, matches nothing
  uint64_t Size = 0;
  int64_t ModifiedNs = 0;                           // last write, nanoseconds since the epoch
  int64_t BornNs = 0;                               // birth time; 0 when the file system gives none
  bool operator==(const TFileId&) const = default;  // every field alike
};

// Whether two identities are the same file: device and inode match, and the
// birth times when both are known, else size and last write.
bool SameFile(const TFileId& a, const TFileId& b);

// The seam. The default implementation forwards to the real operations above.
class TFileSystem {
 public:
  virtual ~TFileSystem();
  virtual bool ListDirectory(const std::string& dir, std::vector<TDirEntry>& entries);
  virtual int32_t FileAge(const std::string& path);
  virtual bool ReadFile(const std::string& path, std::string& data);
  virtual int ReplaceFile(const std::string& path, const std::string& data);
  // The no-replace rename of two names inside an open directory.
  virtual int RenameIn(const TDirectory& dir, const std::string& from, const std::string& to);
  // The identity of the entry name inside dir, links not followed: 0, or the
  // errno value (ENOENT when there is none).
  virtual int FileIdIn(const TDirectory& dir, const std::string& name, TFileId& id);
  // Every name of dir, read through a stream of its own, each ended by a NUL
  // (which no name holds); false when unreadable.
  virtual bool ListNamesIn(const TDirectory& dir, std::string& names);
  // The advisory lock of dir (flock): 0, EWOULDBLOCK when another holds it and
  // wait is false, or another errno value.
  virtual int LockDir(const TDirectory& dir, bool wait);
  virtual void UnlockDir(const TDirectory& dir);
  // Creates dir and its missing parents, those it creates private (0700):
  // 0 or an errno value.
  virtual int MakePrivateDirectories(const std::string& dir);
  // Writes a new private file (0600) under name in folder atomically, never
  // replacing one: 0, EEXIST when the name is taken, or another errno value.
  // Its content comes from pieces, called until it gives an empty piece, so
  // that a large file is never held whole.
  virtual int WritePrivateFile(const std::string& folder, const std::string& name,
                               const std::function<std::string_view()>& pieces);
  // Feeds a regular file to sink in pieces of at most 64 KiB, until the end or
  // until sink returns false; never waits on a FIFO. 0 or an errno value.
  virtual int ReadPieces(const std::string& path,
                         const std::function<bool(std::string_view)>& sink);
  virtual int RemoveFile(const std::string& path);
  // Opens a directory for TDirectory ("/" for an empty path): 0 or errno.
  virtual int OpenDirectory(const std::string& path, int& handle);
  virtual void CloseDirectory(int handle);
};

// Holds the lock of a directory while it lives.
class TDirLock {
 public:
  TDirLock(TFileSystem& fs, const TDirectory& dir, bool wait);
  ~TDirLock();
  TDirLock(const TDirLock&) = delete;
  TDirLock& operator=(const TDirLock&) = delete;
  int Error() const { return FError; }  // 0 when held
  // Another holder has it. A file system without locks (another error) does
  // not keep a run from going on.
  bool Busy() const { return FError == EWOULDBLOCK; }

 private:
  TFileSystem& FFs;
  const TDirectory& FDir;
  int FError = 0;
};

// A directory opened once: every rename through it happens in the folder that
// was opened, even when its path is later made to lead elsewhere. An empty
// path opens "/".
class TDirectory {
 public:
  TDirectory(TFileSystem& fs, const std::string& path);
  ~TDirectory();
  TDirectory(const TDirectory&) = delete;
  TDirectory& operator=(const TDirectory&) = delete;

  const std::string& Path() const;  // as given, for messages
  int Handle() const;               // -1 when the open failed
  int OpenError() const;            // errno of the failed open, else 0
  // The no-replace rename of two names (which may hold "/") below it.
  int Rename(const std::string& from, const std::string& to) const;
  // Whether an entry of that name (a path below it) exists, links not followed.
  bool Has(const std::string& name) const;
  // Every name of the directory, each ended by a NUL; false when it cannot
  // be read.
  bool ListNames(std::string& names) const;
  // The longest file name the file system allows, in bytes.
  long NameMax() const;
  // The absolute path without links of the opened folder; empty if unknown.
  std::string RealPath() const;
  // The identity of the entry name (FileIdIn of its file system).
  int FileId(const std::string& name, TFileId& id) const;
  TFileSystem& Fs() const { return FFs; }

 private:
  TFileSystem& FFs;
  std::string FPath;
  int FHandle = -1;
  int FOpenError = 0;
};

// The file system in use: the real one unless a test has put another in place.
TFileSystem& FileSystem();
// Puts fs in place (not owned); nullptr restores the real file system.
void SetFileSystem(TFileSystem* fs);

}  // namespace Platform
