#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "filelist/fileitem.h"
#include "platform/filesystem.h"

// The record of a rename run, kept so that the run can be undone. It is written
// once, atomically, before the first move, and lists every move the run will
// try with the identity of the file it moves (device, inode, size, last write,
// birth time), an untangled run's steps through temporary names included.
// Undo (rename/undo.h) reads what happened from the disk through those
// identities, so a full run, an Abort, a kill and a power cut need no special
// case.
//
// Records live in JournalFolder() as run-<sequence>.journal (twenty digits,
// the next one the highest there plus one: the clock plays no part); the last
// KeptJournals by sequence stay. The folders made for them are 0700 and each
// record is 0600. Each names its directory by its real path (links resolved).
//
// A record is untrusted input: reading is bounded (no line longer than a path
// can make it, no more bytes than its declared rows can need) and strict (an
// unknown field, a row that is cut short, a name that is not one path
// component); damage refuses the whole record with a message saying what.
namespace Rename {

// The two flags sit together after the identity, so a row holds no padding.
struct TJournalPair {
  std::string OldName;
  std::string NewName;          // empty when OutOfFolder
  Platform::TFileId Id;         // the file the move takes; Inode 0: unknown
  bool ExpectedToFail = false;  // the preview foresaw the failure of this move
  // The move takes the file into a subfolder: its new name is no name of this
  // folder, so the record keeps only that it happened, and undo leaves it.
  bool OutOfFolder = false;
};

struct TJournal {
  std::string Dir;                  // real path of the directory
  std::vector<TJournalPair> Pairs;  // in the order of the moves
};

constexpr std::size_t KeptJournals = 10;
// The longest line a valid record holds: a directory path, escaped, or a row
// of two escaped names and five numbers.
constexpr std::size_t MaxJournalLine = 2 * 4096 + 64;
constexpr uint64_t MaxJournalRows = 100000000;

// $XDG_STATE_HOME/morvane, else $HOME/.local/state/morvane.
std::string JournalFolder();

// Whether name is one path component (not empty, ".", "..", no "/" or NUL).
bool IsComponent(std::string_view name);

// One move of a plain run's plan: its row of the list (which keeps the
// names) and what the record adds to it.
struct TPlannedMove {
  uint32_t Row = 0;
  bool ExpectedToFail = false;
  bool OutOfFolder = false;
  Platform::TFileId Id;
};

// The record of a plain run before it is written, over rows that must
// outlive it: a few dozen bytes a move, the names not copied.
struct TRowPlan {
  std::string Dir;  // real path of the directory
  const FileList::TFileItems* Rows = nullptr;
  std::vector<TPlannedMove> Moves;  // in list order
};

// The record of rows (list order) whose conflicts are marked, each file's
// identity read in dir. Rows that cannot move at all (same, empty or
// unusable new name) are left out.
TRowPlan PlanOf(const Platform::TDirectory& dir, const FileList::TFileItems& rows);

std::string FormatJournal(const TJournal& journal);

// Reads a record in pieces, keeping only what is valid so far.
class TJournalReader {
 public:
  // False once the record is found damaged (Error says why).
  bool Feed(std::string_view piece);
  // The end of the bytes: false when the record is damaged or cut short.
  bool Finish();
  // True once the head (header, dir, row count) has been read.
  bool HeadDone() const { return FLine > 3; }
  const std::string& Error() const { return FError; }
  TJournal& Journal() { return FJournal; }
  // From now on each valid row goes to sink, with its number, instead of
  // into Journal(): a record read again costs no memory for its rows.
  void HandRowsTo(std::function<void(std::size_t row, TJournalPair& pair)> sink) {
    FSink = std::move(sink);
  }

 private:
  bool Line(std::string_view line);
  bool Head(std::string_view line);
  bool Fail(const std::string& what);

  TJournal FJournal;
  std::function<void(std::size_t, TJournalPair&)> FSink;
  uint64_t FRead = 0;    // rows read
  std::string FPending;  // the part of a line not yet ended
  std::string FError;
  uint64_t FRows = 0;
  std::size_t FLine = 1;  // number of the next line
  bool FEnded = false;
};

// Parses a whole record; false with error set when it is damaged.
bool ParseJournal(std::string_view text, TJournal& journal, std::string& error);

struct TJournalWrite {
  int Error = 0;     // errno value; 0 when written
  std::string Path;  // of the record (or of the folder that failed)
};

// Writes the journal as the newest record of folder (created private when
// missing) and removes all but the newest KeptJournals.
TJournalWrite WriteJournal(Platform::TFileSystem& fs, const std::string& folder,
                           const TJournal& journal);
TJournalWrite WriteJournal(Platform::TFileSystem& fs, const std::string& folder,
                           const TRowPlan& plan);

// Reads one record; false with error set when it cannot be read or is damaged.
bool ReadJournal(Platform::TFileSystem& fs, const std::string& file, TJournal& journal,
                 std::string& error);

// The newest record of the directory realDir (Path empty if none). A newer
// record whose head is damaged ends the search with Error set: it may be the
// record of realDir, and undo does not guess around it.
struct TFoundJournal {
  std::string Path;
  std::string Error;
};
TFoundJournal FindLastJournal(Platform::TFileSystem& fs, const std::string& folder,
                              const std::string& realDir);

}  // namespace Rename
