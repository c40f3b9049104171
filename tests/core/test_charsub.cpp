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

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, CharSubTable,
    ::testing::Values(TSubRow{"Blank", "my photo 1.jpg", " ", "_", "my_photo 1.jpg",
                              "my_photo 1.jpg"},
                      TSubRow{"Dot", "a.b.c", ".", "-", "a-b.c", "a-b.c"},
                      TSubRow{"CaseOfMatch", "Photo.JPG", "jpg", "png", "Photo.png", "Photo.JPG"},
                      TSubRow{"Delete", "IMG_0001.jpg", "IMG_", "", "0001.jpg", "0001.jpg"},
                      TSubRow{"EmptySearch", "holiday.jpg", "", "x", "holiday.jpg", "holiday.jpg"},
                      TSubRow{"NoRescan", "aaa", "aa", "b", "ba", "ba"},
                      TSubRow{"WholeName", "report.txt", "report.txt", "", "", ""}),
    [](const auto& info) { return std::string(info.param.Case); });

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, CharSubTable,
    ::testing::Values(
        TSubRow{"EmptySearchEmptyReplace", "a.txt", "", "", "a.txt", "a.txt"},
        TSubRow{"EmptyName", "", "a", "b", "", ""},
        TSubRow{"LongerThanName", "ab", "abc", "x", "ab", "ab"},
        TSubRow{"Absent", "holiday.jpg", "xyz", "q", "holiday.jpg", "holiday.jpg"},
        TSubRow{"DotBeforeExtension", "photo.jpg", ".", "_", "photo_jpg", "photo_jpg"},
        TSubRow{"OnlyFirst", "a_b_c", "_", "-", "a-b_c", "a-b_c"},
        TSubRow{"ReplacementNotSearched", "ab", "a", "aa", "aab", "aab"},
        TSubRow{"ReplacementAsTyped", "FILE.TXT", "file", "Doc", "Doc.TXT", "FILE.TXT"},
        TSubRow{"SurroundingCaseKept", "AbCdE", "cd", "x", "AbxE", "AbCdE"},
        TSubRow{"SensitiveFindsLaterExact", "Xx.x", "x", "y", "yx.x", "Xy.x"},
        TSubRow{"AccentsFold", "ÄRGER.txt", "ärger", "Ärger", "Ärger.txt", "ÄRGER.txt"},
        TSubRow{"CyrillicFolds", "Фото.jpg", "ФОТО", "photo", "photo.jpg", "Фото.jpg"},
        TSubRow{"MultibyteSearchEndsAtBoundary", "αβγ", "β", "b", "αbγ", "αbγ"},
        TSubRow{"InvalidBytesMatchExactly",
                "a\xE4"
                "b.txt",
                "\xE4", "ae", "aaeb.txt", "aaeb.txt"},
        TSubRow{"BlankInserted", "a-b", "-", " ", "a b", "a b"}),
    [](const auto& info) { return std::string(info.param.Case); });

}  // namespace
