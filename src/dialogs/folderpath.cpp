#include "dialogs/folderpath.h"

namespace Dialogs {

namespace {

void AddParts(const std::string& path, std::vector<std::string>& parts) {
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
}

}  // namespace

std::vector<std::string> FolderPathParts(const std::string& path, const std::string& currentDir) {
  std::vector<std::string> parts;
  if (path.empty() || path[0] != '/') AddParts(currentDir, parts);
  AddParts(path, parts);
  return parts;
}

std::string JoinFolderPath(const std::string& parent, const std::string& name) {
  if (!parent.empty() && parent.back() == '/') return parent + name;
  return parent + "/" + name;
}

}  // namespace Dialogs
