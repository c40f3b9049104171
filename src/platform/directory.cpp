#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/filesystem.h"
#include "platform/renamecalls.h"

namespace Platform {

int RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0 ? 0 : errno; }

std::string ErrorText(int error) {
  char buffer[256] = {};
  return ::strerror_r(error, buffer, sizeof buffer);  // the GNU form returns the text
}

TDirectory::TDirectory(TFileSystem& fs, const std::string& path) : FFs(fs), FPath(path) {
  FOpenError = FFs.OpenDirectory(path, FHandle);
  if (FOpenError != 0) FHandle = -1;
}

TDirectory::~TDirectory() { FFs.CloseDirectory(FHandle); }

const std::string& TDirectory::Path() const { return FPath; }

int TDirectory::Handle() const { return FHandle; }

int TDirectory::OpenError() const { return FOpenError; }

int TDirectory::Rename(const std::string& from, const std::string& to) const {
  return FFs.RenameIn(*this, from, to);
}

bool TDirectory::Has(const std::string& name) const {
  TFileId id;
  return FHandle >= 0 && !name.empty() && FFs.FileIdIn(*this, name, id) == 0;
}

int TDirectory::FileId(const std::string& name, TFileId& id) const {
  return FFs.FileIdIn(*this, name, id);
}

namespace {

// Calls add with every entry name of the directory open as dirFd.
template <typename TAdd>
bool ForEachNameAt(int dirFd, TAdd add) {
  const int fd = dirFd < 0 ? -1 : ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* stream = fd >= 0 ? ::fdopendir(fd) : nullptr;
  if (!stream) {
    if (fd >= 0) ::close(fd);
    return false;
  }
  while (const dirent* entry = ::readdir(stream)) add(entry->d_name);
  ::closedir(stream);
  return true;
}

}  // namespace

bool ListNamesAt(int dirFd, std::vector<std::string>& names) {
  names.clear();
  return ForEachNameAt(dirFd, [&names](const char* name) { names.emplace_back(name); });
}

bool ListNamesAt(int dirFd, std::string& names) {
  names.clear();
  const bool listed =
      ForEachNameAt(dirFd, [&names](const char* name) { names.append(name).push_back('\0'); });
  names.shrink_to_fit();  // held for a whole run: no room left over from growing
  return listed;
}

bool TDirectory::ListNames(std::string& names) const { return FFs.ListNamesIn(*this, names); }

long TDirectory::NameMax() const {
  const long max = FHandle >= 0 ? ::fpathconf(FHandle, _PC_NAME_MAX) : -1;
  return max > 0 ? max : NAME_MAX;
}

std::string TDirectory::RealPath() const {
  if (FHandle < 0) return {};
  const std::string link = "/proc/self/fd/" + std::to_string(FHandle);
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink(link.c_str(), buffer, sizeof buffer);
  if (length > 0 && static_cast<std::size_t>(length) < sizeof buffer)
    return {buffer, static_cast<std::size_t>(length)};
  char* resolved = ::realpath(FPath.empty() ? "/" : FPath.c_str(), nullptr);
  if (!resolved) return {};
  std::string result(resolved);
  std::free(resolved);
  return result;
}

}  // namespace Platform
