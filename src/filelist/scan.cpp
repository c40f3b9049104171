#include "filelist/scan.h"

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

}  // namespace

TFileItems ScanDirectory(const std::string& dirText, const std::vector<std::string>& filterEntries,
                         TOrder order, bool readAges) {
  std::vector<Platform::TDirEntry> entries;
  if (!Platform::FileSystem().ListDirectory(dirText, entries)) return {};
  return ScanEntries(std::move(entries), dirText, filterEntries, order, readAges);
}

TFileItems ScanEntries(std::vector<Platform::TDirEntry> entries, const std::string& dirText,
                       const std::vector<std::string>& filterEntries, TOrder order, bool readAges) {
  readAges = readAges || OrderUsesAges(order);
  Platform::TFileSystem& fs = Platform::FileSystem();
  TFilter filter(filterEntries);
  TFileItems items;
  items.reserve(entries.size());
  for (Platform::TDirEntry& entry : entries) {
    if (!IsListedKind(entry)) continue;
    int rows = RowsFor(filter, entry.Name);
    if (rows == 0) continue;
    TFileItem item;
    if (readAges) item.Age = fs.FileAge(PathIn(dirText, entry.Name));
    item.OldName = std::move(entry.Name);
    if (rows == 2) items.push_back(item);
    items.push_back(std::move(item));
  }
  // Rows were collected in listing order; one stable sort gives the order that
  // sorting after every added row would have given.
  SortFileItems(items, order);
  return items;
}

}  // namespace FileList
