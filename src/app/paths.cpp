#include "app/paths.h"

namespace App {

std::string SettingsPathFor(const std::string& exePath) { return exePath + ".ini"; }
std::string FolderOf(const std::string&) { return {}; }
std::string AppDataDir() { return {}; }
std::string SettingsFilePath() { return {}; }
std::string ExecutableDir() { return {}; }

}  // namespace App
