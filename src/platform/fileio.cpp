#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <string>

#include "platform/filesystem.h"
#include "platform/pathname.h"

namespace Platform {

namespace {

// Longest chain of symbolic links followed before giving up (the kernel's own
// limit).
constexpr int MaxLinkHops = 40;

// Largest file that ReadFile takes in. Settings and language files stay far
// below it (a language file of 10,000 texts is about 1.3 MB).
constexpr off_t MaxReadBytes = off_t{4} << 20;

// Follows symbolic links from path to the file they finally name, which need
// not exist yet. Returns 0 or an errno value.
int ResolveLinks(const std::string& path, std::string& target) {
  target = path;
  for (int hop = 0; hop < MaxLinkHops; ++hop) {
    struct stat st;
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return 0;
    std::string link(static_cast<size_t>(st.st_size) + 256, '\0');
    ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
    if (n < 0) return errno;
    link.resize(static_cast<size_t>(n));
    target = (!link.empty() && link[0] == '/') ? link : std::string(PathFolder(target)) + link;
  }
  return ELOOP;
}

// Reads fd into data up to limit bytes; whole tells whether the file ended
// within them. False on a read error.
bool ReadUpTo(int fd, size_t limit, std::string& data, bool& whole) {
  char buffer[65536];
  for (;;) {
    const size_t room = limit - data.size();
    ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, room + 1));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    whole = n == 0;
    if (whole) return true;
    data.append(buffer, std::min(static_cast<size_t>(n), room));
    if (static_cast<size_t>(n) > room) return true;
  }
}

// Reads the start of a regular file (symbolic links followed) and nothing
// else: opening a FIFO would wait for a writer, and a device may never end.
bool ReadRegularFile(const std::string& path, size_t limit, std::string& data, bool& whole) {
  data.clear();
  whole = false;
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return false;
  // The path may have been swapped since the check: judge what was opened.
  const bool read =
      ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ReadUpTo(fd, limit, data, whole);
  ::close(fd);
  if (!read) data.clear();
  return read;
}

int WriteAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return ENOSPC;
    done += static_cast<size_t>(n);
  }
  return 0;
}

// Creates a fresh, empty file beside target; umask applies to its mode as it
// would to a newly created target.
int CreateTempBeside(const std::string& target, std::string& tempPath, int& fd) {
  static std::atomic<unsigned> counter{0};
  const std::string stem =
      std::string(PathFolder(target)) + "." + std::string(PathName(target)) + ".tmp";
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = stem + std::to_string(::getpid()) + "_" + std::to_string(counter++);
    fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return 0;
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

// Gives the temporary file the content and, when the target exists, its
// permission bits and owner. Returns 0 or an errno value.
int FillTemp(int fd, const std::string& data, const struct stat* original) {
  if (original) {
    if (::fchmod(fd, original->st_mode & 07777) != 0) return errno;
    // Only root can hand a file to another owner; others keep their own.
    if (::geteuid() == 0) (void)!::fchown(fd, original->st_uid, original->st_gid);
  }
  if (int err = WriteAll(fd, data)) return err;
  if (::fsync(fd) != 0) return errno;
  return 0;
}

void SyncFolder(const std::string& dir) {
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Checks that target may be replaced; fills original when it exists.
int CheckTarget(const std::string& target, struct stat& original, bool& exists) {
  exists = ::stat(target.c_str(), &original) == 0;
  if (!exists) return errno == ENOENT ? 0 : errno;
  if (S_ISDIR(original.st_mode)) return EISDIR;
  if (!S_ISREG(original.st_mode)) return EINVAL;
  // A rename would go over a read-only file without complaint.
  if (::access(target.c_str(), W_OK) != 0) return errno;
  return 0;
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

bool ReadFile(const std::string& path, std::string& data) {
  bool whole = false;
  if (ReadRegularFile(path, static_cast<size_t>(MaxReadBytes), data, whole) && whole) return true;
  data.clear();
  return false;
}

bool ReadFileHead(const std::string& path, std::size_t limit, std::string& data) {
  bool whole = false;
  return ReadRegularFile(path, limit, data, whole);
}

int ReplaceFile(const std::string& path, const std::string& data) {
  std::string target;
  if (int err = ResolveLinks(path, target)) return err;
  struct stat original;
  bool exists = false;
  if (int err = CheckTarget(target, original, exists)) return err;
  std::string tempPath;
  int fd = -1;
  if (int err = CreateTempBeside(target, tempPath, fd)) return err;
  int err = FillTemp(fd, data, exists ? &original : nullptr);
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(tempPath.c_str());
    return err;
  }
  const std::string_view folder = PathFolder(target);
  SyncFolder(folder.empty() ? std::string(".") : std::string(folder));
  return 0;
}

bool PathExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

bool IsWritableDirectory(const std::string& dir) {
  struct stat st;
  if (dir.empty() || ::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

bool MakeDirectories(const std::string& dir) {
  if (dir.empty()) return false;
  if (IsFolder(dir)) return true;
  std::string trimmed = dir;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const std::string parent(PathFolder(trimmed));  // empty for a name in the working folder
  if (!parent.empty() && parent != trimmed && !IsFolder(parent) && !MakeDirectories(parent))
    return false;
  if (::mkdir(trimmed.c_str(), 0777) == 0) return true;
  return errno == EEXIST && IsFolder(trimmed);
}

}  // namespace Platform
