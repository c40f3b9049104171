#include "platform/locale.h"

#include <cstdlib>
#include <string_view>

#include "platform/casemap.h"

namespace Platform {

namespace {

struct TLanguage {
  std::string_view Code;  // ISO 639 language code
  uint16_t PrimaryId;
};

struct TLocale {
  std::string_view Name;  // language_COUNTRY
  uint16_t LangId;
};

constexpr TLanguage Languages[] = {
    {"zh", 0x04}, {"cs", 0x05}, {"da", 0x06}, {"de", 0x07}, {"el", 0x08}, {"en", 0x09},
    {"es", 0x0A}, {"fi", 0x0B}, {"fr", 0x0C}, {"hu", 0x0E}, {"it", 0x10}, {"ja", 0x11},
    {"ko", 0x12}, {"nl", 0x13}, {"nb", 0x14}, {"no", 0x14}, {"nn", 0x14}, {"pl", 0x15},
    {"pt", 0x16}, {"ru", 0x19}, {"sv", 0x1D}, {"tr", 0x1F},
};

constexpr TLocale Locales[] = {
    {"de_DE", 0x0407}, {"de_CH", 0x0807}, {"de_AT", 0x0C07}, {"de_LU", 0x1007}, {"de_LI", 0x1407},
    {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009}, {"en_NZ", 0x1409},
    {"en_IE", 0x1809}, {"en_ZA", 0x1C09}, {"en_JM", 0x2009}, {"en_BZ", 0x2809}, {"en_TT", 0x2C09},
    {"fr_FR", 0x040C}, {"fr_BE", 0x080C}, {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C}, {"fr_LU", 0x140C},
    {"fr_MC", 0x180C}, {"it_IT", 0x0410}, {"it_CH", 0x0810}, {"da_DK", 0x0406}, {"nl_NL", 0x0413},
    {"nl_BE", 0x0813}, {"pl_PL", 0x0415}, {"pt_BR", 0x0416}, {"pt_PT", 0x0816}, {"es_ES", 0x0C0A},
    {"es_MX", 0x080A}, {"ru_RU", 0x0419}, {"sv_SE", 0x041D}, {"sv_FI", 0x081D}, {"fi_FI", 0x040B},
    {"nb_NO", 0x0414}, {"nn_NO", 0x0814}, {"cs_CZ", 0x0405}, {"hu_HU", 0x040E}, {"el_GR", 0x0408},
    {"tr_TR", 0x041F}, {"ja_JP", 0x0411}, {"ko_KR", 0x0412}, {"zh_TW", 0x0404}, {"zh_CN", 0x0804},
    {"zh_HK", 0x0C04}, {"zh_SG", 0x1004},
};

// A language identifier with SUBLANG_DEFAULT: the language's main country.
constexpr uint16_t DefaultSublanguage = 0x0400;

// Splits "de_CH.UTF-8@euro" (or "de-CH") into "de" and "CH".
void SplitLocale(const std::string& name, std::string& language, std::string& country) {
  const std::string base = name.substr(0, name.find_first_of(".@"));
  const auto separator = base.find_first_of("_-");
  language.clear();
  country.clear();
  for (char c : base.substr(0, separator)) language += AsciiLower(c);
  if (separator == std::string::npos) return;
  for (char c : base.substr(separator + 1)) country += AsciiUpper(c);
}

}  // namespace

std::string UserLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != 0) return value;
  }
  return {};
}

uint16_t LanguageIdForLocale(const std::string& localeName) {
  std::string language;
  std::string country;
  SplitLocale(localeName, language, country);
  const std::string full = language + "_" + country;
  for (const TLocale& locale : Locales) {
    if (locale.Name == full) return locale.LangId;
  }
  for (const TLanguage& known : Languages) {
    if (known.Code != language) continue;
    return country.empty() ? known.PrimaryId : DefaultSublanguage | known.PrimaryId;
  }
  return 0x0000;
}

uint16_t SystemDefaultLangID() { return LanguageIdForLocale(UserLocaleName()); }

bool IsFarEastLocale(const std::string& localeName) {
  std::string language;
  std::string country;
  SplitLocale(localeName, language, country);
  return language == "zh" || language == "ja" || language == "ko";
}

}  // namespace Platform
