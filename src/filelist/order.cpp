#include "filelist/order.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <thread>

#include "filelist/parallel.h"
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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Compares the digit runs that start at x[i] and y[j] by value and moves i and
// j past them.
int CompareDigitRuns(std::string_view x, std::size_t& i, std::string_view y, std::size_t& j) {
  const auto run = [](std::string_view text, std::size_t& pos) {
    while (pos < text.size() && text[pos] == '0') ++pos;  // leading zeros add nothing
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return text.substr(start, pos - start);
  };
  const std::string_view a = run(x, i);
  const std::string_view b = run(y, j);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int digits = a.compare(b);
  return (digits > 0) - (digits < 0);
}

}  // namespace

int CompareNames(std::string_view x, std::string_view y) {
  const size_t common = std::min(x.size(), y.size());
  // Names of one folder often share a long start: equal bytes are passed
  // eight at a time, and the first byte that differs is found from the
  // difference of the two words.
  for (size_t i = 0; i < common; ++i) {
    if (i + 8 <= common) {
      uint64_t a = 0, b = 0;
      std::memcpy(&a, x.data() + i, 8);
      std::memcpy(&b, y.data() + i, 8);
      if (a == b) {
        i += 7;
        continue;
      }
      if constexpr (std::endian::native == std::endian::little) i += std::countr_zero(a ^ b) / 8;
    }
    auto p = static_cast<unsigned char>(x[i]);
    auto q = static_cast<unsigned char>(y[i]);
    if (p == q) continue;
    p = static_cast<unsigned char>(Platform::AsciiUpper(static_cast<char>(p)));
    q = static_cast<unsigned char>(Platform::AsciiUpper(static_cast<char>(q)));
    if (p != q) return static_cast<int>(p) - static_cast<int>(q);
  }
  auto diff = static_cast<int64_t>(x.size()) - static_cast<int64_t>(y.size());
  return static_cast<int>(std::clamp<int64_t>(diff, INT32_MIN, INT32_MAX));
}

int CompareNatural(std::string_view x, std::string_view y) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < x.size() && j < y.size()) {
    if (IsDigit(x[i]) && IsDigit(y[j])) {
      const int byValue = CompareDigitRuns(x, i, y, j);
      if (byValue != 0) return byValue;
      continue;
    }
    const auto a = static_cast<unsigned char>(Platform::AsciiUpper(x[i++]));
    const auto b = static_cast<unsigned char>(Platform::AsciiUpper(y[j++]));
    if (a != b) return a < b ? -1 : 1;
  }
  if (i < x.size() || j < y.size()) return i < x.size() ? 1 : -1;
  return CompareNames(x, y);
}

int FileListCompare(const TFileItem& a, const TFileItem& b, TOrder order) {
  switch (order) {
    case TOrder::Natural:
      return CompareNatural(a.OldName, b.OldName);
    case TOrder::NaturalDesc:
      return -CompareNatural(a.OldName, b.OldName);
    case TOrder::Age:
      return CompareAges(a.Age, b.Age);
    case TOrder::NameDesc:
      return -CompareNames(a.OldName, b.OldName);
    case TOrder::AgeDesc:
      return -CompareAges(a.Age, b.Age);
    case TOrder::Name:
    case TOrder::Taken:
    case TOrder::TakenDesc:
      break;
  }
  return CompareNames(a.OldName, b.OldName);
}

bool OrderUsesTaken(TOrder order) { return order == TOrder::Taken || order == TOrder::TakenDesc; }

bool OrderUsesAges(TOrder order) { return order == TOrder::Age || order == TOrder::AgeDesc; }

namespace {

template <typename TLess>
void SortInPieces(TFileItems& items, TLess less) {
  // A long list is cut into one piece per core, the pieces sorted at once,
  // then merged pairwise; each step keeps equal rows in their order.
  constexpr std::size_t RowsPerPiece = 32768;
  std::size_t pieces = 1;
  const std::size_t cores = std::max(1U, std::thread::hardware_concurrency());
  while (2 * pieces <= cores && items.size() / (2 * pieces) >= RowsPerPiece) pieces *= 2;
  const auto bound = [&](std::size_t k) { return items.begin() + items.size() * k / pieces; };
  ForEachIndex(
      pieces, [&](std::size_t k) { std::stable_sort(bound(k), bound(k + 1), less); }, 0, 1);
  for (std::size_t width = 1; width < pieces; width *= 2) {
    ForEachIndex(
        pieces / (2 * width),
        [&](std::size_t k) {
          const std::size_t first = 2 * width * k;
          std::inplace_merge(bound(first), bound(first + width), bound(first + 2 * width), less);
        },
        0, 1);
  }
}

}  // namespace

void SortFileItems(TFileItems& items, TOrder order) {
  // The name orders, by far the most used, compare names directly, so the
  // comparison is compiled into the sort rather than called through the
  // choice of order at every step.
  if (order == TOrder::Name)
    return SortInPieces(items, [](const TFileItem& a, const TFileItem& b) {
      return CompareNames(a.OldName, b.OldName) < 0;
    });
  if (order == TOrder::NameDesc)
    return SortInPieces(items, [](const TFileItem& a, const TFileItem& b) {
      return CompareNames(b.OldName, a.OldName) < 0;
    });
  SortInPieces(items, [order](const TFileItem& a, const TFileItem& b) {
    return FileListCompare(a, b, order) < 0;
  });
}

void RemoveSelected(TFileItems& items) {
  std::erase_if(items, [](const TFileItem& item) { return item.Selected; });
}

}  // namespace FileList
