// Which help Help > Contents opens, and the HTML help the build makes.
#include <cstdlib>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "app/helpfile.h"
#include "core/envguard.h"
#include "core/testutil.h"
#include "platform/filesystem.h"
#include "platform/system.h"
#include "settings/paths.h"

namespace {

TEST(HelpChoice, HtmlHelpWhenTheDesktopCannotOpenHelpChm) {
  struct {
    const char* Handler;  // default application for the registered type
    const char* Type;
    bool Chm, Html;  // which files exist
    const char* Opened;
  } cases[] = {
      {"xchm.desktop", "application/vnd.ms-htmlhelp", true, true, "/d/help.chm"},
      {"kchmviewer.desktop", "application/x-chm", true, true, "/d/help.chm"},
      {"", "", true, true, "/d/html/index.html"},
      {"", "", true, false, "/d/help.chm"},
      {"xchm.desktop", "application/vnd.ms-htmlhelp", false, true, "/d/html/index.html"},
      {"", "", false, false, "/d/help.chm"},
      {"xchm.desktop", "text/html", true, true, "/d/html/index.html"},
  };
  for (const auto& c : cases) {
    App::THelpFacts facts;
    facts.DefaultApplicationFor = [&](const std::string& type) {
      return type == c.Type ? std::string(c.Handler) : std::string();
    };
    facts.Exists = [&](const std::string& path) {
      return (c.Chm && path == "/d/help.chm") || (c.Html && path == "/d/html/index.html");
    };
    EXPECT_EQ(App::ChooseHelpFile("/d/", facts), c.Opened) << c.Handler << " " << c.Type;
  }
}

// The real query, on a desktop made of a temporary folder: nothing
// registered, then a viewer chosen in the user's mimeapps.list.
TEST(HelpChoice, AsksTheDesktopForItsChmViewer) {
  TestUtil::TTempDir desktop;
  TestUtil::TEnvGuard config("XDG_CONFIG_HOME", desktop.File("config")),
      data("XDG_DATA_HOME", desktop.File("data")), dirs("XDG_DATA_DIRS", desktop.File("sys")),
      configDirs("XDG_CONFIG_DIRS", desktop.File("sysconfig")), session("XDG_CURRENT_DESKTOP", "");
  EXPECT_EQ(Platform::DefaultApplicationFor(App::ChmMimeTypes[0]), "");
  ASSERT_TRUE(Platform::MakeDirectories(desktop.File("config")));
  ASSERT_TRUE(Platform::MakeDirectories(desktop.File("data/applications")));
  TestUtil::WriteFileBytes(desktop.File("data/applications/fakechm.desktop"),
                           "[Desktop Entry]\nType=Application\nName=Fake\nExec=true %f\n"
                           "MimeType=application/vnd.ms-htmlhelp;\n");
  TestUtil::WriteFileBytes(desktop.File("config/mimeapps.list"),
                           "[Default Applications]\napplication/vnd.ms-htmlhelp=fakechm.desktop\n");
  EXPECT_EQ(Platform::DefaultApplicationFor(App::ChmMimeTypes[0]), "fakechm.desktop");
  EXPECT_EQ(Platform::DefaultApplicationFor("text/x-none"), "");
}

// The build folder holds the HTML help beside help.chm: every page that the
// help project compiles into help.chm.
TEST(HelpChoice, HtmlHelpHoldsThePagesOfHelpChm) {
  const std::string build = Settings::ExecutableDir() + "../";
  std::string project = TestUtil::ReadFileBytes(build + "help-sources/help.hhp");
  ASSERT_FALSE(project.empty());
  std::istringstream lines(project.substr(project.find("[FILES]")));
  int pages = 0;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '[') continue;
    EXPECT_TRUE(TestUtil::Exists(build + "html/" + line)) << line;
    ++pages;
  }
  EXPECT_GE(pages, 5);
}

}  // namespace
