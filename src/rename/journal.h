#pragma once

#include <string>
#include <vector>

#include "filelist/fileitem.h"
#include "rename/conflicts.h"

// The plan of a rename run, kept so that the run can be undone. It is written
// once, atomically, before the first move, and nothing is written per file:
// undo decides each move from the disk (the new name there, the old one free),
// so it is exact after a full run, an Abort, a crash or a power cut alike.
//
// Journals live in JournalFolder() as run-<time>-<pid>.journal, the newest 10
// kept. Each names its directory by its real path (links resolved), which is
// how the window and the command-line companion find the last run of the
// directory they show.
namespace Rename {

struct TJournalPair {
  std::string OldName;
  std::string NewName;
  bool ExpectedToFail = false;  // the preview foresaw the failure of this move
};

struct TJournal {
  std::string Dir;                  // real path of the directory
  std::vector<TJournalPair> Pairs;  // in the order of the moves
};

constexpr std::size_t KeptJournals = 10;

// $XDG_STATE_HOME/morvane, else $HOME/.local/state/morvane.
std::string JournalFolder();

// The plan of rows whose conflicts are marked.
TJournal PlanOf(const std::string& realDir, const FileList::TFileItems& rows);

std::string FormatJournal(const TJournal& journal);
bool ParseJournal(const std::string& text, TJournal& journal);

// Writes the journal as the newest one of folder (created when missing) and
// removes all but the newest KeptJournals. Returns 0 or an errno value.
int WriteJournal(const std::string& folder, const TJournal& journal);

// Reads and parses a journal file; false when it cannot be read or is no journal.
bool ReadJournal(const std::string& file, TJournal& journal);

// The file of the newest journal for the directory realDir; empty if none.
std::string FindLastJournal(const std::string& folder, const std::string& realDir);

// The undo of a journal: the moves back, last pair first, of every pair whose
// new name is there and whose old name is free at its turn (rows ready for
// MoveRows), and the pairs that cannot be undone, with Conflict saying why
// (Taken: the old name is held by another file; Gone: no file under either
// name). Pairs whose move evidently never happened are passed over.
struct TUndoPlan {
  FileList::TFileItems Moves;
  FileList::TFileItems Problems;  // OldName/NewName as in the journal
};
TUndoPlan PlanUndo(const TJournal& journal, const TDirectoryView& dir);

}  // namespace Rename
