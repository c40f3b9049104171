#include "platform/casemap.h"

namespace Platform {

std::string UpperCase(std::string_view text) { return std::string(text); }

std::string LowerCase(std::string_view text) { return std::string(text); }

}  // namespace Platform
