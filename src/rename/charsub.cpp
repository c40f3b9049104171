#include "rename/charsub.h"

#include <optional>

#include "platform/casemap.h"
#include "platform/regex.h"

namespace Rename {

namespace {

std::string PlainSub(const TReplaceOptions& options, const std::string& oldName) {
  const std::string& search = options.Search;
  if (search.empty() || oldName.empty() || search.size() > oldName.size()) return oldName;
  // Case mapping keeps every length, so a position in the lower-case name is
  // also a position in the name as it stands.
  const std::string lowered = options.CaseSensitive ? std::string() : Platform::LowerCase(oldName);
  const std::string& haystack = options.CaseSensitive ? oldName : lowered;
  const std::string needle = options.CaseSensitive ? search : Platform::LowerCase(search);
  std::string result;
  std::size_t from = 0;
  for (std::size_t pos = haystack.find(needle); pos != std::string::npos;
       pos = haystack.find(needle, from)) {
    result.append(oldName, from, pos - from);
    result += options.Replace;
    from = pos + needle.size();
    if (!options.All) break;
  }
  if (from == 0) return oldName;
  result.append(oldName, from);
  return result;
}

}  // namespace

struct TCharSub::TState {
  std::optional<Platform::TRegex> Regex;
};

TCharSub::TCharSub(const TReplaceOptions& options)
    : FOptions(options), FState(std::make_unique<TState>()) {
  if (options.Regex && !options.Search.empty())
    FState->Regex.emplace(options.Search, options.CaseSensitive);
}

TCharSub::~TCharSub() = default;

const std::string& TCharSub::Error() const {
  static const std::string none;
  return FState->Regex ? FState->Regex->Error() : none;
}

// A name the expression cannot be applied to (a limit reached, a bad group
// in the replacement) stays as it is.
std::string TCharSub::Apply(const std::string& oldName) const {
  if (!FState->Regex) return FOptions.Regex ? oldName : PlainSub(FOptions, oldName);
  std::string result;
  std::string error;
  FState->Regex->Replace(oldName, FOptions.Replace, FOptions.All, result, error);
  return result;
}

std::string CharSub(const TReplaceOptions& options, const std::string& oldName) {
  return TCharSub(options).Apply(oldName);
}

}  // namespace Rename
