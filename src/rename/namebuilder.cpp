#include "rename/namebuilder.h"

#include <string_view>

#include "platform/casemap.h"
#include "platform/pathname.h"

namespace Rename {

namespace {

constexpr int Yes = 0;
constexpr int OriginalName = 0;
constexpr int Numbering = 1;
constexpr int CleverNumbering = 2;
constexpr int UpperCaseIndex = 1;
constexpr int LowerCaseIndex = 2;
constexpr std::size_t CleverWidth = 5;

// The file-name part (after the last "/") without its extension.
std::string_view BaseName(std::string_view name) {
  return Platform::PathName(Platform::ExtractNameWithoutExt(name));
}

void AppendNamePart(std::string& name, int namePart, std::string_view oldName, int64_t number) {
  if (namePart == OriginalName) {
    name += BaseName(oldName);
    return;
  }
  if (namePart != Numbering && namePart != CleverNumbering) return;
  const std::string digits = std::to_string(number);
  if (namePart == CleverNumbering && digits.size() < CleverWidth)
    name.append(CleverWidth - digits.size(), '0');
  name += digits;
}

void AppendExtension(std::string& name, const TNameOptions& options, std::string_view oldName) {
  if (options.Extension != Yes) {
    name += Platform::ExtractExt(oldName);
    return;
  }
  const std::string& ext = options.ExtensionText;
  if (!ext.empty() && ext.front() != '.') name += '.';
  name += ext;
}

}  // namespace

std::string SetNewName(const TNameOptions& options, const std::string& oldName, int64_t number) {
  std::string name;
  name.reserve(oldName.size() + options.PrefixText.size() + options.SuffixText.size() +
               options.ExtensionText.size() + 24);
  if (options.Prefix == Yes) name += options.PrefixText;
  AppendNamePart(name, options.NamePart, oldName, number);
  if (options.Suffix == Yes) name += options.SuffixText;
  AppendExtension(name, options, oldName);
  if (options.NameCase == UpperCaseIndex) return Platform::UpperCase(name);
  if (options.NameCase == LowerCaseIndex) return Platform::LowerCase(name);
  return name;
}

}  // namespace Rename
