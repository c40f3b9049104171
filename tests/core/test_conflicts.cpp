#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rename/conflicts.h"

namespace {

struct TConflictCase {
  const char* Title;
  std::string Rows;              // "old>new old>new ..."
  std::set<std::string> OnDisk;  // besides the old names
  std::vector<FileList::TConflict> Expected;
};

void PrintTo(const TConflictCase& c, std::ostream* os) { *os << c.Title; }

FileList::TFileItems MakeItems(const TConflictCase& c) {
  FileList::TFileItems items;
  std::istringstream rows(c.Rows);
  for (std::string row; rows >> row;) {
    const std::size_t arrow = row.find('>');
    items.push_back(FileList::TFileItem{row.substr(0, arrow), row.substr(arrow + 1), -1, false});
  }
  return items;
}

class ConflictTable : public testing::TestWithParam<TConflictCase> {};

TEST_P(ConflictTable, MarksTheRowsWhoseTargetIsTaken) {
  const TConflictCase& c = GetParam();
  FileList::TFileItems items = MakeItems(c);
  std::set<std::string> disk = c.OnDisk;
  for (const FileList::TFileItem& item : items) disk.insert(item.OldName);
  Rename::TDirectoryView view;
  view.Has = [&disk](const std::string& name) { return disk.count(name) > 0; };
  view.NameMax = 8;
  Rename::MarkConflicts(items, view);
  std::vector<FileList::TConflict> found;
  for (const FileList::TFileItem& item : items) found.push_back(item.Conflict);
  EXPECT_EQ(found, c.Expected) << c.Title;
}

constexpr auto None = FileList::TConflict::None;
constexpr auto Taken = FileList::TConflict::Taken;
constexpr auto Chain = FileList::TConflict::Chain;
constexpr auto Duplicate = FileList::TConflict::Duplicate;
constexpr auto Gone = FileList::TConflict::Gone;
constexpr auto Folder = FileList::TConflict::Folder;
constexpr auto NoFolder = FileList::TConflict::NoFolder;

const TConflictCase Cases[] = {
    {"free targets", "a.txt>1.txt b.txt>2.txt", {}, {None, None}},
    {"own name is no conflict", "a.txt>a.txt b.txt>b.txt", {}, {None, None}},
    {"unlisted file holds the target", "a.txt>1.txt b.txt>2.txt", {"2.txt"}, {None, Taken}},
    {"two rows, one new name: the second finds it taken",
     "a.txt>x.txt b.txt>x.txt c.txt>y.txt",
     {},
     {None, Duplicate, None}},
    {"target freed by an earlier row", "1.txt>2.txt x.txt>1.txt", {}, {None, None}},
    {"target freed only by a later row", "x.txt>1.txt 1.txt>2.txt", {}, {Chain, None}},
    {"swap: neither move finds a free name", "a>b b>a", {}, {Chain, Taken}},
    {"a failed move frees nothing", "a.txt>keep.txt c.txt>a.txt", {"keep.txt"}, {Taken, Taken}},
    {"target moved in by an earlier row and given again",
     "a>n n2>n2 b>n",
     {},
     {None, None, Duplicate}},
    {"row listed twice: the second finds no source, frees nothing",
     "a.bmp>1.bmp a.bmp>2.bmp z>a.bmp",
     {},
     {None, Gone, None}},
    {"identity row whose name another row wants", "a>a b>a", {}, {None, Taken}},
    {"chain in list order", "1>2 2>3 3>4", {}, {Chain, Chain, None}},
    {"chain in reverse order", "3>4 2>3 1>2", {}, {None, None, None}},
    {"empty, too long, into a folder",
     "a> b>123456789 c>sub/c d>sub/123456789",
     {"sub"},
     {FileList::TConflict::Empty, FileList::TConflict::TooLong, FileList::TConflict::Folder,
      FileList::TConflict::TooLong}},
    {"into a missing folder, or one an earlier row took away",
     "c>none/c d>sub/d e>sub/deep/e sub>s2 f>sub/f",
     {"sub"},
     {NoFolder, Folder, NoFolder, None, NoFolder}},
    {"into a folder an earlier row moved in", "dir>sub f>sub/f", {}, {None, Folder}},
    {"empty list", "", {}, {}},
};

INSTANTIATE_TEST_SUITE_P(Rows, ConflictTable, testing::ValuesIn(Cases));

}  // namespace
