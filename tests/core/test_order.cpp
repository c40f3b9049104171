#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "filelist/order.h"

namespace {

using FileList::TFileItem;
using FileList::TFileItems;
using FileList::TOrder;
using Strings = std::vector<std::string>;

constexpr TOrder AllOrders[] = {TOrder::Name, TOrder::Age, TOrder::NameDesc, TOrder::AgeDesc};

constexpr int32_t Age1990 = 0x14614000;                        // 1990-03-01 08:00:00
constexpr int32_t Age2043 = 0x7f9fbf7d;                        // 2043-12-31 23:59:58
constexpr int32_t Age2044 = static_cast<int32_t>(0x80210000);  // 2044-01-01 00:00:00
constexpr int32_t Age2050 = static_cast<int32_t>(0x8ccf645c);  // 2050-06-15 12:34:56

int Sign(int value) { return (value > 0) - (value < 0); }

TFileItems ItemsNamed(const Strings& names) {
  TFileItems items;
  for (const std::string& name : names) items.push_back({name, "", -1, false});
  return items;
}

Strings NamesOf(const TFileItems& items) {
  Strings names;
  for (const TFileItem& item : items) names.push_back(item.OldName);
  return names;
}

TEST(CompareNames, ByteWiseWithAsciiLettersFolded) {
  struct TCase {
    std::string X;
    std::string Y;
    int Sign;
  };
  const TCase cases[] = {
      {"a.txt", "B.txt", -1},
      {"B.txt", "_c.txt", -1},
      {"a.txt", "_c.txt", -1},
      {"abc", "abcd", -1},
      {"abc", "ABC", 0},
      {"file10.txt", "file2.txt", -1},
      {"Z", "[", -1},
      {"z", "[", -1},
      {"9", "A", -1},
      {"~", "\x80", -1},
      {"\x80", "\xff", -1},
      {"\xc3\xa4", "\xc3\x84", 1},
      {"", "", 0},
      {"", "a", -1},
      {"same", "same", 0},
      {"Holiday_photo_0001.jpg", "holiday_PHOTO_0002.JPG", -1},
      {"abcdefghIJKLmnop", "ABCDEFGHijklMNOP", 0},
      {"abcdefghijklmnopq", "abcdefghijklmnop", 1},
      {"abcdefgh_", "ABCDEFGHa", 1},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(Sign(FileList::CompareNames(c.X, c.Y)), c.Sign) << c.X << " / " << c.Y;
    EXPECT_EQ(Sign(FileList::CompareNames(c.Y, c.X)), -c.Sign) << c.Y << " / " << c.X;
  }
  EXPECT_EQ(FileList::CompareNames("a", "\xff"), 'A' - 0xff);
  EXPECT_EQ(FileList::CompareNames("abcde", "ab"), 3);
}

TEST(SortFileItems, NameOrders) {
  struct TCase {
    Strings Input;
    TOrder Index;
    Strings Expected;
  };
  const Strings three = {"B.txt", "a.txt", "_c.txt"};
  const TCase cases[] = {
      {three, TOrder::Name, {"a.txt", "B.txt", "_c.txt"}},
      {three, TOrder::NameDesc, {"_c.txt", "B.txt", "a.txt"}},
      {three, static_cast<TOrder>(200), {"a.txt", "B.txt", "_c.txt"}},  // unknown: by name
      {{"abcd", "abc", "file2", "file10"}, TOrder::Name, {"abc", "abcd", "file10", "file2"}},
      {{"\xe4.txt", "z.txt", "\x80.txt", "~.txt"},
       TOrder::Name,
       {"z.txt", "~.txt", "\x80.txt", "\xe4.txt"}},
  };
  for (const TCase& c : cases) {
    TFileItems items = ItemsNamed(c.Input);
    FileList::SortFileItems(items, c.Index);
    EXPECT_EQ(NamesOf(items), c.Expected) << static_cast<int>(c.Index);
  }
}

TEST(CompareNatural, DigitRunsByValue) {
  const Strings sorted = {"01",   "1",   "2",   "9",    "10", "a",        "A1",       "a2",
                          "a02b", "a2c", "a10", "a10x", "b",  "img2.jpg", "IMG10.jpg"};
  TFileItems items = ItemsNamed(Strings(sorted.rbegin(), sorted.rend()));
  FileList::SortFileItems(items, TOrder::Natural);
  EXPECT_EQ(NamesOf(items), sorted);
  FileList::SortFileItems(items, TOrder::NaturalDesc);
  EXPECT_EQ(NamesOf(items), Strings(sorted.rbegin(), sorted.rend()));
  EXPECT_LT(FileList::CompareNatural("x99999999999999999999999", "x100000000000000000000000"), 0);
}

TEST(SortFileItems, AgeOrdersAreChronologicalWithUnknownFirst) {
  const TFileItems input = {{"y2050", "", Age2050, false},
                            {"unknown", "", -1, false},
                            {"y2044", "", Age2044, false},
                            {"y1990", "", Age1990, false},
                            {"y2043", "", Age2043, false}};
  const Strings oldestFirst = {"unknown", "y1990", "y2043", "y2044", "y2050"};
  TFileItems items = input;
  FileList::SortFileItems(items, TOrder::Age);
  EXPECT_EQ(NamesOf(items), oldestFirst);
  items = input;
  FileList::SortFileItems(items, TOrder::AgeDesc);
  EXPECT_EQ(NamesOf(items), Strings(oldestFirst.rbegin(), oldestFirst.rend()));
}

TEST(FileListCompare, EqualRowsCompareEqualInEveryOrder) {
  const TFileItem a = {"same.bmp", "x", Age1990, true};
  const TFileItem b = {"SAME.BMP", "", Age1990 + 0, false};
  for (TOrder order : AllOrders) EXPECT_EQ(FileList::FileListCompare(a, b, order), 0);
  const TFileItem later = {"same.bmp", "", Age1990 + 1, false};
  EXPECT_LT(FileList::FileListCompare(a, later, TOrder::Age), 0);
  EXPECT_GT(FileList::FileListCompare(a, later, TOrder::AgeDesc), 0);
  EXPECT_EQ(FileList::FileListCompare(a, later, TOrder::Name), 0);
}

TEST(SortFileItems, KeepsListingOrderOfEqualRows) {
  TFileItems items = {
      {"b", "", 5, false}, {"a", "", 9, false}, {"c", "", 5, false}, {"d", "", 9, false}};
  FileList::SortFileItems(items, TOrder::Age);
  EXPECT_EQ(NamesOf(items), Strings({"b", "c", "a", "d"}));
  FileList::SortFileItems(items, TOrder::AgeDesc);
  EXPECT_EQ(NamesOf(items), Strings({"a", "d", "b", "c"}));
}

// A long list is sorted in pieces on several threads and merged: the result
// is the single stable sort's, equal rows in listing order, in every order.
TEST(SortFileItems, LongListsSortAsOneStableSort) {
  std::mt19937 random(7);
  TFileItems items;
  for (int i = 0; i < 70000; ++i) {
    std::string name = "f" + std::to_string(random() % 5000);
    if (random() % 2) name[0] = 'F';  // equal without case
    items.push_back({name, std::to_string(i), static_cast<int32_t>(i % 100), false});
  }
  for (const TOrder order : {TOrder::Name, TOrder::AgeDesc}) {
    TFileItems expected = items;
    std::stable_sort(expected.begin(), expected.end(), [order](const auto& a, const auto& b) {
      return FileList::FileListCompare(a, b, order) < 0;
    });
    TFileItems sorted = items;
    FileList::SortFileItems(sorted, order);
    ASSERT_TRUE(
        std::equal(sorted.begin(), sorted.end(), expected.begin(),
                   [](const TFileItem& a, const TFileItem& b) { return a.NewName == b.NewName; }));
  }
}

TEST(RemoveSelected, TakesOutSelectedRowsOnly) {
  struct TCase {
    std::vector<bool> Selected;
    Strings Expected;
  };
  const TCase cases[] = {
      {{false, false, false, false}, {"a", "b", "c", "d"}},
      {{true, true, true, true}, {}},
      {{false, true, true, false}, {"a", "d"}},
      {{true, false, false, true}, {"b", "c"}},
      {{true, true, false, false}, {"c", "d"}},
  };
  for (const TCase& c : cases) {
    TFileItems items = ItemsNamed({"a", "b", "c", "d"});
    for (size_t i = 0; i < items.size(); ++i) items[i].Selected = c.Selected[i];
    FileList::RemoveSelected(items);
    EXPECT_EQ(NamesOf(items), c.Expected);
  }
  TFileItems empty;
  FileList::RemoveSelected(empty);
  EXPECT_TRUE(empty.empty());
}

}  // namespace
