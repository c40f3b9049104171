#pragma once

#include <functional>
#include <string>
#include <vector>

// Which folder the window opens for a path handed to it from outside: the
// command line's DIR or a folder or file dropped on the window. Paths are the
// exact bytes the system gave; nothing is converted.
namespace App {

enum class TPathKind { Missing, Folder, File };

// Tells what a path names; the real one asks the file system.
using TPathKindQuery = std::function<TPathKind(const std::string& path)>;
TPathKind PathKindOf(const std::string& path);

// The folder for path: the path itself when it names a folder, the folder
// holding it when it names anything else, empty when it names nothing. A
// relative path counts from currentDir; "." parts at its start and separators
// at its end are dropped ("/" stays "/").
std::string FolderForPath(const std::string& path, const std::string& currentDir,
                          const TPathKindQuery& kindOf);

// The local path of a "file:" URI with its %XX escapes decoded to bytes;
// empty for any other scheme, another host than "localhost", or a path that
// would hold a zero byte.
std::string LocalPathOfUri(const std::string& uri);

// The folder for a drop of URIs: that of the first one that gives a folder;
// empty when none does.
std::string FolderForDrop(const std::vector<std::string>& uris, const std::string& currentDir,
                          const TPathKindQuery& kindOf);

// Why paths handed over as a selection of files were refused.
enum class TSelectionError { None, Missing, Folder, SeveralFolders };

// Files handed over together (a file manager's selection): their folder and
// their names in it.
struct TSelection {
  std::string Folder;              // absolute, as FolderForPath forms it
  std::vector<std::string> Names;  // each once, in the order given
  TSelectionError Error = TSelectionError::None;
  // The path that is missing or a folder; for SeveralFolders the first two
  // folders that differ.
  std::string Culprit, Other;
};

// The selection of paths: every path must name a file (anything but a
// folder), and all must lie in one folder, as its text tells after "." parts
// and doubled separators are dropped (".." parts are kept as they are). A
// path may also be given as a "file:" URI (LocalPathOfUri).
TSelection SelectionFor(const std::vector<std::string>& paths, const std::string& currentDir,
                        const TPathKindQuery& kindOf);

// The message of a refused selection, each path passed through quote.
std::string SelectionErrorText(const TSelection& selection,
                               const std::function<std::string(const std::string&)>& quote);

// What the command line asks of the window.
struct TStartFolder {
  std::string Folder;   // empty: start as without an argument
  std::string Warning;  // for the standard error stream; empty when all is well
  // The files to list when the arguments name files: only they are listed.
  std::vector<std::string> Selection;
  TSelection Refused;  // Error set when the arguments were refused as a selection
};

// The folder of the command line's arguments (program name and the toolkit's
// own options taken out); a first "--" ends the options, so that a folder may
// begin with "-". No argument gives no folder and no warning; one folder is
// opened; one or more files of one folder are a selection in that folder. A
// DIR that names nothing, a folder among several arguments or files of
// several folders give a warning (and, but for a missing DIR, Refused) and no
// folder.
TStartFolder StartFolderFor(const std::vector<std::string>& args, const std::string& currentDir,
                            const TPathKindQuery& kindOf);

}  // namespace App
