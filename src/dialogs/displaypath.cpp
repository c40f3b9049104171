#include "dialogs/displaypath.h"

#include <algorithm>
#include <cstdio>

#include "platform/casemap.h"

namespace Dialogs {

namespace {

std::string Head(const std::string& text, int length) {
  return text.substr(0, static_cast<std::string::size_type>(std::max(length, 0)));
}

// Removes everything up to and including the first "/" of path.
void DropFirstPart(std::string& path) {
  const auto slash = path.find('/');
  path.erase(0, slash == std::string::npos ? path.size() : slash + 1);
}

}  // namespace

std::string MakeDisplayPath(const std::string& path, int maxLength) {
  const auto fits = [maxLength](std::size_t length) {
    return length <= static_cast<std::size_t>(maxLength);
  };
  if (maxLength < 6 || fits(path.size()) || path.find('/') == std::string::npos) {
    return Head(path, maxLength);
  }
  if (path.size() < 3 || std::count(path.begin() + 2, path.end(), '/') < 2) {
    return Head(path, maxLength);
  }
  std::string rest = path;
  std::string result;
  if (rest.compare(0, 2, "//") == 0) {  // a network path: "//server/..."
    result = "//";
    rest.erase(0, 2);
  }
  result += rest.substr(0, rest.find('/') + 1) + "...";
  do {
    DropFirstPart(rest);
  } while (!fits(result.size() + 1 + rest.size()) && rest.find('/') != std::string::npos);
  const std::string joined = result + "/" + rest;
  if (fits(joined.size())) return joined;
  return Head(joined, maxLength - 3) + "...";
}

const TLocaleTexts& DefaultLabelCaptions() {
  static const TLocaleTexts rows{
      {"Default", "Current folder:"},    {"0009", "Current folder:"},
      {"0406", "Valgt mappe:"},          {"0407", "Ausgewählter Ordner:"},
      {"0409", "Current folder:"},       {"040C", "Dossier Courant:"},
      {"0410", "Cartella selezionata:"}, {"0413", "Huidige map:"},
      {"0415", "Bieżący folder"},        {"0416", "Pasta Atual:"},
      {"0807", "Ausgewählter Ordner:"},  {"0809", "Current folder:"},
      {"080C", "Dossier Courant:"},      {"0810", "Cartella selezionata:"},
      {"0C07", "Ausgewählter Ordner:"},  {"0C09", "Current folder:"},
      {"0C0C", "Dossier Courant:"},      {"1007", "Ausgewählter Ordner:"},
      {"1009", "Current folder:"},       {"100C", "Dossier Courant:"},
      {"1407", "Ausgewählter Ordner:"},  {"1409", "Current folder:"},
      {"140C", "Dossier Courant:"},      {"1809", "Current folder:"},
      {"180C", "Dossier Courant:"},      {"1C09", "Current folder:"},
      {"2009", "Current folder:"},       {"2809", "Current folder:"},
      {"2C09", "Current folder:"},
  };
  return rows;
}

std::string LocaleText(const TLocaleTexts& rows, const std::string& langCode) {
  if (rows.empty()) return {};
  for (const auto& row : rows) {
    if (Platform::SameTextAscii(row.first, langCode)) return row.second;
  }
  for (const auto& row : rows) {
    if (Platform::SameTextAscii(row.first, "Default")) return row.second;
  }
  return rows.front().second;
}

std::string LangCodeText(uint16_t langId) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(langId));
  return text;
}

}  // namespace Dialogs
