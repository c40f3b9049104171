#pragma once

#include <optional>
#include <string>
#include <vector>

#include "filelist/fileitem.h"
#include "filelist/order.h"
#include "platform/filesystem.h"

namespace FileList {

// What the scan keeps beyond the filter: hidden files (names starting with
// "."), and a selection of names within the folder.
struct TScanOptions {
  bool ShowHidden = false;  // list hidden files too
  // When set, only these names are listed (hidden ones included); the filter
  // still applies to them. A name the folder lacks gives no row.
  std::optional<std::vector<std::string>> Selection;
  // When set, receives the name of every entry that gave no row, each ended
  // by a NUL: with the rows' old names, the whole listing.
  std::string* Others = nullptr;
};

// Reads the directory named by dirText (used unchanged; empty means "/") into
// rows: every file (not ".", "..", directories or system entries) once when
// the first filter entry is ".*", and once more when its extension is a filter
// entry; options leave out hidden files or names outside a selection. Ages
// are looked up by PathIn(dirText, name). The result is in the order
// order chooses (see order.h). Failures give an empty list. With
// readAges false, ages are looked up only when the order compares them (the
// others stay -1), which saves one lstat per file.
TFileItems ScanDirectory(const std::string& dirText, const std::vector<std::string>& filterEntries,
                         TOrder order, bool readAges = true, const TScanOptions& options = {});

// The same rows from a listing already read (entries as ListDirectory gives
// them for dirText), for a caller that also needs the listing itself.
TFileItems ScanEntries(std::vector<Platform::TDirEntry> entries, const std::string& dirText,
                       const std::vector<std::string>& filterEntries, TOrder order, bool readAges,
                       const TScanOptions& options = {});

// A selection after a run or an undo: each row moved (Status Renamed), in the
// order the moves were made, takes its old name out and puts its new name in,
// unless the new name holds "/" and the file has left the folder. Names kept
// stay in their order; new names follow in row order.
void FollowRenames(std::vector<std::string>& names, const TFileItems& rows);

}  // namespace FileList
