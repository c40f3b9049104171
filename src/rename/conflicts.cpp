#include "rename/conflicts.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/filesystem.h"

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
// rows then reach their names' states by index, and the view is asked at most
// once per name. The table is open addressing over indexes, so that a million
// rows cost tens of bytes each rather than a node per name.
class TSimulatedDir {
 public:
  TSimulatedDir(const TDirectoryView& view, const FileList::TFileItems& rows)
      : FView(view), FItems(rows) {
    std::size_t slots = 16;
    while (slots < 4 * rows.size()) slots *= 2;
    FSlots.assign(slots, NoSlot);
    FTags.assign(slots, 0);
    FKeys.reserve(2 * rows.size());
    FStates.reserve(2 * rows.size());
    FRows.reserve(rows.size());
    TRing inserts{*this, [this](const TPending& name) { AddName(name); }};
    for (std::size_t i = 0; i < rows.size(); ++i) {
      inserts.Push(static_cast<uint32_t>(2 * i), rows[i].OldName);
      inserts.Push(static_cast<uint32_t>(2 * i + 1), rows[i].NewName);
    }
    inserts.Flush();
    if (!view.Names) return;
    TRing listed{*this, [this](const TPending& name) {
                   const uint32_t slot = FSlots[Probe(name.Name, name.Hash)];
                   if (slot != NoSlot) FStates[slot].Present = 1;
                 }};
    ForEachPacked(*view.Names, [&listed](std::string_view name) { listed.Push(0, name); });
    listed.Flush();
    for (std::size_t k = 0; k < FStates.size(); ++k)
      if (FStates[k].Present < 0 && Key(k).find('/') == std::string_view::npos)
        FStates[k].Present = 0;
  }

  TNameState& Old(std::size_t row) { return FStates[FRows[row].first]; }
  // The state of a name of the rows; nullptr for a name no row has.
  const TNameState* Find(std::string_view name) const {
    const uint32_t slot = FSlots[Probe(name)];
    return slot == NoSlot ? nullptr : &FStates[slot];
  }
  TNameState& New(std::size_t row) { return FStates[FRows[row].second]; }
  bool Present(TNameState& state, const std::string& name) const {
    if (state.Present < 0) state.Present = FView.Has(name) ? 1 : 0;
    return state.Present != 0;
  }

 private:
  static constexpr uint32_t NoSlot = UINT32_MAX;

  // The name a key stands for: key / 2 is a row, key % 2 its new name.
  std::string_view Key(std::size_t state) const {
    const uint32_t key = FKeys[state];
    const FileList::TFileItem& row = FItems[key / 2];
    return key % 2 ? row.NewName : row.OldName;
  }
  static std::size_t Hash(std::string_view name) { return std::hash<std::string_view>{}(name); }
  static uint8_t TagOf(std::size_t hash) { return static_cast<uint8_t>(1 + (hash >> 32) % 255); }
  // The slot that holds name, or the free slot where it would go. A slot's
  // tag (a byte of the name's hash, 0 when free) spares reading the row of
  // every other name met on the way.
  std::size_t Probe(std::string_view name, std::size_t hash) const {
    const std::size_t mask = FSlots.size() - 1;
    const uint8_t tag = TagOf(hash);
    std::size_t at = hash & mask;
    while (FTags[at] != 0 && (FTags[at] != tag || Key(FSlots[at]) != name)) at = (at + 1) & mask;
    return at;
  }
  std::size_t Probe(std::string_view name) const { return Probe(name, Hash(name)); }

  // A name on its way through a TRing.
  struct TPending {
    uint32_t Key = 0;
    std::string_view Name;
    std::size_t Hash = 0;
  };
  // Hands each name pushed to settle Ahead names after its slot was asked
  // for, so that the lookups of a long list wait for memory side by side
  // rather than one after another.
  template <typename TSettle>
  struct TRing {
    static constexpr std::size_t Ahead = 16;
    TRing(const TSimulatedDir& dir, TSettle settle) : Dir(dir), Settle(std::move(settle)) {}
    const TSimulatedDir& Dir;
    TSettle Settle;
    TPending Pending[Ahead] = {};
    std::size_t Count = 0;

    void Push(uint32_t key, std::string_view name) {
      TPending& next = Pending[Count++ % Ahead];
      if (Count > Ahead) Settle(next);
      next = {key, name, Hash(name)};
      const std::size_t at = next.Hash & (Dir.FSlots.size() - 1);
      __builtin_prefetch(&Dir.FTags[at]);
      __builtin_prefetch(&Dir.FSlots[at]);
    }
    void Flush() {
      for (std::size_t i = Count > Ahead ? Count - Ahead : 0; i < Count; ++i)
        Settle(Pending[i % Ahead]);
    }
  };

  // Gives the name of a row its state, made when the name is new; a row's
  // old name comes just before its new one.
  void AddName(const TPending& name) {
    const std::size_t at = Probe(name.Name, name.Hash);
    if (FSlots[at] == NoSlot) {
      FTags[at] = TagOf(name.Hash);
      FSlots[at] = static_cast<uint32_t>(FStates.size());
      FKeys.push_back(name.Key);
      FStates.emplace_back();
    }
    const uint32_t state = FSlots[at];
    const std::size_t row = name.Key / 2;
    if (name.Key % 2) {
      FRows.back().second = state;
      return;
    }
    if (FView.RowsListed) FStates[state].Present = 1;
    if (FItems[row].NewName != FItems[row].OldName)
      FStates[state].LastRow = static_cast<uint32_t>(row);
    FRows.emplace_back(state, NoSlot);
  }

  const TDirectoryView& FView;
  const FileList::TFileItems& FItems;
  std::vector<uint32_t> FSlots;                      // index into FStates, or NoSlot
  std::vector<uint8_t> FTags;                        // per slot: 0 free, else the tag
  std::vector<uint32_t> FKeys;                       // per state: the row and which of its names
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
  // A row's old name is no longer in the listing held: ask the directory.
  view.Has = [has = std::move(view.Has), &dir](const std::string& name) {
    return has(name) || dir.Has(name);
  };
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
