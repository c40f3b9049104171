#include <string_view>

#include <gtest/gtest.h>

#include "platform/pathname.h"

namespace {

// Folder and name split at the last "/"; the extension runs from the last "."
// of the name part. A backslash or a colon is an ordinary character.
TEST(PathName, FolderNameAndExtension) {
  struct TCase {
    std::string_view Path, Folder, Name, Ext, Rest;
  };
  const TCase cases[] = {
      {"archive.tar.gz", "", "archive.tar.gz", ".gz", "archive.tar"},
      {"README", "", "README", "", "README"},
      {".profile", "", ".profile", ".profile", ""},
      {"ends.", "", "ends.", ".", "ends"},
      {"", "", "", "", ""},
      {"a.b\\c", "", "a.b\\c", ".b\\c", "a"},
      {"a.b:c", "", "a.b:c", ".b:c", "a"},
      {"dir.d/file", "dir.d/", "file", "", "dir.d/file"},
      {"dir.d/file.txt", "dir.d/", "file.txt", ".txt", "dir.d/file"},
      {"bad\xff.\xfe", "", "bad\xff.\xfe", ".\xfe", "bad\xff"},
      {"/", "/", "", "", "/"},
      {"/morvane", "/", "morvane", "", "/morvane"},
      {"/home/u/.x", "/home/u/", ".x", ".x", "/home/u/"},
      {"/opt/my.apps/", "/opt/my.apps/", "", "", "/opt/my.apps/"},
      {"a//b.c", "a//", "b.c", ".c", "a//b"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(Platform::PathFolder(c.Path), c.Folder) << c.Path;
    EXPECT_EQ(Platform::PathName(c.Path), c.Name) << c.Path;
    EXPECT_EQ(Platform::ExtractExt(c.Path), c.Ext) << c.Path;
    EXPECT_EQ(Platform::ExtractNameWithoutExt(c.Path), c.Rest) << c.Path;
  }
}

}  // namespace
