#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every file-system call of the program goes through this header. The free
// functions are the real operations; TFileSystem is the seam that tests replace
// to inject failures.
namespace Platform {

// Attribute bits of a directory entry, as the listing reports them.
constexpr uint32_t faHidden = 0x2;     // name starts with "."
constexpr uint32_t faSystem = 0x4;     // neither a regular file nor a symbolic link
constexpr uint32_t faDirectory = 0x10; // a directory, or a symbolic link to one

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

// Renames one file and never replaces an existing one. Returns 0 on success or
// the errno value of the failure (EEXIST when the target is taken).
int RenameNoReplace(const std::string& from, const std::string& to);

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

// Creates dir and its missing parents. False on failure.
bool MakeDirectories(const std::string& dir);

// The seam. The default implementation forwards to the real operations above.
class TFileSystem {
 public:
  virtual ~TFileSystem();
  virtual bool ListDirectory(const std::string& dir, std::vector<TDirEntry>& entries);
  virtual int32_t FileAge(const std::string& path);
  virtual int RenameNoReplace(const std::string& from, const std::string& to);
  virtual bool ReadFile(const std::string& path, std::string& data);
  virtual int ReplaceFile(const std::string& path, const std::string& data);
};

// The file system in use: the real one unless a test has put another in place.
TFileSystem& FileSystem();
// Puts fs in place (not owned); nullptr restores the real file system.
void SetFileSystem(TFileSystem* fs);

}  // namespace Platform
