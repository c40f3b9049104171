#pragma once

#include <memory>
#include <string>

namespace Rename {

// The choices of the Replace page.
struct TReplaceOptions {
  std::string Search;   // Edit5
  std::string Replace;  // Edit6
  bool CaseSensitive = false;
  bool Regex = false;  // Search is a regular expression, Replace may name its groups
  bool All = false;    // every occurrence, not only the first
};

// The old name with the first occurrence (every one with All) of Search
// replaced by Replace; a regular expression is compiled for each call.
std::string CharSub(const TReplaceOptions& options, const std::string& oldName);

// The same for many names: a regular expression is compiled once.
class TCharSub {
 public:
  explicit TCharSub(const TReplaceOptions& options);
  ~TCharSub();
  TCharSub(const TCharSub&) = delete;
  TCharSub& operator=(const TCharSub&) = delete;
  // Empty, or the library's message for an expression that does not compile.
  const std::string& Error() const;
  std::string Apply(const std::string& oldName) const;

 private:
  struct TState;
  TReplaceOptions FOptions;
  std::unique_ptr<TState> FState;
};

}  // namespace Rename
