#pragma once

#include <bitset>
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
  // Which lengths the entries have (folding keeps a text's length): most
  // extensions are told apart without folding them.
  std::bitset<256> FLengths;
  bool FLongEntry = false;  // an entry of 256 bytes or more
};

}  // namespace FileList
