#include "filelist/fileitem.h"

namespace FileList {

std::string PathIn(const std::string& dir, std::string_view name) {
  std::string path;
  path.reserve(dir.size() + 1 + name.size());
  path += dir;
  path += '/';
  path += name;
  return path;
}

}  // namespace FileList
