#include <clocale>
#include <string>

#include <gtest/gtest.h>
#include <unicode/uchar.h>

#include "platform/casemap.h"

namespace {

struct TCaseRow {
  std::string Text;
  std::string Upper;
  std::string Lower;
};

class CaseMapTable : public ::testing::TestWithParam<TCaseRow> {};

TEST_P(CaseMapTable, MapsBothWaysAndKeepsLength) {
  const TCaseRow& row = GetParam();
  const std::string upper = Platform::UpperCase(row.Text);
  const std::string lower = Platform::LowerCase(row.Text);
  EXPECT_EQ(upper, row.Upper);
  EXPECT_EQ(lower, row.Lower);
  EXPECT_EQ(upper.size(), row.Text.size());
  EXPECT_EQ(lower.size(), row.Text.size());
}

INSTANTIATE_TEST_SUITE_P(
    Letters, CaseMapTable,
    ::testing::Values(
        TCaseRow{"", "", ""}, TCaseRow{"Photo.JPG", "PHOTO.JPG", "photo.jpg"},
        TCaseRow{"a1_-. []@`{", "A1_-. []@`{", "a1_-. []@`{"},
        // Latin-1 Supplement: the multiplication and division signs are no letters.
        TCaseRow{"ÄRGER.txt", "ÄRGER.TXT", "ärger.txt"},
        TCaseRow{"àéîõü×÷ÀÉÎÕÜ", "ÀÉÎÕÜ×÷ÀÉÎÕÜ", "àéîõü×÷àéîõü"}, TCaseRow{"ÞþØø", "ÞÞØØ", "þþøø"},
        // ÿ upper-cases to Ÿ in Latin Extended-A; µ to the Greek capital mu.
        TCaseRow{"ÿŸ", "ŸŸ", "ÿÿ"}, TCaseRow{"µ", "Μ", "µ"},
        // ß has no upper form of the same length; ẞ lower-cases to ß, which is shorter.
        TCaseRow{"straße", "STRAßE", "straße"}, TCaseRow{"ẞ", "ẞ", "ẞ"},
        // Latin Extended-A: both parities of pairs, and the letters that change length.
        TCaseRow{"ĀāČčŁłŃńŒœŠšŽž", "ĀĀČČŁŁŃŃŒŒŠŠŽŽ", "āāččłłńńœœššžž"}, TCaseRow{"İı", "İı", "İı"},
        TCaseRow{"ſ", "ſ", "ſ"}, TCaseRow{"ĸŉ", "ĸŉ", "ĸŉ"},
        // Greek, final sigma, accented letters, symbols with a simple capital.
        TCaseRow{"Αλφάβητο", "ΑΛΦΆΒΗΤΟ", "αλφάβητο"}, TCaseRow{"ςσΣ", "ΣΣΣ", "ςσσ"},
        TCaseRow{"ΆΈΉΊΌΎΏ", "ΆΈΉΊΌΎΏ", "άέήίόύώ"}, TCaseRow{"ΐ", "ΐ", "ΐ"},
        // Cyrillic, the Ѐ..Џ block and the pairs beyond я.
        TCaseRow{"Привет", "ПРИВЕТ", "привет"}, TCaseRow{"ЁЂЏёђџ", "ЁЂЏЁЂЏ", "ёђџёђџ"},
        TCaseRow{"ѠѡҐґӁӂӐӑ", "ѠѠҐҐӁӁӐӐ", "ѡѡґґӂӂӑӑ"}, TCaseRow{"Ӏӏ", "ӀӀ", "ӏӏ"},
        // Polytonic Greek: ῆ has no simple capital of its own.
        TCaseRow{"ἀθῆναι.txt", "ἈΘῆΝΑΙ.TXT", "ἀθῆναι.txt"}, TCaseRow{"ǆǅǄ", "ǄǄǄ", "ǆǆǆ"},
        TCaseRow{"ƀɃɓƁ", "ɃɃƁƁ", "ƀƀɓɓ"},
        // Roman numerals, circled letters, Georgian, Cherokee.
        TCaseRow{"ⅻⅫⓐⒶ", "ⅫⅫⒶⒶ", "ⅻⅻⓐⓐ"}, TCaseRow{"აႠⴀ", "ᲐႠႠ", "აⴀⴀ"},
        TCaseRow{"Ꭰꭰᏸ", "ᎠᎠᏰ", "ꭰꭰᏸ"},
        // Characters without case, and four-byte characters, stay.
        TCaseRow{"日本😀", "日本😀", "日本😀"}, TCaseRow{"Ｆｕｌｌ", "ＦＵＬＬ", "ｆｕｌｌ"}));

struct TRawRow {
  const char* Name;
  std::string Text;
  std::string Upper;
};

class CaseMapInvalidUtf8 : public ::testing::TestWithParam<TRawRow> {};

// Bytes that are not valid UTF-8 stay as they are; letters around them change.
TEST_P(CaseMapInvalidUtf8, LeavesStrayBytes) {
  const TRawRow& row = GetParam();
  EXPECT_EQ(Platform::UpperCase(row.Text), row.Upper);
  EXPECT_EQ(Platform::LowerCase(row.Upper), Platform::LowerCase(row.Text));
}

// A Latin-1 lead byte alone, a lone continuation, over-long "A" and "a", a
// cut "ä" at the end, a lead byte before an ASCII letter, an encoded UTF-16
// surrogate, and a code point beyond U+10FFFF.
INSTANTIATE_TEST_SUITE_P(
    Bytes, CaseMapInvalidUtf8,
    ::testing::Values(TRawRow{"Latin1Byte", "a\xE4\x62", "A\xE4\x42"},
                      TRawRow{"LoneContinuation", "\xA4x", "\xA4X"},
                      TRawRow{"Overlong", "\xC1\x81\xC1\xA1q", "\xC1\x81\xC1\xA1Q"},
                      TRawRow{"TruncatedAtEnd", "z\xC3", "Z\xC3"},
                      TRawRow{"LeadThenAscii", "\xC3\x61", "\xC3\x41"},
                      TRawRow{"Surrogate", "\xED\xA0\x80m", "\xED\xA0\x80M"},
                      TRawRow{"TooLarge", "\xF4\x90\x80\x80k", "\xF4\x90\x80\x80K"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CaseMap, DoesNotDependOnTheProcessLocale) {
  const char* before = std::setlocale(LC_ALL, nullptr);
  const std::string saved = before ? before : "C";
  for (const char* locale : {"C", "C.UTF-8", "tr_TR.UTF-8"}) {
    std::setlocale(LC_ALL, locale);
    EXPECT_EQ(Platform::UpperCase("istanbul ärger"), "ISTANBUL ÄRGER") << locale;
    EXPECT_EQ(Platform::LowerCase("ISTANBUL ÄRGER"), "istanbul ärger") << locale;
  }
  std::setlocale(LC_ALL, saved.c_str());
}

std::string Encoded(char32_t cp) {
  std::string s;
  if (cp < 0x80) return s += static_cast<char>(cp);
  if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (cp >> 18));
    s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  }
  return s += static_cast<char>(0x80 | (cp & 0x3F));
}

// Every letter of the covered blocks: the mapping keeps the length, and where a
// letter maps to another one the other maps back (a round trip) unless it is
// one of the known one-way letters.
TEST(CaseMap, TwoByteLettersRoundTrip) {
  int changed = 0;
  for (char32_t cp = 0x80; cp < 0x800; ++cp) {
    const std::string s = Encoded(cp);
    const std::string lower = Platform::LowerCase(s);
    ASSERT_EQ(lower.size(), 2u);
    if (lower == s) continue;
    ++changed;
    // Capital theta symbol (lower θ, whose capital is Θ) and the title-case
    // digraphs ǅ ǈ ǋ ǲ, whose lower forms have their own capitals.
    if (cp == 0x3F4 || cp == 0x1C5 || cp == 0x1C8 || cp == 0x1CB || cp == 0x1F2) continue;
    EXPECT_EQ(Platform::UpperCase(lower), s) << "U+" << std::hex << static_cast<unsigned>(cp);
  }
  // Latin-1 30, Latin Extended-A/B about 150, Greek about 50, Cyrillic about 120, Armenian 38.
  EXPECT_GT(changed, 380);
}

// The fold joins every spelling that the two mappings join, and only those;
// SameTextAscii joins only the 26 ASCII letters (Ascii), and AsciiLowerCase
// gives equal texts exactly then.
TEST(CaseMap, FoldJoinsTheSpellingsOfALetter) {
  const struct {
    const char *A, *B;
    bool Same, Ascii;
  } pairs[] = {
      {"été.TXT", "ÉTÉ.txt", true, false},
      {"σας", "ΣΑΣ", true, false},
      {"ϴ", "θ", true, false},
      {"ǅ", "ǆ", true, false},
      {"ß", "ẞ", false, false},
      {"ı", "i", false, false},
      {"\xE4", "\xC4", false, false},
      {"k", "K", true, true},
      {"\u212A", "k", false, false},
      {"MainForm.X", "mainform.x", true, true},
      {"Text", "Tex", false, false},
      {"", "", true, true},
      {"[", "{", false, false},
      {"@", "`", false, false},
  };
  for (const auto& p : pairs) {
    EXPECT_EQ(Platform::FoldCase(p.A) == Platform::FoldCase(p.B), p.Same) << p.A << " " << p.B;
    EXPECT_EQ(Platform::FoldCase(p.A).size(), std::string(p.A).size());
    EXPECT_EQ(Platform::SameTextAscii(p.A, p.B), p.Ascii) << p.A << " " << p.B;
    EXPECT_EQ(Platform::AsciiLowerCase(p.A) == Platform::AsciiLowerCase(p.B), p.Ascii) << p.A;
  }
}

// Every code point, all in one text: each maps as ICU's simple case mapping
// says wherever the mapping keeps the encoded length, and stays otherwise.
TEST(CaseMap, WholeCodePointRangeFollowsIcu) {
  struct TDirection {
    const char* Name;
    std::string (*Convert)(std::string_view);
    UChar32 (*Library)(UChar32);
    int MinChanged;
  };
  const TDirection directions[] = {{"upper", Platform::UpperCase, u_toupper, 1350},
                                   {"lower", Platform::LowerCase, u_tolower, 1350}};
  for (const TDirection& d : directions) {
    std::string text, expected;
    int changed = 0;
    for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
      if (cp >= 0xD800 && cp <= 0xDFFF) continue;  // surrogates have no UTF-8 form
      const std::string one = Encoded(cp);
      const std::string mapped =
          Encoded(static_cast<char32_t>(d.Library(static_cast<UChar32>(cp))));
      text += one;
      expected += mapped.size() == one.size() ? mapped : one;
      changed += mapped.size() == one.size() && mapped != one;
    }
    EXPECT_TRUE(d.Convert(text) == expected) << d.Name;
    EXPECT_GT(changed, d.MinChanged) << d.Name;
  }
}

}  // namespace
