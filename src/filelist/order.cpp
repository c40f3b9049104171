#include "filelist/order.h"

namespace FileList {

int CompareNames(std::string_view, std::string_view) { return 0; }

int FileListCompare(const TFileItem&, const TFileItem&, int) { return 0; }

void SortFileItems(TFileItems&, int) {}

void RemoveSelected(TFileItems&) {}

}  // namespace FileList
