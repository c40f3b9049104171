#include "rename/conflicts.h"

#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/filesystem.h"

namespace Rename {

namespace {

using FileList::TConflict;
using FileList::TFileItem;

// The directory as the run changes it, over what was there at the start.
class TSimulatedDir {
 public:
  struct TEntry {
    bool Present = false;
    bool MovedIn = false;  // put there by an earlier row
  };
  TSimulatedDir(const TDirectoryView& view, std::size_t rows) : FView(view) {
    FChanged.reserve(2 * rows);
  }

  TEntry At(const std::string& name) const {
    const auto it = FChanged.find(name);
    if (it != FChanged.end()) return it->second;
    return {FView.Has(name), false};
  }
  void Move(const std::string& from, const std::string& to) {
    FChanged[from] = {false, false};
    FChanged[to] = {true, true};
  }

 private:
  const TDirectoryView& FView;
  std::unordered_map<std::string, TEntry> FChanged;
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

// The last row that moves each old name to another one.
std::unordered_map<std::string, std::size_t> LastRows(const FileList::TFileItems& rows) {
  std::unordered_map<std::string, std::size_t> last;
  last.reserve(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].NewName != rows[i].OldName) last[rows[i].OldName] = i;
  }
  return last;
}

TConflict Decide(const TFileItem& row, std::size_t index, const TSimulatedDir& dir,
                 const std::unordered_map<std::string, std::size_t>& lastRows, long nameMax) {
  if (row.NewName.empty()) return TConflict::Empty;
  if (TooLong(row.NewName, nameMax)) return TConflict::TooLong;
  if (!dir.At(row.OldName).Present) return TConflict::Gone;
  const bool folder = row.NewName.find('/') != std::string::npos;
  if (row.NewName == row.OldName) return folder ? TConflict::Folder : TConflict::None;
  const TSimulatedDir::TEntry target = dir.At(row.NewName);
  if (target.Present) {
    if (target.MovedIn) return TConflict::Duplicate;
    const auto later = lastRows.find(row.NewName);
    return later != lastRows.end() && later->second > index ? TConflict::Chain : TConflict::Taken;
  }
  return folder ? TConflict::Folder : TConflict::None;
}

}  // namespace

TDirectoryView ViewOf(const Platform::TDirectory& dir) {
  auto names = std::make_shared<std::unordered_set<std::string>>();
  std::vector<std::string> listed;
  dir.ListNames(listed);
  names->reserve(listed.size());
  for (std::string& name : listed) names->insert(std::move(name));
  TDirectoryView view;
  view.NameMax = dir.NameMax();
  view.Has = [names, &dir](const std::string& name) {
    if (name.find('/') != std::string::npos) return dir.Has(name);
    return names->count(name) > 0;
  };
  return view;
}

void MarkConflicts(FileList::TFileItems& rows, const TDirectoryView& dir) {
  const auto lastRows = LastRows(rows);
  TSimulatedDir state(dir, rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    TFileItem& row = rows[i];
    row.Conflict = Decide(row, i, state, lastRows, dir.NameMax);
    if (!WillFail(row.Conflict) && row.NewName != row.OldName) state.Move(row.OldName, row.NewName);
  }
}

bool WillFail(FileList::TConflict conflict) {
  return conflict != TConflict::None && conflict != TConflict::Folder;
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
      return "folder";
    case TConflict::None:
      break;
  }
  return nullptr;
}

}  // namespace Rename
