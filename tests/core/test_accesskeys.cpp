#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/accesskeys.h"

namespace {

using TCaptions = std::vector<std::string>;

struct TKeyCase {
  const char* Name;
  TCaptions Captions;
  std::vector<bool> Hidden;
  bool FarEast;
  TCaptions Expected;
};

class AccessKeysTest : public ::testing::TestWithParam<TKeyCase> {};

TEST_P(AccessKeysTest, AssignsKeys) {
  const TKeyCase& c = GetParam();
  EXPECT_EQ(App::AssignAccessKeys(c.Captions, c.Hidden, c.FarEast), c.Expected);
}

const TKeyCase BuiltInMenus[] = {
    {"MenuBar", {"File", "Options", "Help"}, {}, false, {"&File", "&Options", "&Help"}},
    {"FileMenu",
     {"Select Directory", "-", "Test", "Rename", "-", "Exit"},
     {},
     false,
     {"&Select Directory", "-", "&Test", "&Rename", "-", "&Exit"}},
    {"OptionsMenu",
     {"Select Language", "-", "Show error messages", "Warn before rename", "-",
      "Remove selected file(s)", "Explore folder"},
     {},
     false,
     {"&Select Language", "-", "S&how error messages", "&Warn before rename", "-",
      "&Remove selected file(s)", "&Explore folder"}},
    {"HelpMenu", {"Contents", "About"}, {}, false, {"&Contents", "&About"}},
    // The menu bar as a German language file leaves it: marks already given.
    {"MarkedBar", {"&Datei", "&Optionen", "&Hilfe"}, {}, false, {"&Datei", "&Optionen", "&Hilfe"}},
};
INSTANTIATE_TEST_SUITE_P(BuiltIn, AccessKeysTest, ::testing::ValuesIn(BuiltInMenus),
                         [](const auto& info) { return std::string(info.param.Name); });

const TKeyCase Collisions[] = {
    {"SameInitial", {"Save", "Save As", "Sa"}, {}, false, {"S&ave", "Sa&ve As", "&Sa"}},
    {"CaseFolded", {"open", "Output"}, {}, false, {"&open", "O&utput"}},
    {"Digits", {"1 file", "10 files"}, {}, false, {"&1 file", "1&0 files"}},
    {"NoFreeCharacter", {"A", "a", "-", ""}, {}, false, {"&A", "a", "-", ""}},
    {"OnlyPunctuation", {"...", "?"}, {}, false, {"...", "?"}},
    // The retry lets the entry that found nothing go first, which marks both.
    {"RetryMarksMore", {"ab", "a"}, {}, false, {"a&b", "&a"}},
    // Every order marks two of three; the first attempt is kept.
    {"TieKeepsFirst", {"ab", "a", "b"}, {}, false, {"&ab", "a", "&b"}},
    {"HiddenTakesNoPart", {"File", "Find"}, {true, false}, false, {"File", "&Find"}},
    {"HiddenMarkHoldsNothing", {"&File", "Find"}, {true}, false, {"&File", "&Find"}},
};
INSTANTIATE_TEST_SUITE_P(Collisions, AccessKeysTest, ::testing::ValuesIn(Collisions),
                         [](const auto& info) { return std::string(info.param.Name); });

const TKeyCase OwnMarks[] = {
    {"KeptMarks", {"E&xit", "&Edit", "Exit"}, {}, false, {"E&xit", "&Edit", "Ex&it"}},
    {"LowerCaseMarkHolds", {"&file", "Find"}, {}, false, {"&file", "F&ind"}},
    {"LaterMarkHoldsFirst", {"Open", "&Options"}, {}, false, {"O&pen", "&Options"}},
    {"TakenMarkRemoved", {"&Open", "&Options"}, {}, false, {"&Open", "O&ptions"}},
    {"TakenMarkNoFreeKey", {"&Ab", "&ba"}, {}, false, {"&Ab", "&ba"}},
    {"RemovedMarkNotRestored", {"&A", "&a"}, {}, false, {"&A", "a"}},
    {"MarkOnPunctuation", {"&-x"}, {}, false, {"-&x"}},
    {"LiteralAmpersand", {"Save && Exit"}, {}, false, {"&Save && Exit"}},
    {"LiteralAmpersandFirst", {"&& More"}, {}, false, {"&& &More"}},
    {"LiteralThenMark", {"R&&&D"}, {}, false, {"R&&&D"}},
    {"TrailingAmpersand", {"Q&"}, {}, false, {"&Q&"}},
};
INSTANTIATE_TEST_SUITE_P(OwnMarks, AccessKeysTest, ::testing::ValuesIn(OwnMarks),
                         [](const auto& info) { return std::string(info.param.Name); });

const TKeyCase FarEast[] = {
    {"KeyAtEnd", {"ファイル", "開く..."}, {}, true, {"ファイル(&A)", "開く(&B)..."}},
    {"OwnLetterAtEnd", {"F ファイル", "File"}, {}, true, {"F ファイル(&F)", "F&ile"}},
    {"Hangul", {"파일"}, {}, true, {"파일(&A)"}},
    {"FullwidthForm", {"ＡＢ"}, {}, true, {"ＡＢ(&A)"}},
    {"LatinCaptionUnaffected", {"File", "Übersicht"}, {}, true, {"&File", "Ü&bersicht"}},
    {"OwnMarkKept", {"ファイル(&F)", "Fold"}, {}, true, {"ファイル(&F)", "F&old"}},
    {"OffWithoutFarEast", {"ファイル", "F ファイル"}, {}, false, {"ファイル", "&F ファイル"}},
};
INSTANTIATE_TEST_SUITE_P(FarEast, AccessKeysTest, ::testing::ValuesIn(FarEast),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(AccessKeys, EmptyLevel) { EXPECT_TRUE(App::AssignAccessKeys({}, {}, false).empty()); }

}  // namespace
