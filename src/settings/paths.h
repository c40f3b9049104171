#pragma once

#include <string>

// Where the program keeps its settings file and "Language.lng", and where it
// finds its help and shipped language files.
//
// A build folder or an unpacked copy is portable: everything lies beside the
// executable. An installed copy (its executable in <prefix>/bin/ with a folder
// <prefix>/share/morvane/) never writes into its installation: its settings
// and "Language.lng" live in $XDG_CONFIG_HOME/morvane/, its data in
// <prefix>/share/morvane/.
namespace Settings {

// The settings path for an executable path: its extension (from the last "."
// after the last separator) replaced by ".ini", or ".ini" appended.
std::string SettingsPathFor(const std::string& exePath);

// The folder of an executable path, ending with its separator.
std::string FolderOf(const std::string& exePath);

// "<prefix>/share/morvane/" for an executable in "<prefix>/bin/", otherwise
// empty. Looks at the text only.
std::string SharedDataDirFor(const std::string& exePath);

// True when the running executable is an installed copy: it lies in
// <prefix>/bin/ and <prefix>/share/morvane/ is a folder. Decided once.
bool IsInstalledCopy();

// The folder that holds the settings file and "Language.lng", with a final "/":
// $XDG_CONFIG_HOME/morvane/ for an installed copy (created when missing, the
// shipped language files linked into it), else the executable's folder.
std::string AppDataDir();

// AppDataDir() followed by the executable's file name with ".ini" for its
// extension.
std::string SettingsFilePath();

// The folder of the executable itself, with a final "/".
std::string ExecutableDir();

// The folder of help.chm and the HTML help (html/), with a final "/":
// <prefix>/share/morvane/ for an installed copy, else the executable's folder.
std::string DataDir();

// The folder of the shipped language files, with a final "/": DataDir() +
// "lang/" for an installed copy, else the executable's folder.
std::string ShippedLanguageDir();

// The choice behind AppDataDir, from given facts: configHome + "/morvane/"
// when installed, else the folder of exePath. An installed copy without a
// configuration folder gets an empty text (the working folder), never its
// installation folder. Creates nothing.
std::string AppDataDirFor(const std::string& exePath, bool installed,
                          const std::string& configHome);

// The choice behind SettingsFilePath, from the same facts as AppDataDirFor.
std::string SettingsFilePathFor(const std::string& exePath, bool installed,
                                const std::string& configHome);

// The choices behind DataDir and ShippedLanguageDir.
std::string DataDirFor(const std::string& exePath, bool installed);
std::string ShippedLanguageDirFor(const std::string& exePath, bool installed);

// Makes every shipped language file of shippedDir visible in configDir, so
// the language chooser shows them beside "Language.lng": a symbolic link for
// each "*.lng" (other than "Language.lng") whose name configDir does not hold
// yet. A file of the user's with the same name stays as it is. Returns the
// number of links made.
int LinkShippedLanguages(const std::string& shippedDir, const std::string& configDir);

}  // namespace Settings
