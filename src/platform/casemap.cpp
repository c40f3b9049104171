#include "platform/casemap.h"

#include <algorithm>
#include <cstdint>
#include <span>

namespace Platform {

namespace {

// Which code points of a range a rule maps: all of them, or only those of one
// parity (the alternating upper/lower pairs of the Latin and Cyrillic blocks).
enum class TParity : uint8_t { All, Even, Odd };

struct TCaseRule {
  char32_t Low;
  char32_t High;
  int32_t Delta;
  TParity Parity;
};

constexpr TParity All = TParity::All;
constexpr TParity Even = TParity::Even;
constexpr TParity Odd = TParity::Odd;

// Upper-case letter ranges and the distance to their lower-case forms, sorted.
constexpr TCaseRule LowerRules[] = {
    {0x41, 0x5A, 32, All},     {0xC0, 0xD6, 32, All},     {0xD8, 0xDE, 32, All},
    {0x100, 0x12F, 1, Even},   {0x132, 0x137, 1, Even},   {0x139, 0x148, 1, Odd},
    {0x14A, 0x177, 1, Even},   {0x178, 0x178, -121, All}, {0x179, 0x17E, 1, Odd},
    {0x1CD, 0x1DC, 1, Odd},    {0x1DE, 0x1EF, 1, Even},   {0x1F8, 0x21F, 1, Even},
    {0x222, 0x233, 1, Even},   {0x246, 0x24F, 1, Even},   {0x370, 0x373, 1, Even},
    {0x376, 0x376, 1, All},    {0x37F, 0x37F, 116, All},  {0x386, 0x386, 38, All},
    {0x388, 0x38A, 37, All},   {0x38C, 0x38C, 64, All},   {0x38E, 0x38F, 63, All},
    {0x391, 0x3A1, 32, All},   {0x3A3, 0x3AB, 32, All},   {0x3CF, 0x3CF, 8, All},
    {0x3D8, 0x3EF, 1, Even},   {0x3F4, 0x3F4, -60, All},  {0x3F7, 0x3F7, 1, All},
    {0x3F9, 0x3F9, -7, All},   {0x3FA, 0x3FA, 1, All},    {0x3FD, 0x3FF, -130, All},
    {0x400, 0x40F, 80, All},   {0x410, 0x42F, 32, All},   {0x460, 0x481, 1, Even},
    {0x48A, 0x4BF, 1, Even},   {0x4C0, 0x4C0, 15, All},   {0x4C1, 0x4CE, 1, Odd},
    {0x4D0, 0x52F, 1, Even},   {0x531, 0x556, 48, All},   {0x10A0, 0x10C5, 7264, All},
    {0x1E00, 0x1E95, 1, Even}, {0x1EA0, 0x1EFF, 1, Even}, {0x2C00, 0x2C2F, 48, All},
    {0x2C80, 0x2CE3, 1, Even}, {0xFF21, 0xFF3A, 32, All},
};

// Lower-case letter ranges and the distance to their upper-case forms, sorted.
constexpr TCaseRule UpperRules[] = {
    {0x61, 0x7A, -32, All},     {0xB5, 0xB5, 743, All},    {0xE0, 0xF6, -32, All},
    {0xF8, 0xFE, -32, All},     {0xFF, 0xFF, 121, All},    {0x101, 0x12F, -1, Odd},
    {0x133, 0x137, -1, Odd},    {0x13A, 0x148, -1, Even},  {0x14B, 0x177, -1, Odd},
    {0x17A, 0x17E, -1, Even},   {0x1CE, 0x1DC, -1, Even},  {0x1DF, 0x1EF, -1, Odd},
    {0x1F9, 0x21F, -1, Odd},    {0x223, 0x233, -1, Odd},   {0x247, 0x24F, -1, Odd},
    {0x371, 0x373, -1, Odd},    {0x377, 0x377, -1, All},   {0x37B, 0x37D, 130, All},
    {0x3AC, 0x3AC, -38, All},   {0x3AD, 0x3AF, -37, All},  {0x3B1, 0x3C1, -32, All},
    {0x3C2, 0x3C2, -31, All},   {0x3C3, 0x3CB, -32, All},  {0x3CC, 0x3CC, -64, All},
    {0x3CD, 0x3CE, -63, All},   {0x3D0, 0x3D0, -62, All},  {0x3D1, 0x3D1, -57, All},
    {0x3D5, 0x3D5, -47, All},   {0x3D6, 0x3D6, -54, All},  {0x3D7, 0x3D7, -8, All},
    {0x3D9, 0x3EF, -1, Odd},    {0x3F0, 0x3F0, -86, All},  {0x3F1, 0x3F1, -80, All},
    {0x3F2, 0x3F2, 7, All},     {0x3F3, 0x3F3, -116, All}, {0x3F5, 0x3F5, -96, All},
    {0x3F8, 0x3F8, -1, All},    {0x3FB, 0x3FB, -1, All},   {0x430, 0x44F, -32, All},
    {0x450, 0x45F, -80, All},   {0x461, 0x481, -1, Odd},   {0x48B, 0x4BF, -1, Odd},
    {0x4C2, 0x4CE, -1, Even},   {0x4CF, 0x4CF, -15, All},  {0x4D1, 0x52F, -1, Odd},
    {0x561, 0x586, -48, All},   {0x1E01, 0x1E95, -1, Odd}, {0x1EA1, 0x1EFF, -1, Odd},
    {0x2C30, 0x2C5F, -48, All}, {0x2C81, 0x2CE3, -1, Odd}, {0x2D00, 0x2D25, -7264, All},
    {0xFF41, 0xFF5A, -32, All},
};

char32_t MapCodePoint(std::span<const TCaseRule> rules, char32_t cp) {
  auto it = std::lower_bound(rules.begin(), rules.end(), cp,
                             [](const TCaseRule& rule, char32_t c) { return rule.High < c; });
  if (it == rules.end() || cp < it->Low) return cp;
  if (it->Parity == Even && (cp & 1) != 0) return cp;
  if (it->Parity == Odd && (cp & 1) == 0) return cp;
  return static_cast<char32_t>(static_cast<int32_t>(cp) + it->Delta);
}

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

std::string ConvertCase(std::string_view text, std::span<const TCaseRule> rules, char first,
                        char last, int asciiDelta) {
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
    const char32_t mapped = MapCodePoint(rules, cp);
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

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string UpperCase(std::string_view text) {
  return ConvertCase(text, UpperRules, 'a', 'z', 'A' - 'a');
}

std::string LowerCase(std::string_view text) {
  return ConvertCase(text, LowerRules, 'A', 'Z', 'a' - 'A');
}

}  // namespace Platform
