#include "filelist/scan.h"

#include <string_view>
#include <unordered_set>
#include <utility>

#include "filelist/filter.h"
#include "filelist/order.h"
#include "platform/filesystem.h"
#include "platform/pathname.h"

namespace FileList {

namespace {

bool IsListedKind(const Platform::TDirEntry& entry) {
  if (entry.Name == "." || entry.Name == "..") return false;
  return (entry.Attributes & (Platform::faDirectory | Platform::faSystem)) == 0;
}

// How many rows a file gets: one when every file is listed, and one more when
// its extension is a filter entry.
int RowsFor(const TFilter& filter, const std::string& name) {
  return (filter.AllFiles() ? 1 : 0) + (filter.HasExtension(Platform::ExtractExt(name)) ? 1 : 0);
}

// Whether the options keep a file: a selection keeps exactly its names,
// hidden or not; without one, hidden files only when they are asked for.
class TKeep {
 public:
  explicit TKeep(const TScanOptions& options)
      : FShowHidden(options.ShowHidden), FSelection(options.Selection.has_value()) {
    if (FSelection) FSelected.insert(options.Selection->begin(), options.Selection->end());
  }
  bool operator()(const Platform::TDirEntry& entry) const {
    if (FSelection) return FSelected.count(entry.Name) != 0;
    return FShowHidden || (entry.Attributes & Platform::faHidden) == 0;
  }

 private:
  bool FShowHidden;
  bool FSelection;
  std::unordered_set<std::string_view> FSelected;
};

}  // namespace

TFileItems ScanDirectory(const std::string& dirText, const std::vector<std::string>& filterEntries,
                         TOrder order, bool readAges, const TScanOptions& options) {
  std::vector<Platform::TDirEntry> entries;
  if (!Platform::FileSystem().ListDirectory(dirText, entries)) return {};
  return ScanEntries(std::move(entries), dirText, filterEntries, order, readAges, options);
}

TFileItems ScanEntries(std::vector<Platform::TDirEntry> entries, const std::string& dirText,
                       const std::vector<std::string>& filterEntries, TOrder order, bool readAges,
                       const TScanOptions& options) {
  readAges = readAges || OrderUsesAges(order);
  Platform::TFileSystem& fs = Platform::FileSystem();
  TFilter filter(filterEntries);
  const TKeep keep(options);
  TFileItems items;
  items.reserve(entries.size());
  for (Platform::TDirEntry& entry : entries) {
    const int rows = IsListedKind(entry) && keep(entry) ? RowsFor(filter, entry.Name) : 0;
    if (rows == 0) {
      if (options.Others) options.Others->append(entry.Name).push_back('\0');
      continue;
    }
    TFileItem item;
    if (readAges) item.Age = fs.FileAge(PathIn(dirText, entry.Name));
    item.OldName = std::move(entry.Name);
    if (rows == 2) items.push_back(item);
    items.push_back(std::move(item));
  }
  // The listing is spent: let it go before the sort takes its own buffer.
  std::vector<Platform::TDirEntry>().swap(entries);
  // Rows were collected in listing order; one stable sort gives the order that
  // sorting after every added row would have given.
  SortFileItems(items, order);
  return items;
}

void FollowRenames(std::vector<std::string>& names, const TFileItems& rows) {
  std::unordered_set<std::string> held(names.begin(), names.end());
  for (const TFileItem& row : rows) {
    if (row.Status != TMoveStatus::Renamed || held.erase(row.OldName) == 0) continue;
    if (row.NewName.find('/') == std::string::npos) held.insert(row.NewName);
  }
  std::vector<std::string> followed;
  for (std::string& name : names) {
    if (held.erase(name) != 0) followed.push_back(std::move(name));
  }
  for (const TFileItem& row : rows) {
    if (held.erase(row.NewName) != 0) followed.push_back(row.NewName);
  }
  names = std::move(followed);
}

}  // namespace FileList
