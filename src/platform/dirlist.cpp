#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

#include <mutex>

#include "platform/filesystem.h"

namespace Platform {

namespace {

constexpr int FirstDosYear = 1980;
constexpr int LastDosYear = 2107;

// Attributes of an entry that is not a symbolic link, from its file mode.
uint32_t AttributesOfMode(mode_t mode) {
  if (S_ISDIR(mode)) return faDirectory;
  if (S_ISREG(mode)) return 0;
  return faSystem;
}

// A symbolic link counts as a directory when it leads to one; a link to
// anything else, or one that leads nowhere, is a file.
uint32_t AttributesOfLink(int dirFd, const char* name) {
  struct stat st;
  if (::fstatat(dirFd, name, &st, 0) == 0 && S_ISDIR(st.st_mode)) return faDirectory;
  return 0;
}

uint32_t AttributesOfEntry(int dirFd, const dirent& entry) {
  switch (entry.d_type) {
    case DT_DIR:
      return faDirectory;
    case DT_REG:
      return 0;
    case DT_LNK:
      return AttributesOfLink(dirFd, entry.d_name);
    case DT_FIFO:
    case DT_SOCK:
    case DT_CHR:
    case DT_BLK:
      return faSystem;
    default:
      break;
  }
  // The file system does not say what the entry is: ask for it.
  struct stat st;
  if (::fstatat(dirFd, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) return 0;
  if (S_ISLNK(st.st_mode)) return AttributesOfLink(dirFd, entry.d_name);
  return AttributesOfMode(st.st_mode);
}

// The C library reads the time zone once; doing it up front keeps every later
// conversion on the same rules.
void EnsureTimeZone() {
  static std::once_flag once;
  std::call_once(once, [] { ::tzset(); });
}

}  // namespace

bool ListDirectory(const std::string& dir, std::vector<TDirEntry>& entries) {
  entries.clear();
  DIR* stream = ::opendir(dir.empty() ? "/" : dir.c_str());
  if (!stream) return false;
  int dirFd = ::dirfd(stream);
  while (const dirent* entry = ::readdir(stream)) {
    TDirEntry item;
    item.Name = entry->d_name;
    item.Attributes = AttributesOfEntry(dirFd, *entry);
    if (item.Name[0] == '.') item.Attributes |= faHidden;
    entries.push_back(std::move(item));
  }
  ::closedir(stream);
  return !entries.empty();
}

int32_t DosDateTime(int64_t unixSeconds) {
  EnsureTimeZone();
  time_t seconds = static_cast<time_t>(unixSeconds);
  if (static_cast<int64_t>(seconds) != unixSeconds) return -1;
  struct tm local;
  if (!::localtime_r(&seconds, &local)) return -1;
  int year = local.tm_year + 1900;
  if (year < FirstDosYear || year > LastDosYear) return -1;
  // A leap second has no place in the two-second steps of the time word.
  int second = local.tm_sec > 59 ? 59 : local.tm_sec;
  uint32_t date =
      static_cast<uint32_t>((year - FirstDosYear) << 9 | (local.tm_mon + 1) << 5 | local.tm_mday);
  uint32_t time = static_cast<uint32_t>(local.tm_hour << 11 | local.tm_min << 5 | second / 2);
  return static_cast<int32_t>(date << 16 | time);
}

int32_t FileAge(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return -1;
  if (S_ISDIR(st.st_mode)) return -1;
  if (S_ISLNK(st.st_mode) && IsDirectory(path)) return -1;
  return DosDateTime(static_cast<int64_t>(st.st_mtim.tv_sec));
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace Platform
