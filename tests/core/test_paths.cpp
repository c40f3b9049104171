#include <string>

#include <gtest/gtest.h>

#include "core/envguard.h"
#include "core/testutil.h"
#include "platform/filesystem.h"
#include "platform/system.h"
#include "settings/paths.h"

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
    EXPECT_EQ(Settings::SettingsPathFor(c.Exe), c.Settings) << c.Exe;
    EXPECT_EQ(Settings::FolderOf(c.Exe), c.Folder) << c.Exe;
  }
}

TEST(Paths, InstalledCopyKeepsItsFilesInConfigHome) {
  struct {
    const char* Exe;
    bool Installed;
    const char* ConfigHome;
    const char* Dir;
    const char* Settings;
  } cases[] = {
      {"/home/u/build/morvane", false, "/home/u/.config", "/home/u/build/",
       "/home/u/build/morvane.ini"},
      {"/usr/bin/morvane", true, "/home/u/.config", "/home/u/.config/morvane/",
       "/home/u/.config/morvane/morvane.ini"},
      {"/usr/bin/morvane.bin", true, "/cfg/", "/cfg/morvane/", "/cfg/morvane/morvane.ini"},
      // Without a configuration folder an installed copy still stays out of bin/.
      {"/usr/bin/morvane", true, "", "", "morvane.ini"},
      {"/opt/unpacked/bin/morvane", false, "/cfg", "/opt/unpacked/bin/",
       "/opt/unpacked/bin/morvane.ini"},
      {"", true, "/cfg", "/cfg/morvane/", "/cfg/morvane/morvane.ini"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Settings::AppDataDirFor(c.Exe, c.Installed, c.ConfigHome), c.Dir) << c.Exe;
    EXPECT_EQ(Settings::SettingsFilePathFor(c.Exe, c.Installed, c.ConfigHome), c.Settings) << c.Exe;
  }
}

TEST(Paths, DataOfAnInstalledCopyLivesUnderShare) {
  struct {
    const char* Exe;
    const char* Shared;  // SharedDataDirFor
    bool Installed;
    const char* Data;
    const char* Languages;
  } cases[] = {
      {"/usr/bin/morvane", "/usr/share/morvane/", true, "/usr/share/morvane/",
       "/usr/share/morvane/lang/"},
      {"/tmp/p/bin/morvane", "/tmp/p/share/morvane/", true, "/tmp/p/share/morvane/",
       "/tmp/p/share/morvane/lang/"},
      {"/bin/morvane", "/share/morvane/", false, "/bin/", "/bin/"},
      {"/home/u/build/morvane", "", false, "/home/u/build/", "/home/u/build/"},
      {"/home/u/robin/morvane", "", false, "/home/u/robin/", "/home/u/robin/"},
      {"morvane", "", false, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Settings::SharedDataDirFor(c.Exe), c.Shared) << c.Exe;
    EXPECT_EQ(Settings::DataDirFor(c.Exe, c.Installed), c.Data) << c.Exe;
    EXPECT_EQ(Settings::ShippedLanguageDirFor(c.Exe, c.Installed), c.Languages) << c.Exe;
  }
}

// The shipped language files appear in the user's folder as links; the
// user's own files and the default file are never replaced.
TEST(Paths, ShippedLanguagesAreLinkedBesideTheUsersFiles) {
  TestUtil::TTempDir shipped, config;
  for (const char* name : {"German.lng", "French.lng", "Language.lng", "notes.txt"})
    TestUtil::WriteFileBytes(shipped.File(name), std::string("shipped ") + name);
  Platform::MakeDirectories(shipped.File("Sub.lng"));
  TestUtil::WriteFileBytes(config.File("French.lng"), "mine");
  TestUtil::WriteFileBytes(config.File("Language.lng"), "default");
  EXPECT_EQ(Settings::LinkShippedLanguages(shipped.Path() + "/", config.Path() + "/"), 1);
  EXPECT_EQ(TestUtil::ListNames(config.Path()),
            (std::vector<std::string>{"French.lng", "German.lng", "Language.lng"}));
  EXPECT_EQ(TestUtil::ReadFileBytes(config.File("German.lng")), "shipped German.lng");
  EXPECT_EQ(TestUtil::ReadFileBytes(config.File("French.lng")), "mine");
  EXPECT_EQ(TestUtil::ReadFileBytes(config.File("Language.lng")), "default");
  // A second start adds nothing, and a missing shipped folder links nothing.
  EXPECT_EQ(Settings::LinkShippedLanguages(shipped.Path() + "/", config.Path() + "/"), 0);
  EXPECT_EQ(Settings::LinkShippedLanguages(shipped.File("none/"), config.Path() + "/"), 0);
}

TEST(Paths, ConfigHome) {
  TestUtil::TEnvGuard xdg("XDG_CONFIG_HOME"), home("HOME");
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
    xdg.Set(c.Xdg);
    home.Set(c.Home);
    EXPECT_EQ(Platform::ConfigHome(), c.Expected) << (c.Xdg ? c.Xdg : "(unset)") << " " << c.Home;
  }
}

TEST(Paths, RealExecutable) {
  std::string exe = Platform::ExecutablePath();
  ASSERT_FALSE(exe.empty());
  EXPECT_EQ(exe.substr(exe.rfind('/') + 1), "test_paths");
  EXPECT_EQ(Settings::ExecutableDir(), Settings::FolderOf(exe));
  // A build folder is no installation, so the program stays portable there.
  EXPECT_FALSE(Settings::IsInstalledCopy());
  EXPECT_EQ(Settings::AppDataDir(), Settings::ExecutableDir());
  EXPECT_EQ(Settings::DataDir(), Settings::ExecutableDir());
  EXPECT_EQ(Settings::SettingsFilePath(), Settings::ExecutableDir() + "test_paths.ini");
  EXPECT_FALSE(TestUtil::Exists(Settings::SettingsFilePath()));
}

}  // namespace
