#include <string>

#include <gtest/gtest.h>

#include "platform/regex.h"
#include "rename/charsub.h"

namespace {

Rename::TReplaceOptions Expr(const char* search, const char* replace, bool caseSensitive,
                             bool all) {
  return {search, replace, caseSensitive, true, all};
}

// Expected names are perl's: perl -CSDA -Mutf8 -e '$n =~ s{EXPR}{REPL}FLAGS'
// with FLAGS "i" unless case-sensitive and "g" for all.
TEST(RegexCharSub, AgreesWithPerl) {
  struct TCase {
    const char* Name;
    Rename::TReplaceOptions Options;
    const char* Expected;
  };
  const TCase cases[] = {
      {"IMG_1234.jpg", Expr("IMG_(\\d+)", "photo-$1", false, false), "photo-1234.jpg"},
      {"IMG_1234.jpg", Expr("img_(\\d+)", "photo-$1", false, false), "photo-1234.jpg"},
      {"IMG_1234.jpg", Expr("img_(\\d+)", "photo-$1", true, false), "IMG_1234.jpg"},
      {"a1b22c333", Expr("\\d+", "#", false, true), "a#b#c#"},
      {"a1b22c333", Expr("\\d+", "#", false, false), "a#b22c333"},
      {"abc.txt", Expr("(x)?abc", "[$1]", false, false), "[].txt"},
      {"2026-07-14.jpg",
       Expr("(?<y>\\d{4})-(?<m>\\d\\d)-(?<d>\\d\\d)", "${d}.${m}.${y}", false, false),
       "14.07.2026.jpg"},
      {"hello.TXT", Expr("\\.txt$", ".md", false, false), "hello.md"},
      {"hello.TXT", Expr("\\.txt$", ".md", true, false), "hello.TXT"},
      {"aaa", Expr("a*", "-", false, true), "--"},
      {"aaa", Expr("^", "x", false, false), "xaaa"},
      {"ÉTÉ.jpg", Expr("été", "summer", false, false), "summer.jpg"},
      {"ÉTÉ.jpg", Expr("(.)", "<$1>", false, false), "<É>TÉ.jpg"},
      {"x.y", Expr("(.)(.)(.)", "$3$2$1", false, false), "y.x"},
      {"no match.txt", Expr("zzz", "q", false, false), "no match.txt"},
      {"a.b.c", Expr("\\.", "_", false, true), "a_b_c"},
      // Not valid UTF-8: the valid parts still match.
      {"\xff IMG_7.jpg", Expr("IMG_(\\d)", "photo-$1", false, false), "\xff photo-7.jpg"},
      // The plain search with All.
      {"a.b.C", {"c", "x", false, false, true}, "a.b.x"},
      {"a.a.a", {"A", "b", false, false, true}, "b.b.b"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(Rename::CharSub(c.Options, c.Name), c.Expected) << c.Options.Search;
}

TEST(Regex, BadExpressionsAndHostileOnesAreBounded) {
  const Platform::TRegex bad("IMG_(\\d+", true);
  EXPECT_FALSE(bad.Valid());
  EXPECT_NE(bad.Error().find("offset"), std::string::npos) << bad.Error();
  EXPECT_FALSE(Rename::TCharSub(Expr("a)", "", false, false)).Error().empty());
  // Catastrophic backtracking stops at the match limit: the name stays.
  const std::string name = std::string(40, 'a') + "!";
  EXPECT_EQ(Rename::CharSub(Expr("(a+)+$", "x", false, false), name), name);
  // A group the expression does not have leaves the name as it is.
  EXPECT_EQ(Rename::CharSub(Expr("a", "$7", false, false), "abc"), "abc");
}

}  // namespace
