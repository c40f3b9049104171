#include <string>

#include <gtest/gtest.h>

#include "rename/namebuilder.h"

namespace {

using Rename::TNameOptions;

constexpr int Yes = 0;
constexpr int Original = 0;
constexpr int Numbering = 1;
constexpr int Clever = 2;

// Builds the Rename page's choices; a null text leaves that part at "No".
TNameOptions Opt(int namePart, const char* prefix = nullptr, const char* suffix = nullptr,
                 const char* ext = nullptr, int nameCase = 0) {
  TNameOptions o;
  o.NamePart = static_cast<Rename::TNamePart>(namePart);
  o.Prefix = prefix != nullptr;
  o.PrefixText = prefix ? prefix : "";
  o.Suffix = suffix != nullptr;
  o.SuffixText = suffix ? suffix : "";
  o.Extension = ext != nullptr;
  o.ExtensionText = ext ? ext : "";
  o.NameCase = static_cast<Rename::TNameCase>(nameCase);
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

TNameOptions TextsButNo() {
  TNameOptions o = Opt(Original);
  o.PrefixText = "pre";
  o.SuffixText = "suf";
  o.ExtensionText = "ext";
  return o;
}

TNameOptions Indexes(int prefix, int namePart, int nameCase) {
  TNameOptions o = Opt(namePart, "p", nullptr, nullptr, nameCase);
  o.Prefix = prefix == Yes;
  return o;
}

const TNameRow Cases[] = {
    // Worked examples.
    {"StartValues", "holiday.jpg", 7, TNameOptions{}, "7.jpg"},
    {"Clever", "holiday.jpg", 7, Opt(Clever), "00007.jpg"},
    {"PrefixClever", "holiday.jpg", 12, Opt(Clever, "img_"), "img_00012.jpg"},
    {"SuffixNewExt", "holiday.jpg", 3, Opt(Original, nullptr, "_s", "png"), "holiday_s.png"},
    {"DottedNewExt", "holiday.jpg", 3, Opt(Original, nullptr, nullptr, ".png"), "holiday.png"},
    {"EmptyNewExt", "holiday.jpg", 3, Opt(Original, nullptr, nullptr, ""), "holiday"},
    {"DoubleExt", "archive.tar.gz", 3, Opt(Original), "archive.tar.gz"},
    {"DoubleExtNew", "archive.tar.gz", 3, Opt(Original, nullptr, nullptr, "zip"),
     "archive.tar.zip"},
    {"NoExt", "README", 3, Opt(Original, nullptr, "_old"), "README_old"},
    {"DotFilePrefix", ".profile", 3, Opt(Original, "x"), "x.profile"},
    {"DotFileNewExt", ".profile", 3, Opt(Original, nullptr, nullptr, "txt"), ".txt"},
    {"Lower", "Photo.JPG", 3, Opt(Original, nullptr, nullptr, nullptr, 2), "photo.jpg"},
    {"UpperWithPrefix", "a.txt", 3, Opt(Original, "New ", nullptr, nullptr, 1), "NEW A.TXT"},
    {"DoubleDotExt", "song.mp3", 3, Opt(Numbering, nullptr, nullptr, "..x"), "3..x"},
    // Edge cases.
    {"StartValuesPng", "b.png", 2, TNameOptions{}, "2.png"},
    {"StartValuesNoExt", "Makefile", 1, TNameOptions{}, "1"},
    {"Clever1", "x.a", 1, Opt(Clever), "00001.a"},
    {"Clever10", "x.a", 10, Opt(Clever), "00010.a"},
    {"Clever12345", "x.a", 12345, Opt(Clever), "12345.a"},
    {"Clever99999", "x.a", 99999, Opt(Clever), "99999.a"},
    {"Clever100000", "x.a", 100000, Opt(Clever), "100000.a"},
    {"Clever1234567", "x.a", 1234567, Opt(Clever), "1234567.a"},
    {"PlainNoPadding", "x.a", 100, Opt(Numbering), "100.a"},
    {"LargeNumber", "x.a", 9876543210LL, Opt(Numbering), "9876543210.a"},
    {"TextsIgnoredAtNo", "photo.jpg", 5, TextsButNo(), "photo.jpg"},
    {"EmptyPrefixAtYes", "photo.jpg", 5, Opt(Original, ""), "photo.jpg"},
    {"OriginalUnchanged", "my file.tar.gz", 5, Opt(Original), "my file.tar.gz"},
    {"NewExtInnerDot", "a.b", 1, Opt(Original, nullptr, nullptr, "tar.gz"), "a.tar.gz"},
    {"NewExtLoneDot", "a.b", 1, Opt(Original, nullptr, nullptr, "."), "a."},
    {"NewExtBlank", "a.b", 1, Opt(Original, nullptr, nullptr, " "), "a. "},
    {"DotFileEmptyName", ".profile", 1, Opt(Original, nullptr, nullptr, ""), ""},
    {"TrailingDot", "name.", 1, Opt(Numbering), "1."},
    {"OnlyDot", ".", 1, Opt(Original), "."},
    // A backslash or colon is an ordinary character: the extension stays.
    {"BackslashAfterDot", "a.b\\c", 4, Opt(Numbering), "4.b\\c"},
    {"ColonAfterDot", "a.b:c", 4, Opt(Original), "a.b:c"},
    {"BackslashBeforeDot", "dir\\x.txt", 4, Opt(Original, nullptr, "_1"), "dir\\x_1.txt"},
    // A "/" does separate: the name part is what follows it, and a dot
    // before it starts no extension.
    {"SlashAfterDot", "a.b/c", 4, Opt(Numbering), "4"},
    {"SlashNamePart", "sub/x.txt", 4, Opt(Original), "x.txt"},
    {"CaseCoversTypedTexts", "f.jpg", 9, Opt(Clever, "Ä-", "_Ω", "Png", 1), "Ä-00009_Ω.PNG"},
    {"LowerAccents", "ÉTÉ.JPG", 9, Opt(Original, nullptr, nullptr, nullptr, 2), "été.jpg"},
    {"LowerKeepsInvalidBytes", "A\xE9\x42.TXT", 9, Opt(Original, nullptr, nullptr, nullptr, 2),
     "a\xE9\x62.txt"},
    // Values outside the lists: no prefix, no name part, no case change.
    {"PrefixIndexMinus1", "A.b", 1, Indexes(-1, Original, 0), "A.b"},
    {"PrefixIndex2", "A.b", 1, Indexes(2, Original, 0), "A.b"},
    {"NamePartIndex3", "A.b", 1, Indexes(0, 3, 0), "p.b"},
    {"NamePartIndexMinus1", "A.b", 1, Indexes(0, -1, 0), "p.b"},
    {"CaseIndex3", "A.b", 1, Indexes(0, Original, 3), "pA.b"},
    {"EmptyOldName", "", 1, Opt(Original), ""}};
INSTANTIATE_TEST_SUITE_P(Cases, SetNewNameTable, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.Case); });

}  // namespace
