#include <string>

#include <gtest/gtest.h>

#include "rename/namebuilder.h"

namespace {

using Rename::TNameOptions;

constexpr int Yes = 0;
constexpr int No = 1;
constexpr int Original = 0;
constexpr int Numbering = 1;
constexpr int Clever = 2;

TNameOptions Options(int namePart) {
  TNameOptions o;
  o.NamePart = namePart;
  return o;
}

TNameOptions WithPrefix(TNameOptions o, const std::string& text) {
  o.Prefix = Yes;
  o.PrefixText = text;
  return o;
}

TNameOptions WithSuffix(TNameOptions o, const std::string& text) {
  o.Suffix = Yes;
  o.SuffixText = text;
  return o;
}

TNameOptions WithExtension(TNameOptions o, const std::string& text) {
  o.Extension = Yes;
  o.ExtensionText = text;
  return o;
}

TNameOptions WithCase(TNameOptions o, int nameCase) {
  o.NameCase = nameCase;
  return o;
}

struct TNameRow {
  const char* Case;
  std::string OldName;
  int64_t Number;
  TNameOptions Options;
  std::string Expected;
};

class SetNewNameTable : public ::testing::TestWithParam<TNameRow> {};

TEST_P(SetNewNameTable, BuildsTheName) {
  const TNameRow& row = GetParam();
  EXPECT_EQ(Rename::SetNewName(row.Options, row.OldName, row.Number), row.Expected);
}

const TNameRow WorkedExamples[] = {
    {"StartValues", "holiday.jpg", 7, TNameOptions{}, "7.jpg"},
    {"Clever", "holiday.jpg", 7, Options(Clever), "00007.jpg"},
    {"PrefixClever", "holiday.jpg", 12, WithPrefix(Options(Clever), "img_"), "img_00012.jpg"},
    {"SuffixNewExt", "holiday.jpg", 3, WithExtension(WithSuffix(Options(Original), "_s"), "png"),
     "holiday_s.png"},
    {"DottedNewExt", "holiday.jpg", 3, WithExtension(Options(Original), ".png"), "holiday.png"},
    {"EmptyNewExt", "holiday.jpg", 3, WithExtension(Options(Original), ""), "holiday"},
    {"DoubleExt", "archive.tar.gz", 3, Options(Original), "archive.tar.gz"},
    {"DoubleExtNew", "archive.tar.gz", 3, WithExtension(Options(Original), "zip"),
     "archive.tar.zip"},
    {"NoExt", "README", 3, WithSuffix(Options(Original), "_old"), "README_old"},
    {"DotFilePrefix", ".profile", 3, WithPrefix(Options(Original), "x"), "x.profile"},
    {"DotFileNewExt", ".profile", 3, WithExtension(Options(Original), "txt"), ".txt"},
    {"Lower", "Photo.JPG", 3, WithCase(Options(Original), 2), "photo.jpg"},
    {"UpperWithPrefix", "a.txt", 3, WithCase(WithPrefix(Options(Original), "New "), 1),
     "NEW A.TXT"},
    {"DoubleDotExt", "song.mp3", 3, WithExtension(Options(Numbering), "..x"), "3..x"}};
INSTANTIATE_TEST_SUITE_P(WorkedExamples, SetNewNameTable, ::testing::ValuesIn(WorkedExamples),
                         [](const auto& info) { return std::string(info.param.Case); });

TNameOptions PrefixTextButNo() {
  TNameOptions o = Options(Original);
  o.PrefixText = "pre";
  o.SuffixText = "suf";
  o.ExtensionText = "ext";
  return o;
}

TNameOptions Indexes(int prefix, int namePart, int nameCase) {
  TNameOptions o = WithPrefix(Options(namePart), "p");
  o.Prefix = prefix;
  o.NameCase = nameCase;
  return o;
}

const TNameRow EdgeCases[] = {
    {"StartValuesPng", "b.png", 2, TNameOptions{}, "2.png"},
    {"StartValuesNoExt", "Makefile", 1, TNameOptions{}, "1"},
    {"Clever1", "x.a", 1, Options(Clever), "00001.a"},
    {"Clever10", "x.a", 10, Options(Clever), "00010.a"},
    {"Clever12345", "x.a", 12345, Options(Clever), "12345.a"},
    {"Clever99999", "x.a", 99999, Options(Clever), "99999.a"},
    {"Clever100000", "x.a", 100000, Options(Clever), "100000.a"},
    {"Clever1234567", "x.a", 1234567, Options(Clever), "1234567.a"},
    {"PlainNoPadding", "x.a", 100, Options(Numbering), "100.a"},
    {"LargeNumber", "x.a", 9876543210LL, Options(Numbering), "9876543210.a"},
    {"TextsIgnoredAtNo", "photo.jpg", 5, PrefixTextButNo(), "photo.jpg"},
    {"EmptyPrefixAtYes", "photo.jpg", 5, WithPrefix(Options(Original), ""), "photo.jpg"},
    {"OriginalUnchanged", "my file.tar.gz", 5, Options(Original), "my file.tar.gz"},
    {"NewExtInnerDot", "a.b", 1, WithExtension(Options(Original), "tar.gz"), "a.tar.gz"},
    {"NewExtLoneDot", "a.b", 1, WithExtension(Options(Original), "."), "a."},
    {"NewExtBlank", "a.b", 1, WithExtension(Options(Original), " "), "a. "},
    {"DotFileEmptyName", ".profile", 1, WithExtension(Options(Original), ""), ""},
    {"TrailingDot", "name.", 1, Options(Numbering), "1."},
    {"OnlyDot", ".", 1, Options(Original), "."},
    // A backslash or colon is an ordinary character: the extension stays.
    {"BackslashAfterDot", "a.b\\c", 4, Options(Numbering), "4.b\\c"},
    {"ColonAfterDot", "a.b:c", 4, Options(Original), "a.b:c"},
    {"BackslashBeforeDot", "dir\\x.txt", 4, WithSuffix(Options(Original), "_1"), "dir\\x_1.txt"},
    // A "/" does separate: the name part is what follows it, and a dot
    // before it starts no extension.
    {"SlashAfterDot", "a.b/c", 4, Options(Numbering), "4"},
    {"SlashNamePart", "sub/x.txt", 4, Options(Original), "x.txt"},
    {"CaseCoversTypedTexts", "f.jpg", 9,
     WithCase(WithExtension(WithSuffix(WithPrefix(Options(Clever), "Ä-"), "_Ω"), "Png"), 1),
     "Ä-00009_Ω.PNG"},
    {"LowerAccents", "ÉTÉ.JPG", 9, WithCase(Options(Original), 2), "été.jpg"},
    {"LowerKeepsInvalidBytes",
     "A\xE9"
     "B.TXT",
     9, WithCase(Options(Original), 2),
     "a\xE9"
     "b.txt"},
    // Indexes outside the lists: prefix counts as No, no name part, no case change.
    {"PrefixIndexMinus1", "A.b", 1, Indexes(-1, Original, 0), "A.b"},
    {"PrefixIndex2", "A.b", 1, Indexes(2, Original, 0), "A.b"},
    {"NamePartIndex3", "A.b", 1, Indexes(0, 3, 0), "p.b"},
    {"NamePartIndexMinus1", "A.b", 1, Indexes(0, -1, 0), "p.b"},
    {"CaseIndex3", "A.b", 1, Indexes(0, Original, 3), "pA.b"},
    {"EmptyOldName", "", 1, Options(Original), ""}};
INSTANTIATE_TEST_SUITE_P(EdgeCases, SetNewNameTable, ::testing::ValuesIn(EdgeCases),
                         [](const auto& info) { return std::string(info.param.Case); });

}  // namespace
