#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Letter-case conversion of whole texts, independent of the process locale.
// Each UTF-8 character maps to its simple upper or lower case (ICU's
// u_toupper and u_tolower) only where both have the same encoded length, so a
// text never changes length; bytes that are not valid UTF-8 stay as they are.
namespace Platform {

std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// The case-blind form of text for comparisons: LowerCase of UpperCase, so that
// every spelling of a letter that these mappings join (σ, ς and Σ; θ, Θ and
// ϴ) gives the same bytes. Same length as text.
std::string FoldCase(std::string_view text);

// One byte with only the ASCII letters mapped (a-z to A-Z, or back).
inline char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whole texts with only the ASCII letters ignoring case: the key names of
// settings and language files, component class properties, language codes.
// SameTextAscii(a, b) holds exactly when AsciiLowerCase(a) == AsciiLowerCase(b).
bool SameTextAscii(std::string_view a, std::string_view b);
std::string AsciiLowerCase(std::string_view text);

// Length in bytes of the well-formed UTF-8 character at text[pos] (1 for an
// ASCII byte), with its code point in cp; 0 when the bytes there are not UTF-8.
std::size_t DecodeUtf8(std::string_view text, std::size_t pos, char32_t& cp);

}  // namespace Platform
