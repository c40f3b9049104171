#include "app/paths.h"

#include <string>

#include "platform/filesystem.h"
#include "platform/system.h"

namespace App {

namespace {

// Name used when the executable's path cannot be found out.
const char* const FallbackExeName = "morvane";

std::string FileNameOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The executable's path, with a stand-in name when the system cannot tell.
std::string KnownExePath() {
  std::string exe = Platform::ExecutablePath();
  return exe.empty() ? FallbackExeName : exe;
}

std::string ChooseAppDataDir() {
  std::string exe = KnownExePath();
  bool writable = Platform::IsWritableDirectory(FolderOf(exe));
  std::string dir = AppDataDirFor(exe, writable, Platform::ConfigHome());
  // A failure here surfaces as "Unable to write to ..." at the first write.
  if (!writable) Platform::MakeDirectories(dir);
  return dir;
}

}  // namespace

std::string SettingsPathFor(const std::string& exePath) {
  size_t slash = exePath.rfind('/');
  size_t dot = exePath.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return exePath + ".ini";
  return exePath.substr(0, dot) + ".ini";
}

std::string FolderOf(const std::string& exePath) {
  size_t slash = exePath.rfind('/');
  return slash == std::string::npos ? std::string() : exePath.substr(0, slash + 1);
}

std::string AppDataDirFor(const std::string& exePath, bool exeDirWritable,
                          const std::string& configHome) {
  if (exeDirWritable || configHome.empty()) return FolderOf(exePath);
  std::string home = configHome;
  while (!home.empty() && home.back() == '/') home.pop_back();
  return home + "/morvane/";
}

std::string SettingsFilePathFor(const std::string& exePath, bool exeDirWritable,
                                const std::string& configHome) {
  std::string exe = exePath.empty() ? FallbackExeName : exePath;
  return AppDataDirFor(exe, exeDirWritable, configHome) + FileNameOf(SettingsPathFor(exe));
}

std::string AppDataDir() {
  // Decided once, so that the settings read at start-up and written at close
  // are the same file.
  static const std::string dir = ChooseAppDataDir();
  return dir;
}

std::string SettingsFilePath() {
  return AppDataDir() + FileNameOf(SettingsPathFor(KnownExePath()));
}

std::string ExecutableDir() { return FolderOf(Platform::ExecutablePath()); }

}  // namespace App
