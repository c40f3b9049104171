#include "rename/failtext.h"

namespace Rename {

std::string FormatFailText(std::string_view format, std::string_view oldPath,
                           std::string_view newPath) {
  (void)oldPath;
  (void)newPath;
  return std::string(format);
}

}  // namespace Rename
