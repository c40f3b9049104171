#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace Dialogs {

// A path shortened to at most maxLength characters: its first part ("/" or
// "//server/"), "...", and as many trailing folders as fit.
std::string MakeDisplayPath(const std::string& path, int maxLength);

// Rows of code=text, such as {"0407", "Ausgewählter Ordner:"}; code "Default"
// is the fallback.
using TLocaleTexts = std::vector<std::pair<std::string, std::string>>;

// The folder chooser's title texts by language code (UTF-8 texts).
const TLocaleTexts& DefaultLabelCaptions();

// The text for langCode (four hexadecimal digits, compared without case),
// else the Default row, else the first row; empty for an empty list.
std::string LocaleText(const TLocaleTexts& rows, const std::string& langCode);

// A language identifier as four upper-case hexadecimal digits: 0x807 -> "0807".
std::string LangCodeText(uint16_t langId);

}  // namespace Dialogs
