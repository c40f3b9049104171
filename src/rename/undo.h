#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "filelist/fileitem.h"
#include "rename/journal.h"

// The undo of a recorded run: which files go back and which are left alone,
// decided from the record's file identities and the disk as it is now.
namespace Rename {

// Why a recorded move is not undone.
enum class TUndoReason {
  NotThere,      // the file is under neither name
  OtherFile,     // another file is now under the new name
  OldNameTaken,  // the file is there, but another holds its old name
  NotInFolder,   // the move took the file into a subfolder
};

struct TUndoLeft {
  std::string OldName;  // as recorded
  std::string NewName;  // as recorded; empty for NotInFolder
  TUndoReason Reason = TUndoReason::NotThere;
};

// What undo makes of a record: the rows whose files go back, last move
// first, and the rows left alone.
struct TUndoDecision {
  std::vector<uint32_t> Back;   // rows of the record
  std::vector<uint64_t> Sums;   // per row of Back: a checksum of its two names
  std::vector<TUndoLeft> Left;  // the rows left alone, last move first
};

// Goes over the record last move first: a row goes back when the file under
// its new name is the recorded file and its old name is free at that turn.
// A row whose move never happened (its file still under the old name, or a
// move the preview saw fail whose file is elsewhere) is passed over; every
// other row is left alone with its reason. The moves are planned over the
// disk as dir reads it, as if each move back had been made.
TUndoDecision DecideUndo(const TJournal& journal, const Platform::TDirectory& dir);

// The moves back of a decision (OldName: where the file is now; NewName:
// where it goes back), in its order, read again from the record in file so
// that the record and the moves are never held at once. False with error set
// when the record cannot be read or is no longer the one decided from.
bool ReadMovesBack(Platform::TFileSystem& fs, const std::string& file,
                   const TUndoDecision& decision, FileList::TFileItems& moves, std::string& error);

}  // namespace Rename
