#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace FileList {

// One row of the file list: it flows from the scan through the preview to the
// rename run.
struct TFileItem {
  std::string OldName;   // exact bytes of the directory entry, no path
  std::string NewName;   // written by the preview
  int32_t Age = -1;      // MS-DOS date and time of the last write; -1 unknown
  bool Selected = false;
};

using TFileItems = std::vector<TFileItem>;

}  // namespace FileList
