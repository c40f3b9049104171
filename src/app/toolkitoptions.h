#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The toolkit reads some of its own command-line options at start, before
// the program sees anything: a style sheet and a window icon from files, a
// platform plugin by name. A FIFO or a device there would hang the start,
// an unknown plugin name abort it; these are checked first.
namespace App {

// What the check asks of the system.
struct TToolkitQueries {
  // The size of the regular file at path; -1 for anything else or nothing.
  std::function<int64_t(const std::string& path)> RegularFileSize;
  // The names of the platform plugins that can be loaded, with the folder
  // of -platformpluginpath (empty when not given) searched as well.
  std::function<std::vector<std::string>(const std::string& pluginPath)> PlatformNames;
};

// The largest style sheet and window icon taken, in bytes.
constexpr int64_t MaxStyleSheetSize = 1 << 20;
constexpr int64_t MaxWindowIconSize = 8 << 20;

// Checks the toolkit options among args (the command line without the
// program name; "-name value", "--name value" and "-stylesheet=value" as the
// toolkit takes them). Returns one message line per refused option for the
// standard error stream; empty when every option is fine.
std::string CheckToolkitOptions(const std::vector<std::string>& args,
                                const TToolkitQueries& queries);

}  // namespace App
