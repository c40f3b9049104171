#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "rename/presets.h"
#include "settings/errors.h"
#include "testutil.h"

namespace {

TEST(Presets, KeepEveryChoiceByName) {
  TestUtil::TTempDir dir;
  const std::string folder = dir.Path() + "/presets";
  Rename::TChoices saved;
  saved.Preview.Page = Rename::TPage::Pattern;
  saved.Preview.Name = {true, " pre ", Rename::TNamePart::PaddedNumber, true, "\"q\"",
                        true, "png",   Rename::TNameCase::Lower};
  saved.Preview.Replace = {"IMG_(\\d+)", "photo-$1", true, true, true};
  saved.Preview.Pattern = {"{taken:%Y} {n:3}{ext}", -5000000000, 10, 4};
  saved.Order = FileList::TOrder::TakenDesc;
  saved.Untangle = true;
  Rename::SavePreset(folder, "holiday photos", saved);
  Rename::TChoices loaded;
  ASSERT_TRUE(Rename::LoadPreset(folder, "holiday photos", loaded));
  const auto& n = loaded.Preview.Name;
  EXPECT_TRUE(n.Prefix && n.Suffix && n.Extension);
  EXPECT_EQ(n.PrefixText + n.SuffixText + n.ExtensionText, " pre \"q\"png");
  EXPECT_EQ(n.NamePart, Rename::TNamePart::PaddedNumber);
  EXPECT_EQ(n.NameCase, Rename::TNameCase::Lower);
  const auto& r = loaded.Preview.Replace;
  EXPECT_EQ(r.Search + "|" + r.Replace, "IMG_(\\d+)|photo-$1");
  EXPECT_TRUE(r.CaseSensitive && r.Regex && r.All);
  EXPECT_EQ(loaded.Preview.Pattern.Template, saved.Preview.Pattern.Template);
  EXPECT_EQ(loaded.Preview.Pattern.Start, -5000000000);
  EXPECT_EQ(loaded.Preview.Pattern.Step, 10);
  EXPECT_EQ(loaded.Preview.Pattern.Width, 4);
  EXPECT_EQ(loaded.Preview.Page, Rename::TPage::Pattern);
  EXPECT_EQ(loaded.Order, FileList::TOrder::TakenDesc);
  EXPECT_TRUE(loaded.Untangle);
  Rename::SavePreset(folder, "Album", saved);
  TestUtil::WriteFileBytes(folder + "/.hidden.ini", "");
  TestUtil::WriteFileBytes(folder + "/notes.txt", "");
  EXPECT_EQ(Rename::ListPresets(folder), (std::vector<std::string>{"Album", "holiday photos"}));
  EXPECT_TRUE(Rename::ListPresets(folder + "/none").empty());
}

TEST(Presets, BadNamesAndBadFilesLoseNothing) {
  TestUtil::TTempDir dir;
  Rename::TChoices choices;
  for (const char* bad : {"", ".hidden", "a/b", "../x", "tab\there"}) {
    EXPECT_FALSE(Rename::ValidPresetName(bad)) << bad;
    EXPECT_THROW(Rename::SavePreset(dir.Path(), bad, choices), Settings::EMorvaneError) << bad;
  }
  EXPECT_FALSE(Rename::LoadPreset(dir.Path(), "none", choices));
  choices.Preview.Replace.Search = "two\nlines";
  EXPECT_THROW(Rename::SavePreset(dir.Path(), "x", choices), Settings::EMorvaneError);
  std::ofstream(dir.Path() + "/odd.ini") << "[choices]\npage=9\norder=-1\nnamepart=7\nstart=x\n";
  Rename::TChoices loaded;
  ASSERT_TRUE(Rename::LoadPreset(dir.Path(), "odd", loaded));
  EXPECT_EQ(loaded.Preview.Page, Rename::TPage::Rename);
  EXPECT_EQ(loaded.Order, FileList::TOrder::Name);
  EXPECT_EQ(loaded.Preview.Name.NamePart, Rename::TNamePart::Number);
  EXPECT_EQ(loaded.Preview.Pattern.Start, 1);
}

}  // namespace
