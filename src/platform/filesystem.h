#pragma once

#include <cstdint>
#include <string>
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
  // Every name of the directory; false when it cannot be read.
  bool ListNames(std::vector<std::string>& names) const;
  // The longest file name the file system allows, in bytes.
  long NameMax() const;
  // The absolute path without links of the opened folder; empty if unknown.
  std::string RealPath() const;

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
