#include <cstdio>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "cli/options.h"
#include "cli/output.h"
#include "filelist/filter.h"
#include "filelist/scan.h"
#include "platform/filesystem.h"
#include "rename/conflicts.h"
#include "rename/renamerun.h"

#ifndef MORVANE_VERSION
#define MORVANE_VERSION "unknown"
#endif

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

// The rename run asks nothing and shows nothing here.
class TSilentUi : public Rename::TRenameUi {
 public:
  bool ConfirmRename(const std::string&) override;
  Rename::TFailAnswer RenameFailed(const std::string&) override;
  void ShowProgress(int, const std::string&) override;
  void SetBusy(bool) override;
};

bool TSilentUi::ConfirmRename(const std::string&) { return true; }
Rename::TFailAnswer TSilentUi::RenameFailed(const std::string&) {
  return Rename::TFailAnswer::Ignore;
}
void TSilentUi::ShowProgress(int, const std::string&) {}
void TSilentUi::SetBusy(bool) {}

int UsageError(const std::string& message) {
  std::fprintf(stderr, "morvane-cli: %s\nTry 'morvane-cli --help' for more information.\n",
               message.c_str());
  return ExitUsage;
}

int Finish(int status) {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fputs("morvane-cli: cannot write the output\n", stderr);
    return ExitFailed;
  }
  return status;
}

// Whether a name is taken in dir before the run: plain names are looked up
// in one listing, paths below dir on disk.
Rename::TExistsFn ExistsInDirectory(const std::string& dir) {
  std::vector<Platform::TDirEntry> entries;
  Platform::FileSystem().ListDirectory(dir, entries);
  auto names = std::make_shared<std::unordered_set<std::string>>();
  names->reserve(entries.size() + 3);
  for (const Platform::TDirEntry& entry : entries) names->insert(entry.Name);
  names->insert({"", ".", ".."});  // the directory itself and its parent
  return [names, dir](const std::string& name) {
    if (name.find('/') != std::string::npos) return Platform::PathExists(dir + "/" + name);
    return names->count(name) > 0;
  };
}

int RunPreview(const Cli::TCliOptions& options, FileList::TFileItems& items) {
  Rename::Preview(items, options.Preview);
  const std::vector<bool> marks = Rename::FindConflicts(items, ExistsInDirectory(options.Dir));
  Cli::WriteAll(stdout, Cli::FormatPreview(items, marks, options.Json));
  return Finish(ExitOk);
}

int RunApply(const Cli::TCliOptions& options, FileList::TFileItems& items) {
  Rename::TRenameRequest request;
  request.Dir = options.Dir;
  request.WarnBeforeRename = false;
  request.ShowErrors = false;
  request.Preview = options.Preview;
  TSilentUi ui;
  const Rename::TRenameResult result = Rename::RunRename(items, request, ui);
  std::string failures;
  for (std::size_t i = 0; i < result.Rows.size(); ++i) {
    if (result.Rows[i].Status != Rename::TRowStatus::Failed) continue;
    failures += Cli::FailureLine(options.Dir + "/" + items[i].OldName,
                                 options.Dir + "/" + items[i].NewName, result.Rows[i].Error);
  }
  Cli::WriteAll(stderr, failures);
  if (options.Json) Cli::WriteAll(stdout, Cli::FormatRunJson(items, result));
  return Finish(result.Renamed() == items.size() ? ExitOk : ExitFailed);
}

}  // namespace

int main(int argc, char** argv) {
  const Cli::TParseResult parsed =
      Cli::ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.Error.empty()) return UsageError(parsed.Error);
  const Cli::TCliOptions& options = parsed.Options;
  if (options.Help) return Finish(Cli::WriteAll(stdout, Cli::UsageText()) ? ExitOk : ExitFailed);
  if (options.Version) {
    std::puts("morvane-cli " MORVANE_VERSION);
    return Finish(ExitOk);
  }
  const std::string checkedDir = options.Dir.empty() ? "/" : options.Dir;
  if (!Platform::IsDirectory(checkedDir)) {
    return UsageError("not a directory: '" + Cli::EscapeText(options.Dir) + "'");
  }
  FileList::TFileItems items = FileList::ScanDirectory(
      options.Dir, FileList::ParseFilter(options.Filter), options.SortIndex);
  std::vector<Platform::TDirEntry> entries;
  if (items.empty() && !Platform::FileSystem().ListDirectory(options.Dir, entries)) {
    std::fprintf(stderr, "morvane-cli: cannot read the directory '%s'\n",
                 Cli::EscapeText(options.Dir).c_str());
    return ExitFailed;
  }
  return options.Apply ? RunApply(options, items) : RunPreview(options, items);
}
