#pragma once

#include <functional>
#include <string>

// Which help file Help > Contents and F1 open.
namespace App {

// The MIME types a compiled help file goes by; a desktop application for
// either one opens help.chm.
extern const char* const ChmMimeTypes[2];

// What the choice depends on: the desktop's default application for a MIME
// type (empty when there is none), and whether a file exists.
struct THelpFacts {
  std::function<std::string(const std::string& mimeType)> DefaultApplicationFor;
  std::function<bool(const std::string& path)> Exists;
};

// The help to open from the data folder dataDir (ending in "/"): help.chm
// when the desktop has an application for it, otherwise the HTML help
// html/index.html when it exists, otherwise help.chm (the desktop then does
// what it can with it).
std::string ChooseHelpFile(const std::string& dataDir, const THelpFacts& facts);

// ChooseHelpFile for the running program: DataDir() and the real desktop.
std::string HelpFileToOpen();

}  // namespace App
