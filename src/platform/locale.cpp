#include "platform/locale.h"

namespace Platform {

std::string UserLocaleName() { return {}; }
uint16_t LanguageIdForLocale(const std::string&) { return 0; }
uint16_t SystemDefaultLangID() { return 0; }
bool IsFarEastLocale(const std::string&) { return false; }

}  // namespace Platform
