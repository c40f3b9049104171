#pragma once

#include <cstdint>
#include <string>

namespace Rename {

// The choices of the Rename page. Indexes are those of the radio groups:
// Prefix, Suffix and Extension are on only at 0 ("Yes").
struct TNameOptions {
  int Prefix = 1;             // RadioGroup1
  std::string PrefixText;     // Edit1
  int NamePart = 1;           // RadioGroup2: 0 original name, 1 numbering, 2 clever numbering
  int Suffix = 1;             // RadioGroup3
  std::string SuffixText;     // Edit3
  int Extension = 1;          // RadioGroup4
  std::string ExtensionText;  // Edit4
  int NameCase = 0;           // RadioGroup6: 0 unchanged, 1 upper, 2 lower
};

// The new name of one file from the Rename page's choices and its running
// number (1-based position in the list).
std::string SetNewName(const TNameOptions& options, const std::string& oldName, int64_t number);

}  // namespace Rename
