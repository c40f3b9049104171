#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace FileList {

// Why a row's move will fail, found before the run from the directory as it is
// and the moves before it (Folder is only a warning).
// Folder: the new name moves the file into a folder that exists (a warning);
// NoFolder: into one that does not, so the move fails.
enum class TConflict : uint8_t {
  None,
  Taken,
  Chain,
  Duplicate,
  Gone,
  Empty,
  TooLong,
  Folder,
  NoFolder
};

// What the run did with a row.
enum class TMoveStatus : uint8_t { Pending, Renamed, Failed };

// One file from the scan to the disk: its names, its age and selection in the
// list, what the preview foresees for its move and what the run made of it.
struct TFileItem {
  std::string OldName;  // exact bytes of the directory entry, no path
  std::string NewName;  // written by the preview
  int32_t Age = -1;     // MS-DOS date and time of the last write; -1 unknown
  bool Selected = false;
  TConflict Conflict = TConflict::None;
  TMoveStatus Status = TMoveStatus::Pending;
  // errno of the failed move; 0 once it has succeeded, or for a move that
  // failed untried (an undo whose old name is taken: Conflict says why)
  int Error = 0;
};

using TFileItems = std::vector<TFileItem>;

// True for the conflicts that make a move fail (all but None and Folder).
bool WillFail(TConflict conflict);

// The path of a name in the directory as the user wrote it: dir, "/", name
// (the separator always added, so "/" gives "//name").
std::string PathIn(const std::string& dir, std::string_view name);

}  // namespace FileList
