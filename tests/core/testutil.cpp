#include "core/testutil.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "settings/inifile.h"

namespace TestUtil {

TTempDir::TTempDir() {
  char pattern[] = "/tmp/morvane-test-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  FPath = pattern;
}

TTempDir::~TTempDir() {
  std::error_code ec;
  // Restore write bits that a test may have removed, then delete.
  for (auto it = std::filesystem::recursive_directory_iterator(
           FPath, std::filesystem::directory_options::skip_permission_denied, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec)) ::chmod(it->path().c_str(), 0755);
  }
  ::chmod(FPath.c_str(), 0755);
  std::filesystem::remove_all(FPath, ec);
}

const std::string& TTempDir::Path() const { return FPath; }

std::string TTempDir::File(const std::string& name) const { return FPath + "/" + name; }

void WriteFileBytes(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out << data;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

std::vector<std::string> ListNames(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (dirent* e = ::readdir(d)) {
      std::string n = e->d_name;
      if (n != "." && n != "..") names.push_back(n);
    }
    ::closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::map<std::string, std::string> ReadFolder(const std::string& dir) {
  std::map<std::string, std::string> folder;
  for (const std::string& name : ListNames(dir)) folder[name] = ReadFileBytes(dir + "/" + name);
  return folder;
}

std::string WriteError(const std::function<void()>& write) {
  try {
    write();
  } catch (const Settings::EIniWriteError& error) {
    return error.what();
  }
  return "no error";
}

void GiveToNobody(const std::string& path) {
  if (::geteuid() != 0) return;
  ::lchown(path.c_str(), NobodyId, NobodyId);
  std::error_code ec;
  if (!std::filesystem::is_directory(std::filesystem::symlink_status(path, ec))) return;
  for (auto& e : std::filesystem::recursive_directory_iterator(path, ec))
    ::lchown(e.path().c_str(), NobodyId, NobodyId);
}

int RunUnprivileged(const std::function<int()>& fn) {
  pid_t pid = ::fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    if (::geteuid() == 0 && (::setgid(NobodyId) != 0 || ::setuid(NobodyId) != 0)) _exit(255);
    _exit(fn() & 0xff);
  }
  int status = 0;
  if (::waitpid(pid, &status, 0) < 0 || !WIFEXITED(status)) return -1;
  int code = WEXITSTATUS(status);
  return code == 255 ? -1 : code;
}

}  // namespace TestUtil
