#pragma once

#include <string>
#include <vector>

#include "rename/preview.h"

namespace Cli {

// What the command line asks for.
struct TCliOptions {
  std::string Dir;           // used as the directory text, unchanged
  std::string Filter = "*";  // the filter text, parsed like the window's
  int SortIndex = 0;         // 0 name, 1 date, 2 name-desc, 3 date-desc
  Rename::TPreviewOptions Preview;
  bool Json = false;
  bool Apply = false;
  bool Untangle = false;  // with Apply: an order that frees every target first
  bool Undo = false;      // undo the last run in Dir
  bool NoUndo = false;    // with Apply: rename even when no record can be kept
  bool Wait = false;      // wait while another run renames in Dir
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
