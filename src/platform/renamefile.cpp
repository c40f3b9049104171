#include "platform/filesystem.h"

#include <cerrno>

namespace Platform {

int RenameNoReplace(const std::string&, const std::string&) { return ENOSYS; }

}  // namespace Platform
