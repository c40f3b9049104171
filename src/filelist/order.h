#pragma once

#include <cstdint>
#include <string_view>

#include "filelist/fileitem.h"

namespace FileList {

// Byte-wise name comparison with ASCII lower-case letters folded to upper
// case; negative, zero or positive.
int CompareNames(std::string_view x, std::string_view y);

// The orders of the list.
// Taken and TakenDesc go by the date a photo was taken, which the list
// itself does not hold: the scan puts those rows in name order and
// OrderByTaken (facts.h) then reads the dates.
enum class TOrder : uint8_t {
  Name,
  Age,
  NameDesc,
  AgeDesc,
  Natural,
  NaturalDesc,
  Taken,
  TakenDesc
};

// True for the orders by date taken.
bool OrderUsesTaken(TOrder order);

// Natural order: runs of digits compare by their value ("img2" before
// "img10"), other bytes as CompareNames compares them (ASCII case ignored);
// equal names by CompareNames.
int CompareNatural(std::string_view x, std::string_view y);

// The row comparison of each order. In the age orders an unknown age (-1)
// comes first and known dates follow chronologically (reversed in the
// inverse order).
int FileListCompare(const TFileItem& a, const TFileItem& b, TOrder order);

// True for the orders that compare ages.
bool OrderUsesAges(TOrder order);

// Puts items in the given order, in O(n log n).
void SortFileItems(TFileItems& items, TOrder order);

// Takes every selected row out of the list; the rest keep their order.
void RemoveSelected(TFileItems& items);

}  // namespace FileList
