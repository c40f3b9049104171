#pragma once

#include <string>

namespace Rename {

// The choices of the Replace page.
struct TReplaceOptions {
  std::string Search;   // Edit5
  std::string Replace;  // Edit6
  bool CaseSensitive = false;
};

// The old name with the first occurrence of Search replaced by Replace.
std::string CharSub(const TReplaceOptions& options, const std::string& oldName);

}  // namespace Rename
