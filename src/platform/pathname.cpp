#include "platform/pathname.h"

namespace Platform {

namespace {

// Where the name part of path starts: just after its last "/".
std::size_t NameStart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? 0 : slash + 1;
}

}  // namespace

std::string_view PathFolder(std::string_view path) { return path.substr(0, NameStart(path)); }

std::string_view PathName(std::string_view path) { return path.substr(NameStart(path)); }

std::string_view ExtractExt(std::string_view name) {
  const std::size_t last = name.find_last_of("./");
  if (last == std::string_view::npos || name[last] != '.') return {};
  return name.substr(last);
}

std::string_view ExtractNameWithoutExt(std::string_view name) {
  return name.substr(0, name.size() - ExtractExt(name).size());
}

}  // namespace Platform
