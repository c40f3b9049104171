// Every failure the file system can give, injected at the platform seam: the
// rename run reports it with both paths, goes on or stops as the user answers,
// and touches no other file; the profile store reports a failed write and
// keeps the old file.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/scriptedui.h"
#include "core/testutil.h"
#include "filelist/scan.h"
#include "lang/formmodel.h"
#include "lang/tovlanguage.h"
#include "platform/filesystem.h"
#include "rename/renamerun.h"
#include "settings/inifile.h"

namespace {

using FileList::TFileItems;
using FileList::TMoveStatus;
using Rename::TFailAnswer;
using Rename::TRenameRequest;
using Rename::TRunOutcome;
using TestUtil::ListNames;
using TestUtil::ReadFileBytes;
using TestUtil::TTempDir;
using TestUtil::WriteFileBytes;
using TNames = std::vector<std::string>;

// The real file system, except for the failures a test plans: a rename from a
// chosen path fails with a chosen errno (a given number of times, or always),
// and so does every ReplaceFile.
class TFaultyFileSystem : public Platform::TFileSystem {
 public:
  struct TFault {
    int Error = 0;
    int Times = -1;  // failures left; -1 for always
  };
  std::map<std::string, TFault> RenameFaults;  // by source path
  int ReplaceError = 0;
  bool ReadFails = false;
  std::vector<std::pair<std::string, std::string>> Renames;  // every attempt

  int RenameIn(const Platform::TDirectory& dir, const std::string& fromName,
               const std::string& toName) override {
    const std::string from = FileList::PathIn(dir.Path(), fromName);
    const std::string to = FileList::PathIn(dir.Path(), toName);
    Renames.emplace_back(from, to);
    auto fault = RenameFaults.find(from);
    if (fault != RenameFaults.end() && fault->second.Times != 0) {
      if (fault->second.Times > 0) --fault->second.Times;
      return fault->second.Error;
    }
    return Platform::TFileSystem::RenameIn(dir, fromName, toName);
  }
  int ReplaceFile(const std::string& path, const std::string& data) override {
    return ReplaceError != 0 ? ReplaceError : Platform::TFileSystem::ReplaceFile(path, data);
  }
  bool ReadFile(const std::string& path, std::string& data) override {
    if (ReadFails) return false;
    return Platform::TFileSystem::ReadFile(path, data);
  }
};

// Puts the faulty file system in place for one test.
class TFileSystemScope {
 public:
  explicit TFileSystemScope(Platform::TFileSystem& fs) { Platform::SetFileSystem(&fs); }
  ~TFileSystemScope() { Platform::SetFileSystem(nullptr); }
  TFileSystemScope(const TFileSystemScope&) = delete;
  TFileSystemScope& operator=(const TFileSystemScope&) = delete;
};

const TNames Originals = {"a.txt", "b.txt", "c.txt", "d.txt"};

struct TRunFixture {
  TTempDir Dir;
  TFaultyFileSystem Fs;
  TestUtil::TScriptedUi Ui;
  TFileItems Items;
  TRenameRequest Request;

  TRunFixture() {
    // Each file holds its own name, so a lost, doubled or overwritten file shows.
    for (const std::string& name : Originals) WriteFileBytes(Dir.File(name), "data " + name);
    Items = FileList::ScanDirectory(Dir.Path(), {".*"},
                                    FileList::TOrder::Name);  // a b c d, numbered 1 to 4
    Request.Dir = Dir.Path();
    Request.WarnBeforeRename = false;
    Request.Texts = {"Really?", "Cannot rename %s to %s!", "Renaming files... "};
  }
  TRunOutcome Run(int error, std::vector<TFailAnswer> answers, int times = -1) {
    Fs.RenameFaults[Dir.File("b.txt")] = {error, times};
    Ui.Answers = std::move(answers);
    Ui.Fallback = TFailAnswer::Abort;  // running out of answers: asked once too often
    TFileSystemScope scope(Fs);
    return Rename::RunRename(Fs, Items, Request, Ui);
  }
  // The folder as name -> content.
  std::map<std::string, std::string> Contents() const { return TestUtil::ReadFolder(Dir.Path()); }
};

// The folder after a run: the i-th stem + ".txt" holds the data of the i-th original.
std::map<std::string, std::string> Holding(const std::string& stems) {
  std::map<std::string, std::string> folder;
  for (std::size_t i = 0; i < stems.size(); ++i)
    folder[stems[i] + std::string(".txt")] = "data " + Originals[i];
  return folder;
}

// A letter per row: Renamed, Failed or Pending.
std::string StatusLetters(const TFileItems& items) {
  std::string letters;
  for (const auto& item : items)
    letters += item.Status == TMoveStatus::Renamed  ? 'R'
               : item.Status == TMoveStatus::Failed ? 'F'
                                                    : 'P';
  return letters;
}

const int InjectedErrors[] = {ENOENT, EACCES, EEXIST, ENAMETOOLONG, EROFS, ENOSPC, EXDEV, EIO};

std::string ErrorName(const testing::TestParamInfo<int>& info) {
  return strerrorname_np(info.param);  // "ENOENT", ...
}

// A run whose move of b.txt fails, by the answers given to the failure boxes.
struct TFaultRow {
  const char* Name;
  const char* Answers;   // a letter per box: Ignore, Abort or Retry
  int Times;             // failures of b.txt's move; -1 for always
  bool ShowErrors;       // the request's; when off, d.txt's move fails as well
  std::size_t Boxes;     // failure boxes shown, each naming both paths
  std::size_t Attempts;  // moves tried
  bool Aborted, ShowErrorsAfter;
  const char* Statuses;  // see StatusLetters
  const char* Folder;    // see Holding
};

// Nothing is tried after an abort.
const TFaultRow FaultRows[] = {
    {"Ignore", "I", -1, true, 1, 4, false, false, "RFRR", "1b34"},
    {"Abort", "A", -1, true, 1, 2, true, true, "RFPP", "1bcd"},
    {"RetryAfterAPassingFailure", "R", 1, true, 1, 5, false, true, "RRRR", "1234"},
    {"RetryOfALastingFailure", "RRI", -1, true, 3, 6, false, false, "RFRR", "1b34"},
    {"SilentWhenErrorsAreNotShown", "", -1, false, 0, 4, false, false, "RFRF", "1b3d"}};

class RenameFault : public testing::TestWithParam<std::tuple<TFaultRow, int>> {};

TEST_P(RenameFault, ReportsGoesOnOrStopsAndTouchesNoOtherFile) {
  const auto& [row, error] = GetParam();
  TRunFixture run;
  run.Request.ShowErrors = row.ShowErrors;
  if (!row.ShowErrors) run.Fs.RenameFaults[run.Dir.File("d.txt")] = {error, -1};
  std::vector<TFailAnswer> answers;
  for (const char c : std::string(row.Answers))
    answers.push_back(c == 'I'   ? TFailAnswer::Ignore
                      : c == 'A' ? TFailAnswer::Abort
                                 : TFailAnswer::Retry);
  const TRunOutcome result = run.Run(error, answers, row.Times);
  const std::string box =
      "Cannot rename " + run.Dir.File("b.txt") + " to " + run.Dir.File("2.txt") + "!";
  EXPECT_EQ(run.Ui.Failures, TNames(row.Boxes, box));
  EXPECT_EQ(result.Aborted, row.Aborted);
  EXPECT_EQ(result.ShowErrors, row.ShowErrorsAfter);
  EXPECT_EQ(StatusLetters(run.Items), row.Statuses);
  for (const auto& item : run.Items)
    EXPECT_EQ(item.Error, item.Status == TMoveStatus::Failed ? error : 0) << item.OldName;
  EXPECT_EQ(run.Contents(), Holding(row.Folder));
  EXPECT_EQ(run.Fs.Renames.size(), row.Attempts);
  EXPECT_EQ(run.Ui.Busy, (std::vector<bool>{true, false}));
  EXPECT_EQ(run.Ui.Progress.back(), (std::pair<int, std::string>{100, " Ok! "}));
}

std::string FaultName(const testing::TestParamInfo<std::tuple<TFaultRow, int>>& info) {
  return std::get<0>(info.param).Name + std::string("_") + strerrorname_np(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(Errors, RenameFault,
                         testing::Combine(testing::ValuesIn(FaultRows),
                                          testing::ValuesIn(InjectedErrors)),
                         FaultName);

// Profile store writes: the injected failure of the atomic replace.
class IniWriteFault : public testing::TestWithParam<int> {};

const char OldSettings[] = "[form]\r\nWidth=613\r\n[option]\r\nShowErrors=1\r\n";

TEST_P(IniWriteFault, EveryWriteReportsThePathAndKeepsTheFile) {
  TTempDir dir;
  const std::string path = dir.File("morvane.ini");
  WriteFileBytes(path, OldSettings);
  TFaultyFileSystem fs;
  fs.ReplaceError = GetParam();
  TFileSystemScope scope(fs);
  Settings::TIniFile ini(path);
  const std::vector<std::pair<const char*, std::function<void()>>> writes = {
      {"WriteText", [&] { ini.WriteText("form", "Width", "700"); }},
      {"WriteText new section", [&] { ini.WriteText("Language", "MainForm", "/x.lng"); }},
      {"WriteNumber", [&] { ini.WriteNumber("form", "Height", -8); }},
      {"WriteFlag", [&] { ini.WriteFlag("option", "ShowErrors", false); }},
  };
  for (const auto& [name, write] : writes) {
    SCOPED_TRACE(name);
    EXPECT_EQ(TestUtil::WriteError(write), "Unable to write to " + path);
    EXPECT_EQ(ReadFileBytes(path), OldSettings);
    EXPECT_EQ(ListNames(dir.Path()), TNames{"morvane.ini"});
  }
  EXPECT_EQ(ini.ReadNumber("form", "Width", 0), 613);
}

class TOneLabelForm : public Lang::TFormModel {
 public:
  class TLabel : public Lang::TFormComponent {
   public:
    std::string Name() const override { return "GoBTn"; }
    std::string ClassName() const override { return "TToolButton"; }
    std::string GetText(const std::string& property) const override {
      return property == "Caption" ? "Rename" : "";
    }
    void SetText(const std::string&, const std::string&) override {}
  };
  std::string Name() const override { return "MainForm"; }
  std::size_t ComponentCount() const override { return 1; }
  Lang::TFormComponent& Component(std::size_t) override { return FLabel; }

 private:
  TLabel FLabel;
};

class TNoChooser : public Lang::TLanguageFileChooser {
 public:
  bool ChooseLanguageFile(const std::string&, std::string&) override { return false; }
};

TEST_P(IniWriteFault, SavingALanguageFileReportsThePath) {
  TTempDir dir;
  const std::string path = dir.File("Language.lng");
  WriteFileBytes(path, "[Translations]\r\nMainForm.GoBTn.Caption=Old\r\n");
  TFaultyFileSystem fs;
  fs.ReplaceError = GetParam();
  TFileSystemScope scope(fs);
  TNoChooser chooser;
  Lang::TtovLanguage language(chooser, dir.Path() + "/", dir.File("morvane.ini"));
  TOneLabelForm form;
  EXPECT_EQ(TestUtil::WriteError([&] { language.SaveLanguage(form, path); }),
            "Unable to write to " + path);
  EXPECT_EQ(ReadFileBytes(path), "[Translations]\r\nMainForm.GoBTn.Caption=Old\r\n");
}

INSTANTIATE_TEST_SUITE_P(Errors, IniWriteFault, testing::ValuesIn(InjectedErrors), ErrorName);

TEST(IniReadFault, UnreadableFileIsNeitherReadNorOverwritten) {
  TTempDir dir;
  const std::string path = dir.File("morvane.ini");
  WriteFileBytes(path, OldSettings);
  TFaultyFileSystem fs;
  fs.ReadFails = true;
  TFileSystemScope scope(fs);
  Settings::TIniFile ini(path);
  EXPECT_EQ(ini.ReadNumber("form", "Width", 5), 5);
  EXPECT_THROW(ini.WriteText("form", "Width", "700"), Settings::EIniWriteError);
  EXPECT_EQ(ReadFileBytes(path), OldSettings);
}

// The real thing, as an ordinary user: a folder or a file that cannot be
// written. Exit codes of the child: 0 all well, 2 wrong message or none, 3 the
// file changed.
TEST(IniRealFault, ReadOnlyFolderOrFile) {
  for (const bool folder : {true, false}) {
    SCOPED_TRACE(folder ? "read-only folder" : "read-only file in a writable folder");
    TTempDir dir;
    const std::string path = dir.File("morvane.ini");
    WriteFileBytes(path, OldSettings);
    TestUtil::GiveToNobody(dir.Path());
    ASSERT_EQ(::chmod(folder ? dir.Path().c_str() : path.c_str(), folder ? 0555 : 0444), 0);
    EXPECT_EQ(TestUtil::RunUnprivileged([path] {
                const std::string error = TestUtil::WriteError(
                    [&] { Settings::TIniFile(path).WriteText("form", "Width", "700"); });
                if (error != "Unable to write to " + path) return 2;
                return ReadFileBytes(path) == OldSettings ? 0 : 3;
              }),
              0);
    EXPECT_EQ(ReadFileBytes(path), OldSettings);
    EXPECT_EQ(ListNames(dir.Path()), TNames{"morvane.ini"});
  }
}

}  // namespace
