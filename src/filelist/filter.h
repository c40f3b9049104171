#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace FileList {

// The filter entries of a filter text: "." and each part between ";", in
// order, nothing trimmed ("bmp;jpg" gives ".bmp", ".jpg"; "" gives ".").
std::vector<std::string> ParseFilter(const std::string& filterText);

// Compiled filter entries: answers "is this extension listed" (letters
// compared without case, as Platform::FoldCase folds them) in logarithmic
// time, and whether the first entry is ".*".
class TFilter {
 public:
  explicit TFilter(const std::vector<std::string>& entries);
  bool AllFiles() const;
  bool HasExtension(std::string_view ext) const;

 private:
  bool FAllFiles = false;
  std::vector<std::string> FFolded;  // sorted, case-folded entries
};

}  // namespace FileList
