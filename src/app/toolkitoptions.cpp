#include "app/toolkitoptions.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "platform/casemap.h"

namespace App {

namespace {

// The options with a value that the check looks at.
struct TToolkitValues {
  std::vector<std::pair<std::string, std::string>> Files;  // option, path
  std::vector<std::string> Platforms;
  std::string PluginPath;
};

// The other options of the toolkit that take the next argument as value.
bool TakesValue(std::string_view name) {
  static const std::string_view names[] = {"-qwindowtitle",  "-qwindowgeometry", "-geometry",
                                           "-style",         "-session",         "-display",
                                           "-platformtheme", "-plugin"};
  return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

// The toolkit takes "--name" as "-name".
std::string_view OptionName(std::string_view arg) {
  if (arg.size() > 2 && arg.substr(0, 2) == "--") arg.remove_prefix(1);
  return arg;
}

TToolkitValues CollectValues(const std::vector<std::string>& args) {
  TToolkitValues values;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view name = OptionName(args[i]);
    if (name.substr(0, 12) == "-stylesheet=") {
      values.Files.emplace_back("-stylesheet", std::string(name.substr(12)));
      continue;
    }
    if (i + 1 >= args.size()) break;
    const std::string& value = args[i + 1];
    if (name == "-stylesheet" || name == "-qwindowicon") {
      values.Files.emplace_back(std::string(name), value);
    } else if (name == "-platform") {
      values.Platforms.push_back(value.substr(0, value.find(':')));
    } else if (name == "-platformpluginpath") {
      values.PluginPath = value;
    } else if (!TakesValue(name)) {
      continue;
    }
    ++i;
  }
  return values;
}

std::string FileProblem(const std::string& option, const std::string& path,
                        const TToolkitQueries& queries) {
  const int64_t size = queries.RegularFileSize(path);
  const int64_t limit = option == "-stylesheet" ? MaxStyleSheetSize : MaxWindowIconSize;
  std::string why;
  if (size < 0) {
    why = "not a regular file";
  } else if (size > limit) {
    why = "larger than " + std::to_string(limit >> 20) + " MiB";
  } else {
    return {};
  }
  return "morvane: cannot use " + option + " '" + path + "': " + why + "\n";
}

std::string PlatformProblem(const std::string& name, const std::vector<std::string>& known) {
  const auto same = [&name](const std::string& key) {
    return Platform::LowerCase(key) == Platform::LowerCase(name);
  };
  if (std::any_of(known.begin(), known.end(), same)) return {};
  std::string list;
  for (const std::string& key : known) list += (list.empty() ? "" : ", ") + key;
  return "morvane: no platform plugin named '" + name +
         "' (available: " + (list.empty() ? "none found" : list) + ")\n";
}

}  // namespace

std::string CheckToolkitOptions(const std::vector<std::string>& args,
                                const TToolkitQueries& queries) {
  const TToolkitValues values = CollectValues(args);
  std::string problems;
  for (const auto& [option, path] : values.Files) problems += FileProblem(option, path, queries);
  if (values.Platforms.empty()) return problems;
  std::vector<std::string> known = queries.PlatformNames(values.PluginPath);
  std::sort(known.begin(), known.end());
  known.erase(std::unique(known.begin(), known.end()), known.end());
  for (const std::string& name : values.Platforms) problems += PlatformProblem(name, known);
  return problems;
}

}  // namespace App
