#pragma once

#include <string>

// Where the program keeps its settings file and "Language.lng".
namespace App {

// The settings path for an executable path: its extension (from the last "."
// after the last separator) replaced by ".ini", or ".ini" appended.
std::string SettingsPathFor(const std::string& exePath);

// The folder of an executable path, ending with its separator.
std::string FolderOf(const std::string& exePath);

// The folder that holds the settings file and "Language.lng", with a final "/":
// the executable's folder when it is writable, otherwise
// $XDG_CONFIG_HOME/morvane/ (created when missing).
std::string AppDataDir();

// AppDataDir() followed by the executable's file name with ".ini" for its
// extension.
std::string SettingsFilePath();

// The folder of the executable itself, with a final "/" (help.chm lives there).
std::string ExecutableDir();

// The choice behind AppDataDir, from given facts: the folder of exePath when
// exeDirWritable, else configHome + "/morvane/" (the executable's folder when
// configHome is empty). Creates nothing.
std::string AppDataDirFor(const std::string& exePath, bool exeDirWritable,
                          const std::string& configHome);

// The choice behind SettingsFilePath, from the same facts as AppDataDirFor.
std::string SettingsFilePathFor(const std::string& exePath, bool exeDirWritable,
                                const std::string& configHome);

}  // namespace App
