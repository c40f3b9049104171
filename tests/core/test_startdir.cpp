// Which folder a command-line argument or a dropped URI opens.
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/startdir.h"
#include "core/testutil.h"

namespace {

using App::TPathKind;

// A made-up file system: /home/u and /home/u/photos are folders, the rest
// of its names are files.
TPathKind FakeKind(const std::string& path) {
  static const std::map<std::string, TPathKind> kinds = {
      {"/", TPathKind::Folder},
      {"/home/u", TPathKind::Folder},
      {"/home/u/photos", TPathKind::Folder},
      {"/home/u/photos/a.jpg", TPathKind::File},
      {"/home/u/caf\xe9", TPathKind::Folder},
      {"/home/u/50%", TPathKind::Folder},
      {"/home/u/photos/b c.jpg", TPathKind::File},
      {"/home/u/photos/.hidden", TPathKind::File},
      {"/home/u/x.txt", TPathKind::File},
      {"/vmlinuz", TPathKind::File},
  };
  const auto it = kinds.find(path);
  return it == kinds.end() ? TPathKind::Missing : it->second;
}

TEST(StartDir, PathGivesItsFolder) {
  struct TCase {
    const char* Path;
    const char* Folder;
  } cases[] = {
      {"/home/u/photos", "/home/u/photos"},
      {"/home/u/photos/", "/home/u/photos"},
      {"/home/u/photos//", "/home/u/photos"},
      {"/home/u/photos/a.jpg", "/home/u/photos"},  // a file: its folder
      {"/vmlinuz", "/"},
      {"/", "/"},
      {"//", "/"},
      {"photos", "/home/u/photos"},  // relative: from the working folder
      {"./photos", "/home/u/photos"},
      {"././/photos/a.jpg", "/home/u/photos"},
      {".", "/home/u"},
      {"./", "/home/u"},
      {"/home/u/caf\xe9", "/home/u/caf\xe9"},  // bytes kept, not valid UTF-8
      {"/home/u/nothing", ""},                 // names nothing: no folder
      {"nothing/a.jpg", ""},
      {"", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Path);
    EXPECT_EQ(App::FolderForPath(c.Path, "/home/u", FakeKind), c.Folder);
  }
  EXPECT_EQ(App::FolderForPath("photos", "", FakeKind), "");  // no working folder known
  EXPECT_EQ(App::FolderForPath(std::string("/home/u\0x", 9), "/", FakeKind), "");
}

TEST(StartDir, LocalPathOfUriDecodesBytesAndRefusesOthers) {
  struct TCase {
    const char* Uri;
    std::string Path;
  } cases[] = {
      {"file:///home/u/photos", "/home/u/photos"},
      {"FILE:///home/u", "/home/u"},
      {"file://localhost/home/u", "/home/u"},
      {"file:/home/u", "/home/u"},
      {"file:///home/u/caf%E9", "/home/u/caf\xe9"},
      {"file:///home/u/a%20b%2fc", "/home/u/a b/c"},
      {"file:///home/u/50%", "/home/u/50%"},  // a lone "%" stays
      {"file:///home/u/5%zz", "/home/u/5%zz"},
      {"file:///home/u/x?query#part", "/home/u/x"},
      {"file:///home/u/a%00b", ""},  // a zero byte names no file
      {"file://otherhost/home/u", ""},
      {"http://example.org/home/u", ""},
      {"/home/u", ""},
      {"file://", ""},
      {"", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Uri);
    EXPECT_EQ(App::LocalPathOfUri(c.Uri), c.Path);
  }
}

TEST(StartDir, DropOpensTheFirstUriThatGivesAFolder) {
  const std::string cwd = "/home/u";
  EXPECT_EQ(App::FolderForDrop({"file:///home/u/photos"}, cwd, FakeKind), "/home/u/photos");
  EXPECT_EQ(App::FolderForDrop({"file:///home/u/photos/a.jpg"}, cwd, FakeKind), "/home/u/photos");
  EXPECT_EQ(App::FolderForDrop({"http://x/y", "file:///gone", "file:///home/u/caf%e9", "file:///"},
                               cwd, FakeKind),
            "/home/u/caf\xe9");
  EXPECT_EQ(App::FolderForDrop({"http://x/y", "file:///gone"}, cwd, FakeKind), "");
  EXPECT_EQ(App::FolderForDrop({}, cwd, FakeKind), "");
}

TEST(StartDir, CommandLineGivesTheFolderOrAWarning) {
  const struct {
    std::vector<std::string> Args;
    const char* Folder;
    const char* Warning;  // a part of it; "" for none
  } cases[] = {
      {{}, "", ""},
      {{"photos/a.jpg"}, "/home/u/photos", ""},
      {{"photos/a.jpg", "x.txt"}, "", "several folders"},
      {{"/gone"}, "", "/gone"},
      {{"--"}, "", ""},
      {{"--", "photos"}, "/home/u/photos", ""},
      {{"file:///home/u/caf%E9/"}, "/home/u/caf\xe9", ""},
      {{"/home/u", "/vmlinuz"}, "", "is a folder"},
  };
  for (const auto& c : cases) {
    const App::TStartFolder start = App::StartFolderFor(c.Args, "/home/u", FakeKind);
    EXPECT_EQ(start.Folder, c.Folder) << c.Folder;
    if (*c.Warning) EXPECT_NE(start.Warning.find(c.Warning), std::string::npos) << c.Warning;
    if (!*c.Warning) EXPECT_EQ(start.Warning, "") << c.Folder;
  }
}

// Files handed over together: their folder and names, or why they are refused.
TEST(StartDir, SelectionIsFilesOfOneFolder) {
  using App::TSelectionError;
  const struct {
    std::vector<std::string> Paths;
    const char* Folder;
    std::vector<std::string> Names;
    TSelectionError Error;
    const char* Culprit;
  } cases[] = {
      {{"photos/b c.jpg", "./photos//a.jpg", "/home/u/photos/./.hidden"},
       "/home/u/photos",
       {"b c.jpg", "a.jpg", ".hidden"},
       TSelectionError::None,
       ""},
      {{"photos/a.jpg", "/home/u/photos/a.jpg"}, "/home/u/photos", {"a.jpg"}, {}, ""},
      {{"/vmlinuz"}, "/", {"vmlinuz"}, {}, ""},
      {{"file:///home/u/photos/b%20c.jpg", "a.jpg"}, "", {}, TSelectionError::Missing, "a.jpg"},
      {{"file:///home/u/photos/b%20c.jpg", "photos/a.jpg"},
       "/home/u/photos",
       {"b c.jpg", "a.jpg"},
       {},
       ""},
      {{"file://host/home/u/x.txt"}, "", {}, TSelectionError::Missing, "file://host/home/u/x.txt"},
      {{"photos/a.jpg", "x.txt"}, "", {}, TSelectionError::SeveralFolders, "/home/u/photos"},
      {{"x.txt", "photos"}, "", {}, TSelectionError::Folder, "photos"},
      {{"x.txt", "gone.txt"}, "", {}, TSelectionError::Missing, "gone.txt"},
      {{"x.txt", ""}, "", {}, TSelectionError::Missing, ""},
      {{"photos/../x.txt", "x.txt"}, "", {}, TSelectionError::Missing, "photos/../x.txt"},
  };
  for (const auto& c : cases) {
    App::TSelection got = App::SelectionFor(c.Paths, "/home/u", FakeKind);
    SCOPED_TRACE(c.Paths.front());
    EXPECT_EQ(got.Error, c.Error);
    EXPECT_EQ(got.Culprit, c.Culprit);
    if (got.Error != TSelectionError::None) continue;
    EXPECT_EQ(got.Folder, c.Folder);
    EXPECT_EQ(got.Names, c.Names);
  }
  const App::TStartFolder start = App::StartFolderFor({"photos/a.jpg"}, "/home/u", FakeKind);
  EXPECT_EQ(start.Selection, std::vector<std::string>{"a.jpg"});
  const App::TStartFolder refused =
      App::StartFolderFor({"photos/a.jpg", "/vmlinuz"}, "/home/u", FakeKind);
  EXPECT_NE(refused.Warning.find("several folders ('/home/u/photos' and '/')"), std::string::npos);
  EXPECT_EQ(refused.Refused.Error, TSelectionError::SeveralFolders);
  EXPECT_TRUE(refused.Selection.empty());
}

// The real query, on a folder of its own.
TEST(StartDir, RealFileSystemTellsFoldersFilesAndNothing) {
  TestUtil::TTempDir dir;
  TestUtil::WriteFileBytes(dir.File("f.txt"), "x");
  ASSERT_EQ(::mkdir(dir.File("sub\xff").c_str(), 0755), 0);
  ASSERT_EQ(::symlink(dir.File("sub\xff").c_str(), dir.File("link").c_str()), 0);
  EXPECT_EQ(App::PathKindOf(dir.Path()), TPathKind::Folder);
  EXPECT_EQ(App::PathKindOf(dir.File("link")), TPathKind::Folder);
  EXPECT_EQ(App::PathKindOf(dir.File("f.txt")), TPathKind::File);
  EXPECT_EQ(App::PathKindOf(dir.File("none")), TPathKind::Missing);
  EXPECT_EQ(App::FolderForPath(dir.File("sub\xff/"), "/", App::PathKindOf), dir.File("sub\xff"));
  EXPECT_EQ(App::FolderForPath(dir.File("f.txt"), "/", App::PathKindOf), dir.Path());
}

}  // namespace
