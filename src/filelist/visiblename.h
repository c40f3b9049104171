#pragma once

#include <string>
#include <string_view>
#include <vector>

// What a person reads of a file name is the name on disk: characters that
// change the direction of the text around them or show nothing at all are
// written as visible markers, so that "invoice<U+202E>fdp.exe" cannot pass
// for "invoiceexe.pdf". Only the text shown changes; the name itself stays.
namespace FileList {

// Whether the character is a bidirectional control (U+061C, U+200E, U+200F,
// U+202A-202E, U+2066-2069) or one that shows nothing (zero-width space,
// joiners, word joiner and invisible operators U+2060-2064, U+206A-206F,
// soft hyphen, Mongolian vowel separator, byte order mark).
bool IsHiddenMark(char32_t cp);

// One piece of a name as shown: bytes of the name, or the marker of one
// hidden character ("<U+202E>").
struct TNamePart {
  std::string Text;
  bool Marker = false;
};

// The name cut into plain pieces and markers, in order; bytes that are not
// UTF-8 stay in the plain pieces as they are.
std::vector<TNamePart> VisibleParts(std::string_view name);

// The name as shown: each hidden character as its marker.
std::string VisibleName(std::string_view name);

}  // namespace FileList
