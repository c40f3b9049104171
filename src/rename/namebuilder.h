#pragma once

#include <cstdint>
#include <string>

namespace Rename {

// What stands between prefix and suffix. None (nothing) is what a radio group
// with no item chosen gives.
enum class TNamePart : int8_t { None = -1, Original, Number, PaddedNumber };
enum class TNameCase : int8_t { Unchanged, Upper, Lower };

// The choices of the Rename page.
struct TNameOptions {
  bool Prefix = false;                     // RadioGroup1 "Yes"
  std::string PrefixText;                  // Edit1
  TNamePart NamePart = TNamePart::Number;  // RadioGroup2
  bool Suffix = false;                     // RadioGroup3 "Yes"
  std::string SuffixText;                  // Edit3
  bool Extension = false;                  // RadioGroup4 "Yes": ExtensionText replaces the old one
  std::string ExtensionText;               // Edit4
  TNameCase NameCase = TNameCase::Unchanged;  // RadioGroup6
};

// The new name of one file from the Rename page's choices and its running
// number (1-based position in the list).
std::string SetNewName(const TNameOptions& options, const std::string& oldName, int64_t number);

}  // namespace Rename
