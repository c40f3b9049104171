#include "rename/namebuilder.h"

#include <string_view>

#include "platform/casemap.h"
#include "platform/pathname.h"

namespace Rename {

namespace {

constexpr std::size_t CleverWidth = 5;

// The file-name part (after the last "/") without its extension.
std::string_view BaseName(std::string_view name) {
  return Platform::PathName(Platform::ExtractNameWithoutExt(name));
}

void AppendNamePart(std::string& name, TNamePart namePart, std::string_view oldName,
                    int64_t number) {
  if (namePart == TNamePart::Original) {
    name += BaseName(oldName);
    return;
  }
  if (namePart != TNamePart::Number && namePart != TNamePart::PaddedNumber) return;
  const std::string digits = std::to_string(number);
  if (namePart == TNamePart::PaddedNumber && digits.size() < CleverWidth)
    name.append(CleverWidth - digits.size(), '0');
  name += digits;
}

void AppendExtension(std::string& name, const TNameOptions& options, std::string_view oldName) {
  if (!options.Extension) {
    name += Platform::ExtractExt(oldName);
    return;
  }
  const std::string& ext = options.ExtensionText;
  if (!ext.empty() && ext.front() != '.') name += '.';
  name += ext;
}

}  // namespace

std::string SetNewName(const TNameOptions& options, const std::string& oldName, int64_t number) {
  // Built in a buffer kept across calls and returned as an exact copy: a
  // million names then hold no slack, and short ones no heap block at all.
  thread_local std::string name;
  name.clear();
  if (options.Prefix) name += options.PrefixText;
  AppendNamePart(name, options.NamePart, oldName, number);
  if (options.Suffix) name += options.SuffixText;
  AppendExtension(name, options, oldName);
  if (options.NameCase == TNameCase::Upper) return Platform::UpperCase(name);
  if (options.NameCase == TNameCase::Lower) return Platform::LowerCase(name);
  return name;
}

}  // namespace Rename
