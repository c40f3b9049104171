#pragma once

#include <string>
#include <vector>

namespace Dialogs {

// The folder names from the top of the file system down to path, as exact
// bytes: a relative path counts from currentDir, empty and "." parts drop out
// and ".." takes back the name before it. "/" gives no names.
std::vector<std::string> FolderPathParts(const std::string& path, const std::string& currentDir);

// The path of name inside the folder parent ("/" joined without a doubled
// separator).
std::string JoinFolderPath(const std::string& parent, const std::string& name);

}  // namespace Dialogs
