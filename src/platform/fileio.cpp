#include "platform/filesystem.h"

namespace Platform {

bool ReadFile(const std::string&, std::string& data) {
  data.clear();
  return false;
}

int ReplaceFile(const std::string&, const std::string&) { return 0; }

bool IsWritableDirectory(const std::string&) { return false; }

bool MakeDirectories(const std::string&) { return false; }

}  // namespace Platform
