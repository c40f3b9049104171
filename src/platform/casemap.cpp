#include "platform/casemap.h"

#include <algorithm>
#include <cstdint>

#include <unicode/uchar.h>

namespace Platform {

namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

std::size_t EncodedLength(char32_t cp) {
  if (cp < 0x80) return 1;
  if (cp < 0x800) return 2;
  if (cp < 0x10000) return 3;
  return 4;
}

// Writes cp, whose encoded length is known to be len, at out.
void EncodeUtf8(char32_t cp, std::size_t len, char* out) {
  if (len == 2) {
    out[0] = static_cast<char>(0xC0 | (cp >> 6));
    out[1] = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (len == 3) {
    out[0] = static_cast<char>(0xE0 | (cp >> 12));
    out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out[0] = static_cast<char>(0xF0 | (cp >> 18));
    out[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Maps the characters of text one by one with map (a simple case mapping of
// code points), keeping a character where its mapping has another encoded
// length; ASCII letters go through first..last and asciiDelta without a call.
std::string ConvertCase(std::string_view text, UChar32 (*map)(UChar32), char first, char last,
                        int asciiDelta) {
  std::string result(text);
  std::size_t pos = 0;
  while (pos < result.size()) {
    const char c = result[pos];
    if (static_cast<unsigned char>(c) < 0x80) {
      if (c >= first && c <= last) result[pos] = static_cast<char>(c + asciiDelta);
      ++pos;
      continue;
    }
    char32_t cp = 0;
    const std::size_t len = DecodeUtf8(result, pos, cp);
    if (len == 0) {
      ++pos;  // not UTF-8: the byte stays
      continue;
    }
    const auto mapped = static_cast<char32_t>(map(static_cast<UChar32>(cp)));
    if (mapped != cp && EncodedLength(mapped) == len) EncodeUtf8(mapped, len, &result[pos]);
    pos += len;
  }
  return result;
}

}  // namespace

std::size_t DecodeUtf8(std::string_view text, std::size_t pos, char32_t& cp) {
  auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
  const std::size_t left = text.size() - pos;
  const unsigned char b0 = at(0);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    if (left < 2 || !IsContinuation(at(1))) return 0;
    cp = (char32_t(b0 & 0x1F) << 6) | (at(1) & 0x3F);
    return 2;
  }
  if (b0 >= 0xE0 && b0 <= 0xEF) {
    if (left < 3 || !IsContinuation(at(1)) || !IsContinuation(at(2))) return 0;
    if ((b0 == 0xE0 && at(1) < 0xA0) || (b0 == 0xED && at(1) > 0x9F)) return 0;
    cp = (char32_t(b0 & 0x0F) << 12) | (char32_t(at(1) & 0x3F) << 6) | (at(2) & 0x3F);
    return 3;
  }
  if (b0 >= 0xF0 && b0 <= 0xF4) {
    if (left < 4 || !IsContinuation(at(1)) || !IsContinuation(at(2)) || !IsContinuation(at(3)))
      return 0;
    if ((b0 == 0xF0 && at(1) < 0x90) || (b0 == 0xF4 && at(1) > 0x8F)) return 0;
    cp = (char32_t(b0 & 0x07) << 18) | (char32_t(at(1) & 0x3F) << 12) |
         (char32_t(at(2) & 0x3F) << 6) | (at(3) & 0x3F);
    return 4;
  }
  return 0;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string AsciiLowerCase(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = AsciiLower(c);
  return lowered;
}

std::string UpperCase(std::string_view text) {
  return ConvertCase(text, u_toupper, 'a', 'z', 'A' - 'a');
}

std::string LowerCase(std::string_view text) {
  return ConvertCase(text, u_tolower, 'A', 'Z', 'a' - 'A');
}

std::string FoldCase(std::string_view text) { return LowerCase(UpperCase(text)); }

}  // namespace Platform
