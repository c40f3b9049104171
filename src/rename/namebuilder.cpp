#include "rename/namebuilder.h"

namespace Rename {

std::string SetNewName(const TNameOptions& options, const std::string& oldName, int64_t number) {
  (void)options;
  (void)number;
  return oldName;
}

}  // namespace Rename
