#include <string>

#include <gtest/gtest.h>

#include "rename/failtext.h"

namespace {

struct TFailRow {
  const char* Case;
  std::string Format;
  std::string Expected;
};

class FailTextTable : public ::testing::TestWithParam<TFailRow> {};

TEST_P(FailTextTable, InsertsOnlyTheTwoPaths) {
  const TFailRow& row = GetParam();
  EXPECT_EQ(Rename::FormatFailText(row.Format, "/d/old", "/d/new"), row.Expected);
}

const TFailRow Formats[] = {
    {"BuiltIn", "Cannot rename %s to %s!\r\n\r\nN.B. This warn can be disabled in options",
     "Cannot rename /d/old to /d/new!\r\n\r\nN.B. This warn can be disabled in options"},
    {"NoDirective", "Failed", "Failed"},
    {"OneDirective", "%s failed", "/d/old failed"},
    {"ThirdStaysLiteral", "%s %s %s", "/d/old /d/new %s"},
    {"OtherDirectivesCopied", "%d %x %n %p %s %08lu %s", "%d %x %n %p /d/old %08lu /d/new"},
    {"WidthOnStringCopied", "%-20s|%s", "%-20s|/d/old"},
    {"DoublePercentIsOneSequence", "100%% %%s %s", "100%% %%s /d/old"},
    {"TrailingPercent", "%s %", "/d/old %"},
    {"Empty", "", ""}};
INSTANTIATE_TEST_SUITE_P(Formats, FailTextTable, ::testing::ValuesIn(Formats),
                         [](const auto& info) { return std::string(info.param.Case); });

TEST(FailText, PathsAreNotFormatsThemselves) {
  EXPECT_EQ(Rename::FormatFailText("%s>%s", "/a%s%d", "/b%n"), "/a%s%d>/b%n");
}

TEST(FailText, PathsShowHiddenCharacters) {
  EXPECT_EQ(Rename::FormatFailText("%s>%s", "/d/a\u202Eexe.txt", "/d/\u200Bb"),
            "/d/a<U+202E>exe.txt>/d/<U+200B>b");
}

TEST(FailText, CutTo1023Bytes) {
  const std::string longPath(2000, 'p');
  const std::string text = Rename::FormatFailText("x%sy%sz", longPath, "/new");
  ASSERT_EQ(text.size(), Rename::FailTextBufferSize - 1);
  EXPECT_EQ(text, "x" + std::string(1022, 'p'));

  const std::string longFormat(1500, 'f');
  EXPECT_EQ(Rename::FormatFailText(longFormat, "a", "b"), std::string(1023, 'f'));

  // Exactly at the limit nothing is lost.
  const std::string fits(1023 - 4, 'q');
  EXPECT_EQ(Rename::FormatFailText("%s%s", fits, "tail"), fits + "tail");
}

}  // namespace
