#pragma once

#include <string_view>

#include "filelist/fileitem.h"

namespace FileList {

// Byte-wise name comparison with ASCII lower-case letters folded to upper
// case; negative, zero or positive.
int CompareNames(std::string_view x, std::string_view y);

// The row comparison of the four orders: 0 name, 1 age, 2 name inverse,
// 3 age inverse. In the age orders an unknown age (-1) comes first and known
// dates follow chronologically (reversed in the inverse order).
int FileListCompare(const TFileItem& a, const TFileItem& b, int sortIndex);

// True for the orders that compare ages (1 and 3).
bool OrderUsesAges(int sortIndex);

// Puts items in the order of sortIndex, in O(n log n).
void SortFileItems(TFileItems& items, int sortIndex);

// Takes every selected row out of the list; the rest keep their order.
void RemoveSelected(TFileItems& items);

}  // namespace FileList
