#pragma once

#include <string>
#include <string_view>

// Letter-case conversion of whole texts, independent of the process locale.
// Each UTF-8 character maps to its simple upper or lower case only where both
// have the same encoded length, so a text never changes length; bytes that are
// not valid UTF-8 stay as they are.
namespace Platform {

std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

}  // namespace Platform
