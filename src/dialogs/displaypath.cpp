#include "dialogs/displaypath.h"

namespace Dialogs {

std::string MakeDisplayPath(const std::string& path, int) { return path; }

const TLocaleTexts& DefaultLabelCaptions() {
  static const TLocaleTexts rows{{"Default", "Current folder:"}};
  return rows;
}

std::string LocaleText(const TLocaleTexts& rows, const std::string&) {
  return rows.empty() ? std::string() : rows.front().second;
}

std::string LangCodeText(uint16_t) { return "0000"; }

}  // namespace Dialogs
