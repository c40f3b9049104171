#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "filelist/fileitem.h"

namespace Platform {
class TDirectory;
}

namespace Rename {

// The directory as it is before the run.
struct TDirectoryView {
  // Whether an entry of that name (which may hold "/") exists.
  std::function<bool(const std::string& name)> Has;
  // When set: every entry's name, each ended by a NUL (which no name holds),
  // so that a name without "/" that is not among them is known to be absent
  // without asking Has.
  std::shared_ptr<const std::string> Names;
  // Names holds only the entries that are no row's old name: every old name
  // is an entry (the rows were made from this very listing).
  bool RowsListed = false;
  // When set: whether that path leads to a folder (else Has tells).
  std::function<bool(const std::string& path)> IsFolder;
  long NameMax = 255;  // the longest name the file system allows, in bytes
};

// A view of a directory on disk: its names read once (Names; Has builds a set
// of them the first time it is asked of a name without "/"), paths below it
// looked up.
TDirectoryView ViewOf(const Platform::TDirectory& dir);
// The same over names already listed (every entry of dir, as ListNames gives
// them, each ended by a NUL), for a caller that has just read the listing.
TDirectoryView ViewOf(const Platform::TDirectory& dir, std::string names);
// The same over the entries of a listing that gave no row (TScanOptions::
// Others), for rows made from that listing just now.
TDirectoryView ViewOfOthers(const Platform::TDirectory& dir, std::string others);

// Calls visit with each name of names packed as TDirectoryView::Names holds them.
template <typename TVisit>
void ForEachPacked(std::string_view names, TVisit visit) {
  for (std::size_t at = 0; at < names.size();) {
    std::size_t end = names.find('\0', at);
    if (end == std::string_view::npos) end = names.size();
    visit(names.substr(at, end - at));
    at = end + 1;
  }
}

// Sets each row's Conflict: whether its move will fail and why, going in list
// order over the directory as it is and the moves of the rows before it, by
// the very rule the run obeys (one no-replace move at a time; a failed move
// frees nothing). Runs in O(n). A row the preview marked Missing keeps that
// mark and stays where it is.
void MarkConflicts(FileList::TFileItems& rows, const TDirectoryView& dir);

using FileList::WillFail;

// The fixed word of a conflict ("taken", "chain", ...); nullptr for None.
const char* ConflictWord(FileList::TConflict conflict);

}  // namespace Rename
