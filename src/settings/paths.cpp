#include "settings/paths.h"

#include <string>
#include <vector>

#include "platform/filesystem.h"
#include "platform/pathname.h"
#include "platform/system.h"

namespace Settings {

namespace {

// Name used when the executable's path cannot be found out.
const char* const FallbackExeName = "morvane";
const char* const DefaultLanguageFile = "Language.lng";

// The executable's path, with a stand-in name when the system cannot tell.
std::string KnownExePath() {
  std::string exe = Platform::ExecutablePath();
  return exe.empty() ? FallbackExeName : exe;
}

std::string ChooseAppDataDir() {
  const bool installed = IsInstalledCopy();
  std::string dir = AppDataDirFor(KnownExePath(), installed, Platform::ConfigHome());
  if (installed && !dir.empty()) {
    // A failure here surfaces as "Unable to write to ..." at the first write.
    Platform::MakeDirectories(dir);
    LinkShippedLanguages(ShippedLanguageDir(), dir);
  }
  return dir;
}

}  // namespace

std::string SettingsPathFor(const std::string& exePath) {
  return std::string(Platform::ExtractNameWithoutExt(exePath)) + ".ini";
}

std::string FolderOf(const std::string& exePath) {
  return std::string(Platform::PathFolder(exePath));
}

std::string SharedDataDirFor(const std::string& exePath) {
  const std::string folder = FolderOf(exePath);
  if (!folder.ends_with("/bin/")) return {};
  return folder.substr(0, folder.size() - 4) + "share/morvane/";
}

bool IsInstalledCopy() {
  static const bool installed = [] {
    const std::string shared = SharedDataDirFor(Platform::ExecutablePath());
    return !shared.empty() && Platform::IsDirectory(shared);
  }();
  return installed;
}

std::string AppDataDirFor(const std::string& exePath, bool installed,
                          const std::string& configHome) {
  if (!installed) return FolderOf(exePath);
  if (configHome.empty()) return {};
  std::string home = configHome;
  while (!home.empty() && home.back() == '/') home.pop_back();
  return home + "/morvane/";
}

std::string SettingsFilePathFor(const std::string& exePath, bool installed,
                                const std::string& configHome) {
  std::string exe = exePath.empty() ? FallbackExeName : exePath;
  return AppDataDirFor(exe, installed, configHome).append(Platform::PathName(SettingsPathFor(exe)));
}

std::string DataDirFor(const std::string& exePath, bool installed) {
  return installed ? SharedDataDirFor(exePath) : FolderOf(exePath);
}

std::string ShippedLanguageDirFor(const std::string& exePath, bool installed) {
  return installed ? SharedDataDirFor(exePath) + "lang/" : FolderOf(exePath);
}

int LinkShippedLanguages(const std::string& shippedDir, const std::string& configDir) {
  std::vector<Platform::TDirEntry> entries;
  if (shippedDir.empty() || configDir.empty() || !Platform::ListDirectory(shippedDir, entries))
    return 0;
  int made = 0;
  for (const Platform::TDirEntry& entry : entries) {
    if ((entry.Attributes & (Platform::faDirectory | Platform::faSystem)) != 0) continue;
    if (!entry.Name.ends_with(".lng") || entry.Name == DefaultLanguageFile) continue;
    if (Platform::LinkIfAbsent(shippedDir + entry.Name, configDir + entry.Name)) ++made;
  }
  return made;
}

std::string AppDataDir() {
  // Decided once, so that the settings read at start-up and written at close
  // are the same file.
  static const std::string dir = ChooseAppDataDir();
  return dir;
}

std::string SettingsFilePath() {
  return AppDataDir().append(Platform::PathName(SettingsPathFor(KnownExePath())));
}

std::string ExecutableDir() { return FolderOf(Platform::ExecutablePath()); }

std::string DataDir() { return DataDirFor(Platform::ExecutablePath(), IsInstalledCopy()); }

std::string ShippedLanguageDir() {
  return ShippedLanguageDirFor(Platform::ExecutablePath(), IsInstalledCopy());
}

}  // namespace Settings
