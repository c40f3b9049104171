#include <string>

#include <gtest/gtest.h>

#include "core/envguard.h"
#include "dialogs/displaypath.h"
#include "platform/locale.h"

namespace {

struct TIdCase {
  const char* Locale;
  uint16_t Id;
};

class LanguageIdTest : public ::testing::TestWithParam<TIdCase> {};

TEST_P(LanguageIdTest, MapsLocale) {
  EXPECT_EQ(Platform::LanguageIdForLocale(GetParam().Locale), GetParam().Id) << GetParam().Locale;
}

// Every language the folder chooser has a title for.
const TIdCase ListedLocales[] = {
    {"de_DE", 0x0407}, {"de_CH", 0x0807}, {"de_AT", 0x0C07}, {"de_LU", 0x1007}, {"de_LI", 0x1407},
    {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009}, {"en_NZ", 0x1409},
    {"en_IE", 0x1809}, {"en_ZA", 0x1C09}, {"en_JM", 0x2009}, {"en_BZ", 0x2809}, {"en_TT", 0x2C09},
    {"fr_FR", 0x040C}, {"fr_BE", 0x080C}, {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C}, {"fr_LU", 0x140C},
    {"fr_MC", 0x180C}, {"it_IT", 0x0410}, {"it_CH", 0x0810}, {"da_DK", 0x0406}, {"nl_NL", 0x0413},
    {"pl_PL", 0x0415}, {"pt_BR", 0x0416}, {"en", 0x0009}};
INSTANTIATE_TEST_SUITE_P(Listed, LanguageIdTest, ::testing::ValuesIn(ListedLocales));

const TIdCase NameForms[] = {
    {"de_CH.UTF-8", 0x0807},
    {"de_CH.utf8@euro", 0x0807},
    {"fr_BE@euro", 0x080C},
    {"de-AT", 0x0C07},
    {"DE_ch", 0x0807},
    {"de", 0x0007},
    {"de.UTF-8", 0x0007},
    {"de_BE", 0x0407},  // a country not listed: the language's main country
    {"ru_RU.UTF-8", 0x0419},
    {"C", 0x0000},
    {"C.UTF-8", 0x0000},
    {"POSIX", 0x0000},
    {"", 0x0000},
    {"xx_YY", 0x0000},
    {"_", 0x0000},
    {"@", 0x0000},
};
INSTANTIATE_TEST_SUITE_P(NameForms, LanguageIdTest, ::testing::ValuesIn(NameForms));

TEST(FarEastLocale, ChineseJapaneseKorean) {
  for (const char* name : {"zh_CN.UTF-8", "zh_TW", "ja_JP.UTF-8", "ko_KR", "ja"})
    EXPECT_TRUE(Platform::IsFarEastLocale(name)) << name;
  for (const char* name : {"de_DE.UTF-8", "en_US", "C", "", "vi_VN", "kok_IN"})
    EXPECT_FALSE(Platform::IsFarEastLocale(name)) << name;
}

// Sets the three locale variables for one test and puts them back afterwards.
class LocaleEnvironmentTest : public ::testing::Test {
 protected:
  void SetAll(const char* all, const char* messages, const char* lang) const {
    FAll.Set(all);
    FMessages.Set(messages);
    FLang.Set(lang);
  }

 private:
  TestUtil::TEnvGuard FAll{"LC_ALL"}, FMessages{"LC_MESSAGES"}, FLang{"LANG"};
};

TEST_F(LocaleEnvironmentTest, FirstNonEmptyVariableWins) {
  SetAll("de_CH.UTF-8", "fr_FR", "it_IT");
  EXPECT_EQ(Platform::UserLocaleName(), "de_CH.UTF-8");
  SetAll(nullptr, "fr_FR", "it_IT");
  EXPECT_EQ(Platform::UserLocaleName(), "fr_FR");
  SetAll("", "", "it_IT");
  EXPECT_EQ(Platform::UserLocaleName(), "it_IT");
  SetAll(nullptr, nullptr, nullptr);
  EXPECT_EQ(Platform::UserLocaleName(), "");
  EXPECT_EQ(Platform::SystemDefaultLangID(), 0x0000);
}

// The folder chooser's title follows the user's locale.
TEST_F(LocaleEnvironmentTest, ChooserTitleFromLocale) {
  struct {
    const char* Lang;
    const char* Code;
    const char* Title;
  } const cases[] = {
      {"de_CH.UTF-8", "0807", "Ausgewählter Ordner:"},
      {"pl_PL.UTF-8", "0415", "Bieżący folder"},
      {"ru_RU.UTF-8", "0419", "Current folder:"},
      {"C", "0000", "Current folder:"},
  };
  for (const auto& c : cases) {
    SetAll(nullptr, nullptr, c.Lang);
    const std::string code = Dialogs::LangCodeText(Platform::SystemDefaultLangID());
    EXPECT_EQ(code, c.Code) << c.Lang;
    EXPECT_EQ(Dialogs::LocaleText(Dialogs::DefaultLabelCaptions(), code), c.Title) << c.Lang;
  }
}

}  // namespace
