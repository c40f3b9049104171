#include <string>

#include <gtest/gtest.h>

#include "rename/charsub.h"

namespace {

struct TSubRow {
  const char* Case;
  std::string OldName;
  std::string Search;
  std::string Replace;
  // The expected names with the check box unchecked and checked.
  std::string Blind;
  std::string Sensitive;
};

class CharSubTable : public ::testing::TestWithParam<TSubRow> {};

TEST_P(CharSubTable, ReplacesTheFirstOccurrence) {
  const TSubRow& row = GetParam();
  Rename::TReplaceOptions options{row.Search, row.Replace, false};
  EXPECT_EQ(Rename::CharSub(options, row.OldName), row.Blind) << "case-blind";
  options.CaseSensitive = true;
  EXPECT_EQ(Rename::CharSub(options, row.OldName), row.Sensitive) << "case-sensitive";
}

const TSubRow Cases[] = {
    // Worked examples.
    {"Blank", "my photo 1.jpg", " ", "_", "my_photo 1.jpg", "my_photo 1.jpg"},
    {"Dot", "a.b.c", ".", "-", "a-b.c", "a-b.c"},
    {"CaseOfMatch", "Photo.JPG", "jpg", "png", "Photo.png", "Photo.JPG"},
    {"Delete", "IMG_0001.jpg", "IMG_", "", "0001.jpg", "0001.jpg"},
    {"EmptySearch", "holiday.jpg", "", "x", "holiday.jpg", "holiday.jpg"},
    {"NoRescan", "aaa", "aa", "b", "ba", "ba"},
    {"WholeName", "report.txt", "report.txt", "", "", ""},
    // Edge cases.
    {"EmptySearchEmptyReplace", "a.txt", "", "", "a.txt", "a.txt"},
    {"EmptyName", "", "a", "b", "", ""},
    {"LongerThanName", "ab", "abc", "x", "ab", "ab"},
    {"Absent", "holiday.jpg", "xyz", "q", "holiday.jpg", "holiday.jpg"},
    {"DotBeforeExtension", "photo.jpg", ".", "_", "photo_jpg", "photo_jpg"},
    {"OnlyFirst", "a_b_c", "_", "-", "a-b_c", "a-b_c"},
    {"ReplacementNotSearched", "ab", "a", "aa", "aab", "aab"},
    {"ReplacementAsTyped", "FILE.TXT", "file", "Doc", "Doc.TXT", "FILE.TXT"},
    {"SurroundingCaseKept", "AbCdE", "cd", "x", "AbxE", "AbCdE"},
    {"SensitiveFindsLaterExact", "Xx.x", "x", "y", "yx.x", "Xy.x"},
    {"AccentsFold", "ÄRGER.txt", "ärger", "Ärger", "Ärger.txt", "ÄRGER.txt"},
    {"CyrillicFolds", "Фото.jpg", "ФОТО", "photo", "photo.jpg", "Фото.jpg"},
    {"MultibyteSearchEndsAtBoundary", "αβγ", "β", "b", "αbγ", "αbγ"},
    {"InvalidBytesMatchExactly", "a\xE4\x62.txt", "\xE4", "ae", "aaeb.txt", "aaeb.txt"},
    {"BlankInserted", "a-b", "-", " ", "a b", "a b"}};
INSTANTIATE_TEST_SUITE_P(Cases, CharSubTable, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.Case); });

}  // namespace
