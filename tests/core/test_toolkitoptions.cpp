#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/toolkitoptions.h"

namespace {

using TArgs = std::vector<std::string>;

// Files by path (size; -1 for a FIFO or device) and the platform plugins,
// "extra" only when -platformpluginpath names /plugins.
App::TToolkitQueries FakeSystem() {
  static const std::map<std::string, int64_t> files = {{"ok.qss", 100},
                                                       {"fifo", -1},
                                                       {"big.qss", App::MaxStyleSheetSize + 1},
                                                       {"icon.png", 2 << 20}};
  App::TToolkitQueries queries;
  queries.RegularFileSize = [](const std::string& path) {
    const auto found = files.find(path);
    return found == files.end() ? int64_t{-1} : found->second;
  };
  queries.PlatformNames = [](const std::string& pluginPath) {
    std::vector<std::string> names = {"xcb", "offscreen", "wayland"};
    if (pluginPath == "/plugins") names.emplace_back("extra");
    return names;
  };
  return queries;
}

TEST(ToolkitOptions, RefusesWhatWouldHangOrAbortTheStart) {
  const struct {
    TArgs Args;
    std::string Problems;
  } cases[] = {
      {{}, ""},
      {{"-stylesheet", "ok.qss", "--qwindowicon", "icon.png", "-platform", "offscreen"}, ""},
      {{"-platform", "XCB:dpi=96", "dir"}, ""},
      {{"-platformpluginpath", "/plugins", "-platform", "extra"}, ""},
      {{"-stylesheet", "fifo"}, "morvane: cannot use -stylesheet 'fifo': not a regular file\n"},
      {{"-stylesheet=/dev/zero"},
       "morvane: cannot use -stylesheet '/dev/zero': not a regular file\n"},
      {{"--stylesheet", "big.qss"},
       "morvane: cannot use -stylesheet 'big.qss': larger than 1 MiB\n"},
      {{"-qwindowicon", "missing"},
       "morvane: cannot use -qwindowicon 'missing': not a regular file\n"},
      {{"-platform", "extra"},
       "morvane: no platform plugin named 'extra' (available: offscreen, wayland, xcb)\n"},
      {{"--platform", "x", "-stylesheet", "fifo"},
       "morvane: cannot use -stylesheet 'fifo': not a regular file\n"
       "morvane: no platform plugin named 'x' (available: offscreen, wayland, xcb)\n"},
      // A value is never read as an option, and a folder named like one is left alone.
      {{"-qwindowtitle", "-stylesheet", "-platform"}, ""},
      {{"dir", "-stylesheet"}, ""},
  };
  for (const auto& c : cases) {
    std::string joined;
    for (const std::string& arg : c.Args) joined += arg + " ";
    EXPECT_EQ(App::CheckToolkitOptions(c.Args, FakeSystem()), c.Problems) << joined;
  }
}

}  // namespace
