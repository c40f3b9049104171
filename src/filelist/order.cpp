#include "filelist/order.h"

#include <algorithm>
#include <cstdint>

#include "platform/casemap.h"

namespace FileList {

namespace {

// Places an age on a line where the unknown age (-1) comes first and every
// known MS-DOS date and time follows in chronological order. The date word is
// the upper half, so the packed value read without sign is chronological.
uint64_t AgeKey(int32_t age) {
  if (age == -1) return 0;
  return static_cast<uint64_t>(static_cast<uint32_t>(age)) + 1;
}

int CompareAges(int32_t a, int32_t b) {
  uint64_t x = AgeKey(a);
  uint64_t y = AgeKey(b);
  return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace

int CompareNames(std::string_view x, std::string_view y) {
  size_t common = std::min(x.size(), y.size());
  for (size_t i = 0; i < common; ++i) {
    auto a = static_cast<unsigned char>(x[i]);
    auto b = static_cast<unsigned char>(y[i]);
    if (a == b) continue;
    a = static_cast<unsigned char>(Platform::AsciiUpper(static_cast<char>(a)));
    b = static_cast<unsigned char>(Platform::AsciiUpper(static_cast<char>(b)));
    if (a != b) return static_cast<int>(a) - static_cast<int>(b);
  }
  auto diff = static_cast<int64_t>(x.size()) - static_cast<int64_t>(y.size());
  return static_cast<int>(std::clamp<int64_t>(diff, INT32_MIN, INT32_MAX));
}

int FileListCompare(const TFileItem& a, const TFileItem& b, int sortIndex) {
  switch (sortIndex) {
    case 1:
      return CompareAges(a.Age, b.Age);
    case 2:
      return -CompareNames(a.OldName, b.OldName);
    case 3:
      return -CompareAges(a.Age, b.Age);
    default:
      return CompareNames(a.OldName, b.OldName);
  }
}

bool OrderUsesAges(int sortIndex) { return sortIndex == 1 || sortIndex == 3; }

void SortFileItems(TFileItems& items, int sortIndex) {
  std::stable_sort(items.begin(), items.end(), [sortIndex](const TFileItem& a, const TFileItem& b) {
    return FileListCompare(a, b, sortIndex) < 0;
  });
}

void RemoveSelected(TFileItems& items) {
  std::erase_if(items, [](const TFileItem& item) { return item.Selected; });
}

}  // namespace FileList
