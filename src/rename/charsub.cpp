#include "rename/charsub.h"

namespace Rename {

std::string CharSub(const TReplaceOptions& options, const std::string& oldName) {
  (void)options;
  return oldName;
}

}  // namespace Rename
