// The calls behind the seam that the run, its record and undo need besides
// the rename: file identity, the directory lock, private state files.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/filesystem.h"
#include "platform/renamecalls.h"

namespace Platform {

namespace {

int64_t Nanoseconds(const struct statx_timestamp& t) {
  return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Writes all of data to fd: 0 or errno.
int WriteAll(int fd, std::string_view data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : EIO;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

// Makes one folder private when it was created here: 0 or errno.
int MakeOnePrivate(const std::string& dir) {
  if (::mkdir(dir.c_str(), 0700) == 0) return ::chmod(dir.c_str(), 0700) == 0 ? 0 : errno;
  if (errno != EEXIST) return errno;
  struct stat st;
  if (::stat(dir.c_str(), &st) != 0) return errno;
  return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

// Gives the finished record its name in the private state folder, never
// replacing one. Where the file system lacks the atomic no-replace rename and
// links, a check and a rename are enough: no one else writes there.
int Publish(int folderFd, const std::string& temp, const std::string& name) {
  if (::renameat2(folderFd, temp.c_str(), folderFd, name.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  if (::linkat(folderFd, temp.c_str(), folderFd, name.c_str(), 0) == 0)
    return ::unlinkat(folderFd, temp.c_str(), 0) == 0 ? 0 : errno;
  if (errno == EEXIST) return EEXIST;
  struct stat st;
  if (::fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) return EEXIST;
  return ::renameat(folderFd, temp.c_str(), folderFd, name.c_str()) == 0 ? 0 : errno;
}

}  // namespace

bool SameFile(const TFileId& a, const TFileId& b) {
  if (a.Inode == 0 || a.Device != b.Device || a.Inode != b.Inode) return false;
  if (a.BornNs != 0 && b.BornNs != 0) return a.BornNs == b.BornNs;
  return a.Size == b.Size && a.ModifiedNs == b.ModifiedNs;
}

int TFileSystem::FileIdIn(const TDirectory& dir, const std::string& name, TFileId& id) {
  id = {};
  if (dir.Handle() < 0) return dir.OpenError();
  if (name.empty()) return ENOENT;
  struct statx st;
  const unsigned mask = STATX_INO | STATX_SIZE | STATX_MTIME | STATX_BTIME;
  if (::statx(dir.Handle(), name.c_str(), AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, mask, &st) != 0)
    return errno;
  id.Device = (static_cast<uint64_t>(st.stx_dev_major) << 32) | st.stx_dev_minor;
  id.Inode = st.stx_ino;
  id.Size = st.stx_size;
  id.ModifiedNs = Nanoseconds(st.stx_mtime);
  id.BornNs = (st.stx_mask & STATX_BTIME) ? Nanoseconds(st.stx_btime) : 0;
  return 0;
}

bool TFileSystem::ListNamesIn(const TDirectory& dir, std::string& names) {
  return ListNamesAt(dir.Handle(), names);
}

int TFileSystem::LockDir(const TDirectory& dir, bool wait) {
  if (dir.Handle() < 0) return dir.OpenError();
  while (::flock(dir.Handle(), LOCK_EX | (wait ? 0 : LOCK_NB)) != 0) {
    if (errno != EINTR) return errno;
  }
  return 0;
}

void TFileSystem::UnlockDir(const TDirectory& dir) {
  if (dir.Handle() >= 0) ::flock(dir.Handle(), LOCK_UN);
}

int TFileSystem::MakePrivateDirectories(const std::string& dir) {
  if (dir.empty()) return ENOENT;
  for (std::size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
    const std::string part = dir.substr(0, slash);
    if (!part.empty() && part.back() != '/') {
      if (const int err = MakeOnePrivate(part)) return err;
    }
    if (slash == std::string::npos) return 0;
  }
}

int TFileSystem::WritePrivateFile(const std::string& folder, const std::string& name,
                                  const std::function<std::string_view()>& pieces) {
  const std::string temp = folder + "/." + name + ".tmp";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return errno;
  int err = ::fchmod(fd, 0600) == 0 ? 0 : errno;
  for (std::string_view piece; err == 0 && !(piece = pieces()).empty();) err = WriteAll(fd, piece);
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0) {
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) {
      err = errno;
    } else {
      err = Publish(folderFd, "." + name + ".tmp", name);
      if (err == 0) ::fsync(folderFd);
      ::close(folderFd);
    }
  }
  if (err != 0) ::unlink(temp.c_str());
  return err;
}

int TFileSystem::ReadPieces(const std::string& path,
                            const std::function<bool(std::string_view)>& sink) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat st;
  int err = ::fstat(fd, &st) != 0 ? errno : (S_ISREG(st.st_mode) ? 0 : EINVAL);
  char buffer[64 * 1024];
  while (err == 0) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) err = errno;
    if (n <= 0 || !sink(std::string_view(buffer, static_cast<std::size_t>(n)))) break;
  }
  ::close(fd);
  return err;
}

int TFileSystem::RemoveFile(const std::string& path) { return Platform::RemoveFile(path); }

int TFileSystem::OpenDirectory(const std::string& path, int& handle) {
  handle = ::open(path.empty() ? "/" : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  return handle < 0 ? errno : 0;
}

void TFileSystem::CloseDirectory(int handle) {
  if (handle >= 0) ::close(handle);
}

TDirLock::TDirLock(TFileSystem& fs, const TDirectory& dir, bool wait) : FFs(fs), FDir(dir) {
  FError = FFs.LockDir(FDir, wait);
}

TDirLock::~TDirLock() {
  if (FError == 0) FFs.UnlockDir(FDir);
}

}  // namespace Platform
