#pragma once

#include <string>
#include <utility>
#include <vector>

// The one source of the main window's built-in texts for the tests.
namespace TestUtil {

// The default language file's keys and values in the order every start
// writes them ("~~" stands for a line break).
const std::vector<std::pair<std::string, std::string>>& DefaultLanguageTexts();
// Its keys without the form's name: "FilterLbl.Caption", ...
std::vector<std::string> DefaultLanguageKeys();

}  // namespace TestUtil
