#pragma once

#include <string>
#include <vector>

#include "rename/choices.h"

namespace Cli {

// What the command line asks for.
struct TCliOptions {
  std::string Dir;  // used as the directory text, unchanged
  // Every DIR or FILE argument; one folder becomes Dir, files are resolved
  // into their folder and a selection there (App::SelectionFor).
  std::vector<std::string> Paths;
  std::vector<std::string> Selection;  // set with the folder; empty: the whole folder
  bool Hidden = false;                 // list hidden files (names starting with ".")
  std::string Filter = "*";            // the filter text, parsed like the window's
  Rename::TChoices Choices;            // Untangle only with Apply
  bool Json = false;
  bool Apply = false;
  bool Undo = false;    // undo the last run in Dir
  bool NoUndo = false;  // with Apply: rename even when no record can be kept
  bool Wait = false;    // wait while another run renames in Dir
  bool Help = false;
  bool Version = false;
};

// The outcome of parsing: Error is empty on success, otherwise a one-line
// message naming the bad argument (without the program name).
struct TParseResult {
  TCliOptions Options;
  std::string Error;
};

// Parses the arguments after the program name. Options take their value as
// the next argument or after "=" ("--prefix=img_"); "--" ends the options.
TParseResult ParseArguments(const std::vector<std::string>& args);

// The text of --help.
const char* UsageText();

}  // namespace Cli
