#include "platform/filesystem.h"

namespace Platform {

bool ListDirectory(const std::string&, std::vector<TDirEntry>& entries) {
  entries.clear();
  return false;
}

int32_t FileAge(const std::string&) { return -1; }

int32_t DosDateTime(int64_t) { return -1; }

bool IsDirectory(const std::string&) { return false; }

}  // namespace Platform
