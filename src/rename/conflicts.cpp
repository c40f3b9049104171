#include "rename/conflicts.h"

#include <unordered_map>

namespace Rename {

namespace {

// The directory as the run changes it: names moved away or moved in so far,
// over what was there at the start.
class TSimulatedDir {
 public:
  explicit TSimulatedDir(const TExistsFn& exists) : FExists(exists) {}

  bool Has(const std::string& name) const {
    const auto it = FChanged.find(name);
    return it != FChanged.end() ? it->second : FExists(name);
  }

  void Move(const std::string& from, const std::string& to) {
    FChanged[from] = false;
    FChanged[to] = true;
  }

 private:
  const TExistsFn& FExists;
  std::unordered_map<std::string, bool> FChanged;
};

// How many rows that really move take each new name.
std::unordered_map<std::string, int> CountTargets(const FileList::TFileItems& items) {
  std::unordered_map<std::string, int> counts;
  counts.reserve(items.size());
  for (const FileList::TFileItem& item : items) {
    if (item.NewName != item.OldName) ++counts[item.NewName];
  }
  return counts;
}

}  // namespace

std::vector<bool> FindConflicts(const FileList::TFileItems& items, const TExistsFn& exists) {
  std::vector<bool> marks(items.size(), false);
  const std::unordered_map<std::string, int> targets = CountTargets(items);
  TSimulatedDir dir(exists);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const FileList::TFileItem& item = items[i];
    if (item.NewName == item.OldName) continue;
    const bool taken = dir.Has(item.NewName);
    marks[i] = taken || targets.at(item.NewName) > 1;
    // A move succeeds only when the source is still there and the target free.
    if (!taken && dir.Has(item.OldName)) dir.Move(item.OldName, item.NewName);
  }
  return marks;
}

}  // namespace Rename
