#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "filelist/fileitem.h"
#include "rename/renamerun.h"
#include "rename/undo.h"

namespace Platform {
class TDirectory;
class TFileSystem;
}  // namespace Platform

namespace Rename {

// Whether folder holds a record of a run in dir (its header names dir), or a
// newer record too damaged to say which folder it belongs to.
bool HasRunToUndo(const Platform::TDirectory& dir, const std::string& folder);

struct TUndoOutcome {
  bool Found = false;       // false: no run of dir to undo
  bool FolderBusy = false;  // another run held the folder: nothing was done
  // "<record path>: <what is wrong>" when the newest record of dir cannot be
  // read or is damaged; nothing was then moved.
  std::string Damage;
  TRunOutcome Run;  // of the moves back
  FileList::TFileItems Moves;
  std::vector<TUndoLeft> Left;  // the rows left alone (DecideUndo)
};

// Undoes the last run in dir: plans the moves back from its record in folder,
// moves them as MoveRows does, and removes the record once every move back
// succeeded and no row was left alone; otherwise it is kept for another try.
// The caller holds the folder's lock.
TUndoOutcome UndoLastRun(const Platform::TDirectory& dir, const std::string& folder, TRenameUi& ui,
                         bool showErrors, const TRenameTexts& texts);

// The Undo command of the window: nothing when request.Dir has no run to undo
// in request.JournalFolder (Found false); otherwise it asks for confirmation
// with Texts.RenameMsg when WarnBeforeRename (Run.Ran false when cancelled),
// takes the folder's lock (FolderBusy when another run holds it), then undoes
// the run as UndoLastRun does with the window busy, and ends with OkStatus at
// 100. The caller rescans when Run.Ran is true.
TUndoOutcome RunUndo(Platform::TFileSystem& fs, const TRenameRequest& request, TRenameUi& ui);

// After the rescan that follows a run: each row of scanned still under the
// old name of a move of run that failed takes that move's new name, Status,
// Error and Conflict, so that the failure stays visible. O(n).
void KeepFailures(FileList::TFileItems& scanned, const FileList::TFileItems& run);

// The moves back of an undo that failed or could not be tried, for
// KeepFailures: the failed Moves, and each row whose old name is taken as a
// failed move back with Error 0 and Conflict Taken.
FileList::TFileItems UndoFailures(const TUndoOutcome& outcome);

// The run-time texts of the report of what an undo could not undo.
struct TUndoTexts {
  std::string NotUndone;  // NotUndoneLbl: the heading
  std::string Taken;      // UndoTakenLbl: the old name is held by another file
  std::string Gone;       // UndoGoneLbl: no file under either name
  std::string More;       // MoreNotUndoneLbl: put before the count of the rows not listed
  std::string Other;      // UndoOtherLbl: another file is under the new name
  std::string Folder;     // UndoFolderLbl: the file went into a subfolder
};

// The text of a reason.
const std::string& ReasonText(TUndoReason reason, const TUndoTexts& texts);

constexpr std::size_t ListedProblems = 20;

// The report of the rows an undo left alone: the heading, then a line
// "<new path> → <old path>: <reason>" (paths PathIn(dirText, name); the old
// path alone when the new name is not recorded) for each of the first
// `listed` rows, then More and the count of the others. Empty when there
// are none. Texts and names are copied as they stand.
std::string UndoProblemsText(const std::string& dirText, const std::vector<TUndoLeft>& left,
                             const TUndoTexts& texts, std::size_t listed = ListedProblems);

}  // namespace Rename
