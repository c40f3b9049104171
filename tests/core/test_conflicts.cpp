#include <ostream>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rename/conflicts.h"

namespace {

struct TConflictCase {
  const char* Title;
  std::vector<std::pair<std::string, std::string>> Rows;  // old name, new name
  std::set<std::string> OnDisk;                           // besides the old names
  std::vector<bool> Expected;
};

void PrintTo(const TConflictCase& c, std::ostream* os) { *os << c.Title; }

FileList::TFileItems MakeItems(const TConflictCase& c) {
  FileList::TFileItems items;
  for (const auto& [oldName, newName] : c.Rows) {
    FileList::TFileItem item;
    item.OldName = oldName;
    item.NewName = newName;
    items.push_back(item);
  }
  return items;
}

class ConflictTable : public testing::TestWithParam<TConflictCase> {};

TEST_P(ConflictTable, MarksTheRowsWhoseTargetIsTaken) {
  const TConflictCase& c = GetParam();
  const FileList::TFileItems items = MakeItems(c);
  std::set<std::string> disk = c.OnDisk;
  for (const auto& row : c.Rows) disk.insert(row.first);
  const auto exists = [&disk](const std::string& name) { return disk.count(name) > 0; };
  EXPECT_EQ(Rename::FindConflicts(items, exists), c.Expected) << c.Title;
}

const TConflictCase Cases[] = {
    {"free targets", {{"a.txt", "1.txt"}, {"b.txt", "2.txt"}}, {}, {false, false}},
    {"own name is no conflict", {{"a.txt", "a.txt"}, {"b.txt", "b.txt"}}, {}, {false, false}},
    {"unlisted file holds the target",
     {{"a.txt", "1.txt"}, {"b.txt", "2.txt"}},
     {"2.txt"},
     {false, true}},
    {"two rows, one new name: both marked",
     {{"a.txt", "x.txt"}, {"b.txt", "x.txt"}, {"c.txt", "y.txt"}},
     {},
     {true, true, false}},
    {"target freed by an earlier row",
     {{"1.txt", "2.txt"}, {"x.txt", "1.txt"}},
     {},
     {false, false}},
    {"target freed only by a later row",
     {{"x.txt", "1.txt"}, {"1.txt", "2.txt"}},
     {},
     {true, false}},
    {"swap: neither move finds a free name", {{"a", "b"}, {"b", "a"}}, {}, {true, true}},
    {"a failed move frees nothing",
     {{"a.txt", "keep.txt"}, {"c.txt", "a.txt"}},
     {"keep.txt"},
     {true, true}},
    {"target moved in by an earlier row and given again",
     {{"a", "n"}, {"n2", "n2"}, {"b", "n"}},
     {},
     {true, false, true}},
    {"row listed twice: the second finds no source, frees nothing",
     {{"a.bmp", "1.bmp"}, {"a.bmp", "2.bmp"}, {"z", "a.bmp"}},
     {},
     {false, false, false}},
    {"identity row whose name another row wants", {{"a", "a"}, {"b", "a"}}, {}, {false, true}},
    {"chain in list order", {{"1", "2"}, {"2", "3"}, {"3", "4"}}, {}, {true, true, false}},
    {"chain in reverse order", {{"3", "4"}, {"2", "3"}, {"1", "2"}}, {}, {false, false, false}},
    {"empty list", {}, {}, {}},
};

INSTANTIATE_TEST_SUITE_P(Rows, ConflictTable, testing::ValuesIn(Cases));

}  // namespace
