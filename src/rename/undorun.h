#pragma once

#include <cstddef>
#include <string>

#include "filelist/fileitem.h"
#include "rename/renamerun.h"

namespace Platform {
class TDirectory;
class TFileSystem;
}  // namespace Platform

namespace Rename {

// Whether folder holds a journal of a run in dir (its header names dir).
bool HasRunToUndo(const Platform::TDirectory& dir, const std::string& folder);

struct TUndoOutcome {
  bool Found = false;  // false: no run of dir to undo
  TRunOutcome Run;     // of the moves back
  FileList::TFileItems Moves;
  FileList::TFileItems Problems;  // pairs that cannot be undone (PlanUndo)
};

// Undoes the last run in dir: plans the moves back from its journal in folder,
// moves them as MoveRows does, and removes the journal once nothing is left
// to undo; otherwise it is kept for another try.
TUndoOutcome UndoLastRun(const Platform::TDirectory& dir, const std::string& folder, TRenameUi& ui,
                         bool showErrors, const TRenameTexts& texts);

// The Undo command of the window: nothing when request.Dir has no run to undo
// in request.JournalFolder (Found false); otherwise it asks for confirmation
// with Texts.RenameMsg when WarnBeforeRename (Run.Ran false when cancelled),
// then undoes the run as UndoLastRun does with the window busy, and ends
// with OkStatus at 100. The caller rescans when Run.Ran is true.
TUndoOutcome RunUndo(Platform::TFileSystem& fs, const TRenameRequest& request, TRenameUi& ui);

// After the rescan that follows a run: each row of scanned still under the
// old name of a move of run that failed takes that move's new name, Status,
// Error and Conflict, so that the failure stays visible. O(n).
void KeepFailures(FileList::TFileItems& scanned, const FileList::TFileItems& run);

// The moves back of an undo that failed or could not be tried, for
// KeepFailures: the failed Moves, and each pair whose old name is taken as a
// failed move back with Error 0 and Conflict Taken. Pairs whose file is gone
// have no row to mark.
FileList::TFileItems UndoFailures(const TUndoOutcome& outcome);

// The run-time texts of the report of what an undo could not undo.
struct TUndoTexts {
  std::string NotUndone;  // NotUndoneLbl: the heading
  std::string Taken;      // UndoTakenLbl: the old name is held by another file
  std::string Gone;       // UndoGoneLbl: no file under either name
  std::string More;       // MoreNotUndoneLbl: put before the count of the pairs not listed
};

constexpr std::size_t ListedProblems = 20;

// The report of the pairs an undo could not undo: the heading, then a line
// "<new path> → <old path>: <reason>" (paths PathIn(dirText, name)) for each
// of the first `listed` problems, then More and the count of the others.
// Empty when there are none. Texts and names are copied as they stand.
std::string UndoProblemsText(const std::string& dirText, const FileList::TFileItems& problems,
                             const TUndoTexts& texts, std::size_t listed = ListedProblems);

}  // namespace Rename
