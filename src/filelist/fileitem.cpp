#include "filelist/fileitem.h"

namespace FileList {

bool WillFail(TConflict conflict) {
  return conflict != TConflict::None && conflict != TConflict::Folder;
}

std::string PathIn(const std::string& dir, std::string_view name) {
  std::string path;
  path.reserve(dir.size() + 1 + name.size());
  path += dir;
  path += '/';
  path += name;
  return path;
}

}  // namespace FileList
