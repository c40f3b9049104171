#include "rename/charsub.h"

#include "platform/casemap.h"

namespace Rename {

std::string CharSub(const TReplaceOptions& options, const std::string& oldName) {
  const std::string& search = options.Search;
  if (search.empty() || oldName.empty() || search.size() > oldName.size()) return oldName;
  // Case mapping keeps every length, so a position in the lower-case name is
  // also a position in the name as it stands.
  const std::size_t pos = options.CaseSensitive
                              ? oldName.find(search)
                              : Platform::LowerCase(oldName).find(Platform::LowerCase(search));
  if (pos == std::string::npos) return oldName;
  std::string result;
  result.reserve(oldName.size() - search.size() + options.Replace.size());
  result.append(oldName, 0, pos);
  result += options.Replace;
  result.append(oldName, pos + search.size());
  return result;
}

}  // namespace Rename
