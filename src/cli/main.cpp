#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/startdir.h"
#include "cli/options.h"
#include "cli/output.h"
#include "filelist/facts.h"
#include "filelist/filter.h"
#include "filelist/scan.h"
#include "platform/filesystem.h"
#include "platform/metadata.h"
#include "platform/system.h"
#include "rename/conflicts.h"
#include "rename/journal.h"
#include "rename/renamerun.h"
#include "rename/undorun.h"
#include "rename/untangle.h"

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

void ReportFailures(const std::string& dirText, const FileList::TFileItems& rows) {
  std::string failures;
  for (const FileList::TFileItem& row : rows) {
    if (row.Status != FileList::TMoveStatus::Failed) continue;
    if (row.Error == 0 && row.Conflict == FileList::TConflict::Missing) {
      failures += "morvane-cli: not renamed '" +
                  Cli::EscapeText(FileList::PathIn(dirText, row.OldName)) +
                  "': it lacks a field of the template\n";
      continue;
    }
    failures += Cli::FailureLine(FileList::PathIn(dirText, row.OldName),
                                 FileList::PathIn(dirText, row.NewName), row.Error);
  }
  Cli::WriteAll(stderr, failures);
}

// The preview checks its conflicts against the listing the scan has just read.
int RunPreview(const Cli::TCliOptions& options, const Platform::TDirectory& dir,
               FileList::TFileItems& items, std::string others) {
  Rename::PreviewReading(items, options.Choices.Preview, options.Dir, Platform::ReadFacts);
  Rename::MarkConflicts(items, Rename::ViewOfOthers(dir, std::move(others)));
  Cli::WriteAll(stdout, Cli::FormatPreview(items, options.Json));
  return Finish(ExitOk);
}

// Records the run's plan before the first move; false (after saying why)
// when it cannot be recorded and --no-undo was not given.
template <typename TPlan>
bool Record(const Cli::TCliOptions& options, const TPlan& plan) {
  if (options.NoUndo) return true;
  const Rename::TJournalWrite written =
      Rename::WriteJournal(Platform::FileSystem(), Rename::JournalFolder(), plan);
  if (written.Error == 0) return true;
  std::fprintf(stderr,
               "morvane-cli: cannot write the undo record '%s': %s; nothing was renamed "
               "(--no-undo renames without it)\n",
               Cli::EscapeText(written.Path).c_str(), Platform::ErrorText(written.Error).c_str());
  return false;
}

void ReportStranded(const std::string& dirText, const std::vector<Rename::TStranded>& stranded) {
  std::string lines;
  for (const Rename::TStranded& file : stranded)
    lines += "morvane-cli: cannot move '" + Cli::EscapeText(FileList::PathIn(dirText, file.Name)) +
             "' back to '" + Cli::EscapeText(FileList::PathIn(dirText, file.Home)) +
             "': " + Platform::ErrorText(file.Error) + "; --undo puts it back\n";
  Cli::WriteAll(stderr, lines);
}

// The view of the folder a run's conflicts are checked against: the entries
// that gave no row, or, since untangling asks of every new name whether it
// is free, the whole listing (the rows' old names too), looked up in a set.
Rename::TDirectoryView RunView(bool untangle, const Platform::TDirectory& dir,
                               const FileList::TFileItems& rows, std::string others) {
  if (!untangle) return Rename::ViewOfOthers(dir, std::move(others));
  for (const FileList::TFileItem& row : rows) others.append(row.OldName).push_back('\0');
  return Rename::ViewOf(dir, std::move(others));
}

int RunApply(const Cli::TCliOptions& options, const Platform::TDirectory& dir,
             FileList::TFileItems& items, std::string others) {
  Rename::PreviewReading(items, options.Choices.Preview, options.Dir, Platform::ReadFacts);
  const Rename::TDirectoryView view =
      RunView(options.Choices.Untangle, dir, items, std::move(others));
  Rename::MarkConflicts(items, view);
  Rename::TStepsOutcome outcome;
  if (options.Choices.Untangle) {
    const auto isFree = [&view](const std::string& name) { return !view.Has(name); };
    const std::vector<Rename::TStep> steps = Rename::UntangleSteps(items, isFree);
    if (!Record(options, Rename::PlanOfSteps(dir, items, steps))) return Finish(ExitFailed);
    outcome = Rename::RunSteps(dir, steps, items);
  } else {
    if (!Record(options, Rename::PlanOf(dir, items))) return Finish(ExitFailed);
    TSilentUi ui;
    static_cast<Rename::TRunOutcome&>(outcome) = Rename::MoveRows(dir, items, ui, false, {});
  }
  ReportFailures(options.Dir, items);
  ReportStranded(options.Dir, outcome.Stranded);
  if (options.Json) Cli::WriteAll(stdout, Cli::FormatRunJson(items));
  return Finish(outcome.Renamed == items.size() ? ExitOk : ExitFailed);
}

std::string UndoProblemLine(const std::string& dirText, const Rename::TUndoLeft& left) {
  static const Rename::TUndoTexts texts{
      "", "the old name is taken by another file",  "no file under either name",
      "", "another file is now under the new name", "the file was moved into another folder"};
  std::string line = "morvane-cli: not undone: ";
  if (!left.NewName.empty())
    line += "'" + Cli::EscapeText(FileList::PathIn(dirText, left.NewName)) + "' to ";
  return line + "'" + Cli::EscapeText(FileList::PathIn(dirText, left.OldName)) +
         "': " + Rename::ReasonText(left.Reason, texts) + "\n";
}

int RunUndo(const Cli::TCliOptions& options, const Platform::TDirectory& dir) {
  TSilentUi ui;
  const Rename::TUndoOutcome outcome =
      Rename::UndoLastRun(dir, Rename::JournalFolder(), ui, false, {});
  if (!outcome.Found) {
    std::fprintf(stderr, "morvane-cli: no run to undo in '%s'\n",
                 Cli::EscapeText(options.Dir).c_str());
    return Finish(ExitFailed);
  }
  if (!outcome.Damage.empty()) {
    std::fprintf(stderr, "morvane-cli: nothing was undone: the undo record is damaged: %s\n",
                 Cli::EscapeText(outcome.Damage).c_str());
    return Finish(ExitFailed);
  }
  ReportFailures(options.Dir, outcome.Moves);
  std::string problems;
  for (const Rename::TUndoLeft& left : outcome.Left) problems += UndoProblemLine(options.Dir, left);
  Cli::WriteAll(stderr, problems);
  if (options.Json) Cli::WriteAll(stdout, Cli::FormatRunJson(outcome.Moves));
  // An undo that left something keeps its record, so that it can be tried
  // again once the obstacle is gone.
  const bool complete = outcome.Run.Failed == 0 && outcome.Left.empty();
  return Finish(complete ? ExitOk : ExitFailed);
}

// Reads the folder once: the rows come from that listing, and so does the
// view of the folder the conflicts are checked against. A run lists it only
// after taking the folder's lock; each move still refuses a name taken since.
int RunListed(const Cli::TCliOptions& options, const Platform::TDirectory& dir) {
  std::vector<Platform::TDirEntry> entries;
  if (!Platform::FileSystem().ListDirectory(options.Dir, entries)) {
    std::fprintf(stderr, "morvane-cli: cannot read the directory '%s'\n",
                 Cli::EscapeText(options.Dir).c_str());
    return ExitFailed;
  }
  std::string others;  // the entries that give no row, each ended by a NUL
  FileList::TScanOptions scan;
  scan.Others = &others;
  scan.ShowHidden = options.Hidden;
  if (!options.Selection.empty()) scan.Selection = options.Selection;
  FileList::TFileItems items =
      FileList::ScanEntries(std::move(entries), options.Dir, FileList::ParseFilter(options.Filter),
                            options.Choices.Order, false, scan);
  if (FileList::OrderUsesTaken(options.Choices.Order))
    FileList::OrderByTaken(items, options.Dir, Platform::ReadFacts,
                           options.Choices.Order == FileList::TOrder::TakenDesc);
  return options.Apply ? RunApply(options, dir, items, std::move(others))
                       : RunPreview(options, dir, items, std::move(others));
}

// One line when moves were made by a check and a plain rename (a file system
// that refuses both the atomic no-replace rename and links), since a file
// created under a new name in that moment would have been replaced.
int ReportUncheckedMoves(int status, const std::string& dirText, uint64_t before) {
  const uint64_t unchecked = Platform::MovesWithoutAtomicCheck() - before;
  if (unchecked == 0) return status;
  std::fprintf(stderr,
               "morvane-cli: %llu renames in '%s' were made without an atomic check: the file "
               "system refuses both the no-replace rename and links\n",
               static_cast<unsigned long long>(unchecked), Cli::EscapeText(dirText).c_str());
  return status;
}

// One folder is used as it was written; files become their folder and the
// selection of their names there. The exit status of a usage error, or -1.
int ResolvePaths(Cli::TCliOptions& options) {
  if (options.Paths.size() == 1 && Platform::IsDirectory(options.Dir)) return -1;
  const App::TSelection selection =
      App::SelectionFor(options.Paths, Platform::CurrentDirectory(), App::PathKindOf);
  if (selection.Error != App::TSelectionError::None) {
    return UsageError(App::SelectionErrorText(
        selection, [](const std::string& path) { return Cli::EscapeText(path); }));
  }
  options.Dir = selection.Folder;
  options.Selection = selection.Names;
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  Platform::ReturnLargeBlocksWhenFreed();
  Cli::TParseResult parsed = Cli::ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.Error.empty()) return UsageError(parsed.Error);
  Cli::TCliOptions& options = parsed.Options;
  if (options.Help) return Finish(Cli::WriteAll(stdout, Cli::UsageText()) ? ExitOk : ExitFailed);
  if (options.Version) {
    std::puts("morvane-cli " MORVANE_VERSION);
    return Finish(ExitOk);
  }
  if (const int status = ResolvePaths(options); status >= 0) return status;
  // Every move happens in the folder opened here, whatever its path comes to
  // lead to during the run.
  const Platform::TDirectory dir(Platform::FileSystem(), options.Dir);
  if (!options.Apply && !options.Undo) return RunListed(options, dir);
  // One run at a time renames in a folder, from its plan to its last move.
  const Platform::TDirLock lock(Platform::FileSystem(), dir, options.Wait);
  if (lock.Busy()) {
    std::fprintf(stderr,
                 "morvane-cli: another run is renaming in '%s'; nothing was %s (--wait waits "
                 "for it)\n",
                 Cli::EscapeText(options.Dir).c_str(), options.Undo ? "undone" : "renamed");
    return Finish(ExitFailed);
  }
  const uint64_t unchecked = Platform::MovesWithoutAtomicCheck();
  const int status = options.Undo ? RunUndo(options, dir) : RunListed(options, dir);
  return ReportUncheckedMoves(status, options.Dir, unchecked);
}
