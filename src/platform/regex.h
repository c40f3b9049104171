#pragma once

#include <memory>
#include <string>

namespace Platform {

// A Perl-compatible regular expression (PCRE2) in UTF-8 mode that also
// matches names which are not valid UTF-8. Matching is bounded (match, depth
// and heap limits), so that a hostile expression cannot hang the program.
class TRegex {
 public:
  TRegex(const std::string& expression, bool caseSensitive);
  ~TRegex();
  TRegex(const TRegex&) = delete;
  TRegex& operator=(const TRegex&) = delete;

  // False when the expression does not compile; Error() then gives the
  // library's message and the offset of the fault.
  bool Valid() const;
  const std::string& Error() const;

  // subject with the first match (every match with all) replaced by
  // replacement, in which $0 to $9, ${1} and ${name} name groups ($$ is "$"),
  // a group that did not take part giving nothing. False when no match (out
  // is then subject), or when the replacement is bad or a limit was reached
  // (error says which).
  bool Replace(const std::string& subject, const std::string& replacement, bool all,
               std::string& out, std::string& error) const;

 private:
  struct TCompiled;
  std::unique_ptr<TCompiled> FCompiled;
  std::string FError;
};

}  // namespace Platform
