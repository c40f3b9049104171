#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/displaypath.h"
#include "dialogs/folderpath.h"

namespace {

const std::string Letters60(60, 'x');

struct TPathCase {
  const char* Name;
  std::string Path;
  int MaxLength;
  std::string Expected;
};

class DisplayPathTest : public ::testing::TestWithParam<TPathCase> {};

TEST_P(DisplayPathTest, Shortens) {
  const TPathCase& c = GetParam();
  EXPECT_EQ(Dialogs::MakeDisplayPath(c.Path, c.MaxLength), c.Expected);
}

const std::string Exactly50 = "/home/user/Pictures/Holidays/2003/Spain/" + std::string(10, 'p');
const std::string Slashes60(60, '/');

const TPathCase Cases[] = {
    {"ShortUnchanged", "/Program Files/Common Files/System/ado", 50,
     "/Program Files/Common Files/System/ado"},
    // The first part of an absolute path is "/" itself.
    {"DeepFolder", "/Documents and Settings/Administrator/My Documents/My Pictures/Holiday 2003",
     50, "/.../My Documents/My Pictures/Holiday 2003"},
    // Leaving "Customer reports" in would give 51 characters.
    {"OneShortOfFitting", "/Projects/2004/Customer reports/Quarterly/Final/Signed copies", 50,
     "/.../Quarterly/Final/Signed copies"},
    {"NetworkPath", "//fileserver/projects/2004/reports/quarterly/final/signed", 50,
     "//fileserver/.../reports/quarterly/final/signed"},
    {"SingleSeparator", "/" + Letters60, 50, "/" + Letters60.substr(0, 49)},
    {"OneSeparatorAfterTheFirstTwo", "/dir/" + Letters60, 50, "/dir/" + Letters60.substr(0, 45)},
    {"LongLastFolderCut", "/dir/sub/" + Letters60, 50, "/.../" + Letters60.substr(0, 42) + "..."},
    {"ServerTooLong", "//" + Letters60 + "/a/b", 50, "//" + Letters60.substr(0, 45) + "..."},
    {"RelativePath", "projects/2004/reports/quarterly/final/signed/copies/of/them", 50,
     "projects/.../quarterly/final/signed/copies/of/them"},
    {"NoSeparator", Letters60, 50, Letters60.substr(0, 50)},
    // At and around the limits.
    {"Exactly50", Exactly50, 50, Exactly50},
    {"Exactly51", Exactly50 + "q", 50, "/.../user/Pictures/Holidays/2003/Spain/ppppppppppq"},
    {"MaxBelowSix", "/a/b/c/d/e/f/g", 5, "/a/b/"},
    {"MaxSix", "/aaaa/bbbb/cccc", 6, "/....."},
    {"MaxNine", "/aaaa/bbbb/cccc", 9, "/.../cccc"},
    {"MaxZero", "/a/b/c/d", 0, ""},
    {"MaxNegative", "/a/b/c/d", -4, ""},
    {"EmptyPath", "", 50, ""},
    {"OnlySlashes", Slashes60, 50, "///..." + std::string(44, '/')},
    {"RootOnly", "/", 50, "/"},
};
INSTANTIATE_TEST_SUITE_P(Cases, DisplayPathTest, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.Name); });

// Whatever the input, the result is never longer than the limit.
TEST(DisplayPath, NeverLongerThanLimit) {
  const std::string paths[] = {"",
                               "/",
                               "//",
                               "///",
                               "////////////",
                               "/a",
                               "a/",
                               "//s",
                               "//s/",
                               "//s/a/b/c/d/e/f/g/h",
                               "/a/b/c/d/e/f/g/h/i/j/k",
                               "abc/def/ghi/jkl/mno",
                               "/" + Letters60 + "/" + Letters60,
                               Slashes60 + Letters60,
                               "x/" + Letters60 + "/y/z"};
  for (const auto& path : paths)
    for (int max = -1; max <= 70; ++max)
      EXPECT_LE(Dialogs::MakeDisplayPath(path, max).size(),
                static_cast<std::size_t>(max < 0 ? 0 : max))
          << path << " " << max;
}

// Lengths count bytes: a UTF-8 path is cut by its bytes.
TEST(DisplayPath, CountsBytes) {
  const std::string path = "/Bilder/" + std::string(20, 'x') + "/Übersicht/Größe/ä";
  const std::string shown = Dialogs::MakeDisplayPath(path, 30);
  EXPECT_EQ(shown, "/.../Übersicht/Größe/ä");
  EXPECT_LE(shown.size(), 30u);
}

// Codes compare without case; unknown codes give the default.
TEST(LabelCaptions, TitleForCode) {
  const std::pair<const char*, std::vector<const char*>> cases[] = {
      {"Current folder:",
       {"0009", "0409", "0809", "0C09", "1009", "1409", "1809", "1C09", "2009", "2809", "2C09",
        "0419", "0000", "", "Default"}},
      {"Ausgewählter Ordner:", {"0407", "0807", "0C07", "1007", "1407"}},
      {"Dossier Courant:", {"040C", "080C", "0C0C", "100C", "140C", "180C", "0c0c"}},
      {"Cartella selezionata:", {"0410", "0810"}},
      {"Valgt mappe:", {"0406"}},
      {"Huidige map:", {"0413"}},
      {"Bieżący folder", {"0415"}},
      {"Pasta Atual:", {"0416"}},
  };
  for (const auto& [expected, codes] : cases)
    for (const char* code : codes)
      EXPECT_EQ(Dialogs::LocaleText(Dialogs::DefaultLabelCaptions(), code), expected) << code;
}

TEST(LabelCaptions, DefaultFirstThenAscendingCodes) {
  const auto& rows = Dialogs::DefaultLabelCaptions();
  ASSERT_EQ(rows.size(), 29u);
  EXPECT_EQ(rows.front().first, "Default");
  for (std::size_t i = 2; i < rows.size(); ++i) {
    EXPECT_LT(std::stoi(rows[i - 1].first, nullptr, 16), std::stoi(rows[i].first, nullptr, 16));
  }
}

TEST(LocaleText, FallbackRows) {
  const Dialogs::TLocaleTexts noDefault{{"0407", "Deutsch"}, {"0409", "English"}};
  const Dialogs::TLocaleTexts withDefault{{"0407", "Deutsch"}, {"Default", "Fallback"}};
  EXPECT_EQ(Dialogs::LocaleText({}, "0407"), "");
  EXPECT_EQ(Dialogs::LocaleText(noDefault, "0409"), "English");
  EXPECT_EQ(Dialogs::LocaleText(noDefault, "0415"), "Deutsch");
  EXPECT_EQ(Dialogs::LocaleText(withDefault, "0415"), "Fallback");
}

TEST(LangCodeText, FourUpperCaseHexDigits) {
  for (const auto& [code, text] :
       {std::pair{0x0807, "0807"}, std::pair{0x040C, "040C"}, std::pair{0x0009, "0009"},
        std::pair{0x0000, "0000"}, std::pair{0xFFFF, "FFFF"}})
    EXPECT_EQ(Dialogs::LangCodeText(code), text);
}

}  // namespace

TEST(FolderPathParts, NamesFromTheTopAsExactBytes) {
  using TNames = std::vector<std::string>;
  const struct {
    const char* Path;
    TNames Names;
  } cases[] = {
      {"/", {}},
      {"/tmp/a", {"tmp", "a"}},
      {"/tmp/a/", {"tmp", "a"}},
      {"//tmp//./a", {"tmp", "a"}},
      {"/tmp/a/../b", {"tmp", "b"}},
      {"/..", {}},
      {"rel/x", {"home", "me", "rel", "x"}},
      {"./rel", {"home", "me", "rel"}},
      {"/caf\xe9/caf\xef\xbf\xbd", {"caf\xe9", "caf\xef\xbf\xbd"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Path);
    EXPECT_EQ(Dialogs::FolderPathParts(c.Path, "/home/me"), c.Names);
  }
  EXPECT_EQ(Dialogs::JoinFolderPath("/", "tmp"), "/tmp");
  EXPECT_EQ(Dialogs::JoinFolderPath("/tmp", "caf\xe9"), "/tmp/caf\xe9");
}
