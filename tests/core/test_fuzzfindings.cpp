// Faults that the fuzz targets (fuzz/) found, kept as ordinary tests.
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/accesskeys.h"

namespace {

// The key a menu shows: the character after the first "&" that is not part
// of a literal "&&".
char ShownKey(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return static_cast<char>(std::toupper(caption[i + 1]));
    ++i;
  }
  return 0;
}

struct TKeysCase {
  const char* Name;
  std::vector<std::string> Captions;
  std::vector<std::string> Expected;
};

class AccessKeysFound : public testing::TestWithParam<TKeysCase> {};

// A caption whose mark is dropped loses every mark, so none shows a key that
// another entry holds.
TEST_P(AccessKeysFound, NoKeyShownTwice) {
  const TKeysCase& c = GetParam();
  const std::vector<std::string> result =
      App::AssignAccessKeys(c.Captions, std::vector<bool>(c.Captions.size(), false), false);
  EXPECT_EQ(result, c.Expected);
  std::set<char> keys;
  for (const std::string& caption : result) {
    const char key = ShownKey(caption);
    if (key != 0) EXPECT_TRUE(keys.insert(key).second) << caption;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AccessKeysFound,
    testing::Values(TKeysCase{"MarkOnAPunctuationThenALetter", {"&A", "&-&A"}, {"&A", "-A"}},
                    TKeysCase{"TakenMarkThenASecondMark", {"&Bx", "&B&x"}, {"&Bx", "B&x"}},
                    TKeysCase{"SecondMarkOnATakenKey", {"&Ab", "&A&B", "b"}, {"&Ab", "A&B", "b"}}),
    [](const testing::TestParamInfo<TKeysCase>& info) { return std::string(info.param.Name); });

}  // namespace
