#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "app/paths.h"
#include "core/testutil.h"
#include "platform/filesystem.h"
#include "platform/system.h"

namespace {

TEST(Paths, SettingsPathAndFolder) {
  struct {
    const char* Exe;
    const char* Settings;
    const char* Folder;
  } cases[] = {
      {"/opt/morvane/morvane", "/opt/morvane/morvane.ini", "/opt/morvane/"},
      {"/opt/morvane/morvane.exe", "/opt/morvane/morvane.ini", "/opt/morvane/"},
      {"/opt/my.apps/morvane", "/opt/my.apps/morvane.ini", "/opt/my.apps/"},
      {"/home/u/a.b.c", "/home/u/a.b.ini", "/home/u/"},
      {"/home/u/back\\slash.d/x", "/home/u/back\\slash.d/x.ini", "/home/u/back\\slash.d/"},
      {"/home/u/c:x.y", "/home/u/c:x.ini", "/home/u/"},
      {"/morvane", "/morvane.ini", "/"},
      {"morvane", "morvane.ini", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(App::SettingsPathFor(c.Exe), c.Settings) << c.Exe;
    EXPECT_EQ(App::FolderOf(c.Exe), c.Folder) << c.Exe;
  }
}

TEST(Paths, DataFolderFallsBackToConfigHome) {
  struct {
    const char* Exe;
    bool Writable;
    const char* ConfigHome;
    const char* Dir;
    const char* Settings;
  } cases[] = {
      {"/home/u/build/morvane", true, "/home/u/.config", "/home/u/build/",
       "/home/u/build/morvane.ini"},
      {"/usr/bin/morvane", false, "/home/u/.config", "/home/u/.config/morvane/",
       "/home/u/.config/morvane/morvane.ini"},
      {"/usr/bin/morvane.bin", false, "/cfg/", "/cfg/morvane/", "/cfg/morvane/morvane.ini"},
      {"/usr/bin/morvane", false, "", "/usr/bin/", "/usr/bin/morvane.ini"},
      {"", false, "/cfg", "/cfg/morvane/", "/cfg/morvane/morvane.ini"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(App::AppDataDirFor(c.Exe, c.Writable, c.ConfigHome), c.Dir) << c.Exe;
    EXPECT_EQ(App::SettingsFilePathFor(c.Exe, c.Writable, c.ConfigHome), c.Settings) << c.Exe;
  }
}

// Restores one environment variable at the end of a test.
class TEnvGuard {
 public:
  explicit TEnvGuard(const char* name) : FName(name) {
    const char* v = std::getenv(name);
    FHad = v != nullptr;
    if (v) FValue = v;
  }
  ~TEnvGuard() {
    if (FHad)
      ::setenv(FName, FValue.c_str(), 1);
    else
      ::unsetenv(FName);
  }

 private:
  const char* FName;
  bool FHad = false;
  std::string FValue;
};

TEST(Paths, ConfigHome) {
  TEnvGuard xdg("XDG_CONFIG_HOME"), home("HOME");
  struct {
    const char* Xdg;  // nullptr: unset
    const char* Home;
    const char* Expected;
  } cases[] = {
      {"/x/cfg", "/home/u", "/x/cfg"},
      {"/x/cfg//", "/home/u", "/x/cfg"},
      {nullptr, "/home/u", "/home/u/.config"},
      {"", "/home/u/", "/home/u/.config"},
      {"relative", "/home/u", "/home/u/.config"},
      {nullptr, "/", "/.config"},
  };
  for (const auto& c : cases) {
    if (c.Xdg)
      ::setenv("XDG_CONFIG_HOME", c.Xdg, 1);
    else
      ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", c.Home, 1);
    EXPECT_EQ(Platform::ConfigHome(), c.Expected) << (c.Xdg ? c.Xdg : "(unset)") << " " << c.Home;
  }
}

TEST(Paths, RealExecutable) {
  std::string exe = Platform::ExecutablePath();
  ASSERT_FALSE(exe.empty());
  EXPECT_EQ(exe.substr(exe.rfind('/') + 1), "test_paths");
  EXPECT_EQ(App::ExecutableDir(), App::FolderOf(exe));
  // The build folder is writable, so the program stays portable there.
  ASSERT_TRUE(Platform::IsWritableDirectory(App::ExecutableDir()));
  EXPECT_EQ(App::AppDataDir(), App::ExecutableDir());
  EXPECT_EQ(App::SettingsFilePath(), App::ExecutableDir() + "test_paths.ini");
  EXPECT_FALSE(TestUtil::Exists(App::SettingsFilePath()));
}

}  // namespace
