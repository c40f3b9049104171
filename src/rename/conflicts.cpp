#include "rename/conflicts.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/filesystem.h"
#include "rename/nametable.h"

namespace Rename {

namespace {

using FileList::TConflict;
using FileList::TFileItem;

constexpr uint32_t NoRow = UINT32_MAX;

// What the simulation knows of one name of the list (an old or a new name).
struct TNameState {
  int8_t Present = -1;       // 1 or 0 once looked up or changed; -1 not yet known
  bool MovedIn = false;      // put there by an earlier row
  uint32_t LastRow = NoRow;  // the last row that moves a file away from it
  uint32_t Origin = NoRow;   // once moved in: the row whose old name held the entry
};

// The directory as the run changes it, over what was there at the start. Each
// distinct name of the rows gets a state once, when the table is built; the
// rows then reach their names' states by number, and the view is asked at
// most once per name.
class TSimulatedDir {
 public:
  TSimulatedDir(const TDirectoryView& view, const FileList::TFileItems& rows)
      : FView(view), FNames(rows.size(), {&rows}) {
    FStates.reserve(2 * rows.size());
    FRows.reserve(rows.size());
    FNames.AddKeys(2 * rows.size(), [&](uint32_t key, uint32_t state) {
      FStates.resize(FNames.Size());
      if (key % 2) {
        FRows.back().second = state;
        return;
      }
      const TFileItem& row = rows[key / 2];
      if (row.NewName != row.OldName) FStates[state].LastRow = key / 2;
      if (view.RowsListed) FStates[state].Present = 1;
      FRows.emplace_back(state, NoName);
    });
    if (!view.Names) return;
    FNames.FindPacked(*view.Names, [this](uint32_t state) { FStates[state].Present = 1; });
    for (std::size_t k = 0; k < FStates.size(); ++k)
      if (FStates[k].Present < 0 && FNames.Name(k).find('/') == std::string_view::npos)
        FStates[k].Present = 0;
  }

  TNameState& Old(std::size_t row) { return FStates[FRows[row].first]; }
  // The state of a name of the rows; nullptr for a name no row has.
  const TNameState* Find(std::string_view name) const {
    const uint32_t state = FNames.Find(name);
    return state == NoName ? nullptr : &FStates[state];
  }
  TNameState& New(std::size_t row) { return FStates[FRows[row].second]; }
  bool Present(TNameState& state, const std::string& name) const {
    if (state.Present < 0) state.Present = FView.Has(name) ? 1 : 0;
    return state.Present != 0;
  }

 private:
  using TRowTable = TNameTable<TRowNames<FileList::TFileItems>>;
  static constexpr uint32_t NoName = TRowTable::None;

  const TDirectoryView& FView;
  TRowTable FNames;
  std::vector<TNameState> FStates;                   // per distinct name
  std::vector<std::pair<uint32_t, uint32_t>> FRows;  // per row: old and new name's state
};

bool TooLong(const std::string& name, long nameMax) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = name.find('/', start);
    const std::size_t end = slash == std::string::npos ? name.size() : slash;
    if (static_cast<long>(end - start) > nameMax) return true;
    if (slash == std::string::npos) return false;
    start = slash + 1;
  }
}

bool LeadsToFolder(const TDirectoryView& view, const std::string& path) {
  return view.IsFolder ? view.IsFolder(path) : view.Has(path);
}

// Whether the folder a new name moves into is missing, as far as the rows
// before know: a name known to be free (or freed by an earlier row) holds
// none, one an earlier row moved an entry to holds a folder when that entry
// was one at the start; otherwise the directory is asked.
bool FolderMissing(const FileList::TFileItems& rows, const std::string& newName,
                   const TSimulatedDir& dir, const TDirectoryView& view) {
  const std::string folder = newName.substr(0, newName.rfind('/'));
  if (folder.empty()) return false;  // the root folder
  const std::string first = folder.substr(0, folder.find('/'));
  if (const TNameState* state = dir.Find(first)) {
    if (state->Present == 0) return true;
    if (state->MovedIn)
      return !LeadsToFolder(view, rows[state->Origin].OldName + folder.substr(first.size()));
  }
  return !LeadsToFolder(view, folder);
}

TConflict Decide(const FileList::TFileItems& rows, std::size_t index, TSimulatedDir& dir,
                 const TDirectoryView& view) {
  const TFileItem& row = rows[index];
  if (row.NewName.empty()) return TConflict::Empty;
  if (TooLong(row.NewName, view.NameMax)) return TConflict::TooLong;
  if (!dir.Present(dir.Old(index), row.OldName)) return TConflict::Gone;
  const bool folder = row.NewName.find('/') != std::string::npos;
  if (row.NewName == row.OldName) return folder ? TConflict::Folder : TConflict::None;
  if (folder && FolderMissing(rows, row.NewName, dir, view)) return TConflict::NoFolder;
  TNameState& target = dir.New(index);
  if (dir.Present(target, row.NewName)) {
    if (target.MovedIn) return TConflict::Duplicate;
    return target.LastRow != NoRow && target.LastRow > index ? TConflict::Chain : TConflict::Taken;
  }
  return folder ? TConflict::Folder : TConflict::None;
}

}  // namespace

TDirectoryView ViewOf(const Platform::TDirectory& dir) {
  std::string names;
  dir.ListNames(names);
  return ViewOf(dir, std::move(names));
}

TDirectoryView ViewOf(const Platform::TDirectory& dir, std::string names) {
  auto listed = std::make_shared<const std::string>(std::move(names));
  auto set = std::make_shared<std::unordered_set<std::string_view>>();
  TDirectoryView view;
  view.Names = listed;
  view.NameMax = dir.NameMax();
  // "folder/." is found only when folder leads to a folder (links followed),
  // as a move into it needs.
  view.IsFolder = [&dir](const std::string& path) { return dir.Has(path + "/."); };
  view.Has = [listed, set, &dir](const std::string& name) {
    if (name.find('/') != std::string::npos) return dir.Has(name);
    if (set->empty() && !listed->empty())
      ForEachPacked(*listed, [&set](std::string_view entry) { set->insert(entry); });
    return set->count(name) > 0;
  };
  return view;
}

TDirectoryView ViewOfOthers(const Platform::TDirectory& dir, std::string others) {
  TDirectoryView view = ViewOf(dir, std::move(others));
  view.RowsListed = true;
  // Every name without "/" is settled from the rows and the others; what is
  // left to ask is a path below the folder.
  view.Has = [&dir](const std::string& name) { return dir.Has(name); };
  return view;
}

void MarkConflicts(FileList::TFileItems& rows, const TDirectoryView& dir) {
  // Rows are counted in 32 bits, names (two per row) too.
  if (rows.size() >= UINT32_MAX / 2) throw std::length_error("too many files to check");
  TSimulatedDir state(dir, rows);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    TFileItem& row = rows[i];
    // The preview's own finding stands: the file stays where it is.
    if (row.Conflict != TConflict::Missing) row.Conflict = Decide(rows, i, state, dir);
    if (WillFail(row.Conflict) || row.NewName == row.OldName) continue;
    state.New(i).Origin = state.Old(i).MovedIn ? state.Old(i).Origin : static_cast<uint32_t>(i);
    state.Old(i).Present = 0;  // the file has left its old name
    state.Old(i).MovedIn = false;
    state.New(i).Present = 1;
    state.New(i).MovedIn = true;
  }
}

const char* ConflictWord(FileList::TConflict conflict) {
  switch (conflict) {
    case TConflict::Taken:
      return "taken";
    case TConflict::Chain:
      return "chain";
    case TConflict::Duplicate:
      return "duplicate";
    case TConflict::Gone:
      return "gone";
    case TConflict::Empty:
      return "empty";
    case TConflict::TooLong:
      return "too-long";
    case TConflict::Folder:
    case TConflict::NoFolder:
      return "folder";
    case TConflict::Missing:
      return "missing";
    case TConflict::None:
      break;
  }
  return nullptr;
}

}  // namespace Rename
