#include "rename/presets.h"

#include <algorithm>
#include <exception>

#include "platform/filesystem.h"
#include "platform/system.h"
#include "settings/errors.h"
#include "settings/inifile.h"

namespace Rename {

namespace {

using FileList::TOrder;

constexpr char Section[] = "choices";

// Texts keep their blanks inside quotes: the store trims values and takes
// one pair of quotes off.
std::string Quoted(const std::string& text) {
  if (text.find_first_of("\r\n") != std::string::npos)
    throw Settings::EMorvaneError("A text with a line break cannot be kept in a preset");
  return "\"" + text + "\"";
}

// Enums are kept as their numbers; a number out of range reads as fallback.
template <typename T>
T ReadEnum(Settings::TIniFile& ini, const char* key, T fallback, int count) {
  const int32_t value = ini.ReadNumber(Section, key, static_cast<int32_t>(fallback));
  return value >= 0 && value < count ? static_cast<T>(value) : fallback;
}

int64_t ReadWhole(Settings::TIniFile& ini, const char* key, int64_t fallback) {
  const std::string text = ini.ReadText(Section, key, "");
  try {
    std::size_t used = 0;
    const long long value = std::stoll(text, &used);
    return used == text.size() ? value : fallback;
  } catch (const std::exception&) {
    return fallback;
  }
}

std::string PresetPath(const std::string& folder, const std::string& name) {
  return folder + "/" + name + ".ini";
}

void WriteNameOptions(Settings::TIniFile& ini, const TNameOptions& name) {
  ini.WriteFlag(Section, "prefix", name.Prefix);
  ini.WriteText(Section, "prefixtext", Quoted(name.PrefixText));
  ini.WriteNumber(Section, "namepart", static_cast<int32_t>(name.NamePart));
  ini.WriteFlag(Section, "suffix", name.Suffix);
  ini.WriteText(Section, "suffixtext", Quoted(name.SuffixText));
  ini.WriteFlag(Section, "extension", name.Extension);
  ini.WriteText(Section, "extensiontext", Quoted(name.ExtensionText));
  ini.WriteNumber(Section, "namecase", static_cast<int32_t>(name.NameCase));
}

void ReadNameOptions(Settings::TIniFile& ini, TNameOptions& name) {
  name.Prefix = ini.ReadFlag(Section, "prefix", name.Prefix);
  name.PrefixText = (ini.ReadText(Section, "prefixtext", ""));
  const int32_t part = ini.ReadNumber(Section, "namepart", static_cast<int32_t>(name.NamePart));
  if (part >= -1 && part <= 2) name.NamePart = static_cast<TNamePart>(part);
  name.Suffix = ini.ReadFlag(Section, "suffix", name.Suffix);
  name.SuffixText = (ini.ReadText(Section, "suffixtext", ""));
  name.Extension = ini.ReadFlag(Section, "extension", name.Extension);
  name.ExtensionText = (ini.ReadText(Section, "extensiontext", ""));
  name.NameCase = ReadEnum(ini, "namecase", name.NameCase, 3);
}

void WriteOtherOptions(Settings::TIniFile& ini, const TChoices& choices) {
  const TReplaceOptions& replace = choices.Preview.Replace;
  ini.WriteText(Section, "search", Quoted(replace.Search));
  ini.WriteText(Section, "replace", Quoted(replace.Replace));
  ini.WriteFlag(Section, "casesensitive", replace.CaseSensitive);
  ini.WriteFlag(Section, "regex", replace.Regex);
  ini.WriteFlag(Section, "all", replace.All);
  const TPatternOptions& pattern = choices.Preview.Pattern;
  ini.WriteText(Section, "template", Quoted(pattern.Template));
  ini.WriteText(Section, "start", std::to_string(pattern.Start));
  ini.WriteText(Section, "step", std::to_string(pattern.Step));
  ini.WriteNumber(Section, "width", pattern.Width);
  ini.WriteNumber(Section, "page", static_cast<int32_t>(choices.Preview.Page));
  ini.WriteNumber(Section, "order", static_cast<int32_t>(choices.Order));
  ini.WriteFlag(Section, "untangle", choices.Untangle);
}

void ReadOtherOptions(Settings::TIniFile& ini, TChoices& choices) {
  TReplaceOptions& replace = choices.Preview.Replace;
  replace.Search = (ini.ReadText(Section, "search", ""));
  replace.Replace = (ini.ReadText(Section, "replace", ""));
  replace.CaseSensitive = ini.ReadFlag(Section, "casesensitive", false);
  replace.Regex = ini.ReadFlag(Section, "regex", false);
  replace.All = ini.ReadFlag(Section, "all", false);
  TPatternOptions& pattern = choices.Preview.Pattern;
  pattern.Template = (ini.ReadText(Section, "template", ""));
  pattern.Start = ReadWhole(ini, "start", 1);
  pattern.Step = ReadWhole(ini, "step", 1);
  pattern.Width = std::clamp<int>(ini.ReadNumber(Section, "width", 0), 0, MaxNumberWidth);
  choices.Preview.Page = ReadEnum(ini, "page", TPage::Rename, 3);
  choices.Order = ReadEnum(ini, "order", TOrder::Name, 8);
  choices.Untangle = ini.ReadFlag(Section, "untangle", false);
}

}  // namespace

std::string PresetFolder() { return Platform::ConfigHome() + "/morvane/presets"; }

bool ValidPresetName(const std::string& name) {
  if (name.empty() || name.size() > 64 || name.front() == '.') return false;
  for (const char c : name) {
    if (c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return false;
  }
  return true;
}

void SavePreset(const std::string& folder, const std::string& name, const TChoices& choices) {
  if (!ValidPresetName(name)) throw Settings::EMorvaneError("Not a name for a preset: " + name);
  if (!Platform::MakeDirectories(folder)) throw Settings::EIniWriteError(PresetPath(folder, name));
  Settings::TIniFile ini(PresetPath(folder, name));
  WriteNameOptions(ini, choices.Preview.Name);
  WriteOtherOptions(ini, choices);
}

std::vector<std::string> ListPresets(const std::string& folder) {
  std::vector<Platform::TDirEntry> entries;
  std::vector<std::string> names;
  if (!Platform::FileSystem().ListDirectory(folder, entries)) return names;
  constexpr std::string_view Ending = ".ini";
  for (const Platform::TDirEntry& entry : entries) {
    if (!entry.Name.ends_with(Ending)) continue;
    const std::string name = entry.Name.substr(0, entry.Name.size() - Ending.size());
    if (ValidPresetName(name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool LoadPreset(const std::string& folder, const std::string& name, TChoices& choices) {
  if (!ValidPresetName(name) || !Platform::PathExists(PresetPath(folder, name))) return false;
  Settings::TIniFile ini(PresetPath(folder, name));
  ReadNameOptions(ini, choices.Preview.Name);
  ReadOtherOptions(ini, choices);
  return true;
}

}  // namespace Rename
