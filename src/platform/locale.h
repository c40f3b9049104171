#pragma once

#include <cstdint>
#include <string>

// The user's language, derived from LC_ALL, LC_MESSAGES and LANG (the first
// one set and not empty).
namespace Platform {

// The locale name in force, such as "de_CH.UTF-8"; empty when none is set.
std::string UserLocaleName();

// A Windows language identifier for a locale name: "de_CH" gives 0x0807,
// "pl_PL" 0x0415. A language that the program does not know gives 0x0000.
uint16_t LanguageIdForLocale(const std::string& localeName);

// LanguageIdForLocale of the user's locale.
uint16_t SystemDefaultLangID();

// True for a Chinese, Japanese or Korean locale.
bool IsFarEastLocale(const std::string& localeName);

}  // namespace Platform
