#include "platform/system.h"

#include <malloc.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace Platform {

namespace {

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The home folder: $HOME, else the password database's entry.
std::string HomeFolder() {
  std::string home = EnvironmentValue("HOME");
  if (!home.empty()) return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return {};
}

}  // namespace

std::string ExecutablePath() {
  std::string path(4096, '\0');
  for (;;) {
    ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < path.size()) {
      path.resize(static_cast<size_t>(n));
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::string EnvironmentValue(const char* name) {
  const char* value = name ? std::getenv(name) : nullptr;
  return value ? value : "";
}

std::string ConfigHome() {
  // A relative $XDG_CONFIG_HOME is invalid and ignored, as the base-directory
  // rules require.
  std::string xdg = EnvironmentValue("XDG_CONFIG_HOME");
  if (!xdg.empty() && xdg[0] == '/') return WithoutTrailingSlashes(xdg);
  std::string home = HomeFolder();
  if (home.empty()) return {};
  home = WithoutTrailingSlashes(home);
  return (home == "/" ? "" : home) + "/.config";
}

std::string ProcessId() { return std::to_string(::getpid()); }

std::string CurrentDirectory() {
  std::string path(4096, '\0');
  for (;;) {
    if (::getcwd(path.data(), path.size())) return path.substr(0, path.find('\0'));
    if (errno != ERANGE) return {};
    path.resize(path.size() * 2);
  }
}

void ReturnLargeBlocksWhenFreed() {
  // A fixed threshold also stops the allocator from raising it after each
  // large block it frees.
  ::mallopt(M_MMAP_THRESHOLD, 1 << 20);
}

int64_t RegularFileSize(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_size);
}

}  // namespace Platform
