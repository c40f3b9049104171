#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "filelist/filter.h"

namespace {

using Strings = std::vector<std::string>;

TEST(ParseFilter, EveryPartBecomesDottedEntry) {
  struct TCase {
    std::string Text;
    Strings Entries;
  };
  const TCase cases[] = {
      {"*", {".*"}},
      {"bmp;jpg;gif;jpeg", {".bmp", ".jpg", ".gif", ".jpeg"}},
      {"", {"."}},
      {" txt", {". txt"}},
      {"txt ", {".txt "}},
      {"a;;b", {".a", ".", ".b"}},
      {"bmp;", {".bmp", "."}},
      {";", {".", "."}},
      {"*;bmp", {".*", ".bmp"}},
      {".txt", {"..txt"}},
      {"*.*", {".*.*"}},
      {"bmp;bmp", {".bmp", ".bmp"}},
  };
  for (const TCase& c : cases) EXPECT_EQ(FileList::ParseFilter(c.Text), c.Entries) << c.Text;
}

TEST(Filter, AllFilesOnlyWhenFirstEntryIsDotStar) {
  struct TCase {
    Strings Entries;
    bool All;
  };
  const TCase cases[] = {
      {{".*"}, true},    {{".*", ".bmp"}, true}, {{".bmp", ".*"}, false},
      {{".*.*"}, false}, {{". *"}, false},       {{}, false},
  };
  for (const TCase& c : cases) EXPECT_EQ(FileList::TFilter(c.Entries).AllFiles(), c.All);
}

// Letters compare as the case map folds them; bytes that are not UTF-8 stay.
TEST(Filter, ExtensionLookUpIgnoresCase) {
  const FileList::TFilter filter(
      {".txt", ".JPG", ".", ".Ä", ".tar.gz", ".b", ". x", ".été", ".σ", ".\xE4", ".ǆ"});
  struct TCase {
    std::string_view Ext;
    bool Listed;
  };
  const TCase cases[] = {
      {".txt", true},   {".TXT", true},  {".Txt", true},    {".jpg", true},   {".JPG", true},
      {".", true},      {"", false},     {".tx", false},    {".txt ", false}, {".Ä", true},
      {".ä", true},     {".gz", false},  {".tar.gz", true}, {".B", true},     {".x", false},
      {". X", true},    {".a", false},   {".*", false},     {"txt", false},   {".ÉTÉ", true},
      {".Été", true},   {".ete", false}, {".Σ", true},      {".ς", true},     {".\xE4", true},
      {".\xC4", false}, {".Ǆ", true},    {".ǅ", true},      {".ÉT", false},
  };
  for (const TCase& c : cases) EXPECT_EQ(filter.HasExtension(c.Ext), c.Listed) << c.Ext;
}

}  // namespace
