#include "cli/options.h"

#include <array>
#include <optional>
#include <string_view>

namespace Cli {

namespace {

struct TChoice {
  std::string_view Word;
  int Index;
};

constexpr std::array<TChoice, 4> SortChoices{
    {{"name", 0}, {"date", 1}, {"name-desc", 2}, {"date-desc", 3}}};
constexpr std::array<TChoice, 3> NameChoices{{{"original", 0}, {"number", 1}, {"padded", 2}}};
constexpr std::array<TChoice, 2> CaseChoices{{{"upper", 1}, {"lower", 2}}};

// Options that take a value; the rest are switches.
constexpr std::array<std::string_view, 9> ValueOptions{"--filter", "--sort",   "--prefix",
                                                       "--name",   "--suffix", "--ext",
                                                       "--case",   "--search", "--replace"};
// Options of the Rename page, which cannot be mixed with --search.
constexpr std::array<std::string_view, 5> NameOptions{"--prefix", "--name", "--suffix", "--ext",
                                                      "--case"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& list, std::string_view word) {
  for (std::string_view item : list) {
    if (item == word) return true;
  }
  return false;
}

template <std::size_t N>
std::string ChoiceList(const std::array<TChoice, N>& choices) {
  std::string text;
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) text += i + 1 == N ? " or " : ", ";
    text += choices[i].Word;
  }
  return text;
}

// Looks a value up among the choices; sets error when it is not one of them.
template <std::size_t N>
int PickChoice(const std::array<TChoice, N>& choices, const std::string& option,
               const std::string& value, std::string& error) {
  for (const TChoice& choice : choices) {
    if (choice.Word == value) return choice.Index;
  }
  error = "bad value '" + value + "' for '" + option + "' (choose " + ChoiceList(choices) + ")";
  return -1;
}

// The parser's state across arguments.
struct TParser {
  TParseResult Result;
  std::vector<std::string> Dirs;
  std::string FirstNameOption;  // the first Rename-page option seen, if any
  bool SearchSeen = false;
  bool ReplaceSeen = false;
  bool CaseSensitiveSeen = false;
};

void ApplyValue(TParser& p, const std::string& option, const std::string& value) {
  TCliOptions& o = p.Result.Options;
  Rename::TNameOptions& name = o.Preview.Name;
  std::string& error = p.Result.Error;
  if (Contains(NameOptions, option) && p.FirstNameOption.empty()) p.FirstNameOption = option;
  if (option == "--filter") {
    o.Filter = value;
  } else if (option == "--sort") {
    o.SortIndex = PickChoice(SortChoices, option, value, error);
  } else if (option == "--prefix") {
    name.Prefix = 0;
    name.PrefixText = value;
  } else if (option == "--name") {
    name.NamePart = PickChoice(NameChoices, option, value, error);
  } else if (option == "--suffix") {
    name.Suffix = 0;
    name.SuffixText = value;
  } else if (option == "--ext") {
    name.Extension = 0;
    name.ExtensionText = value;
  } else if (option == "--case") {
    name.NameCase = PickChoice(CaseChoices, option, value, error);
  } else if (option == "--search") {
    p.SearchSeen = true;
    o.Preview.Replace.Search = value;
  } else if (option == "--replace") {
    p.ReplaceSeen = true;
    o.Preview.Replace.Replace = value;
  }
}

// Handles a switch; false when the word is no known option.
bool ApplySwitch(TParser& p, const std::string& option) {
  TCliOptions& o = p.Result.Options;
  if (option == "--json") {
    o.Json = true;
  } else if (option == "--apply") {
    o.Apply = true;
  } else if (option == "--untangle") {
    o.Untangle = true;
  } else if (option == "--undo") {
    o.Undo = true;
  } else if (option == "--no-undo") {
    o.NoUndo = true;
  } else if (option == "--wait") {
    o.Wait = true;
  } else if (option == "--case-sensitive") {
    p.CaseSensitiveSeen = true;
    o.Preview.Replace.CaseSensitive = true;
  } else if (option == "--help" || option == "-h") {
    o.Help = true;
  } else if (option == "--version") {
    o.Version = true;
  } else {
    return false;
  }
  return true;
}

// Handles the option at args[i]; advances i past its value.
void ParseOption(TParser& p, const std::vector<std::string>& args, std::size_t& i) {
  const std::string& arg = args[i];
  const std::size_t eq = arg.find('=');
  const std::string option = arg.substr(0, eq);
  if (Contains(ValueOptions, option)) {
    if (eq != std::string::npos) return ApplyValue(p, option, arg.substr(eq + 1));
    if (i + 1 >= args.size()) {
      p.Result.Error = "option '" + option + "' needs a value";
      return;
    }
    return ApplyValue(p, option, args[++i]);
  }
  if (eq != std::string::npos && ApplySwitch(p, option)) {
    p.Result.Error = "option '" + option + "' takes no value";
  } else if (eq != std::string::npos || !ApplySwitch(p, arg)) {
    p.Result.Error = "unknown option '" + arg + "'";
  }
}

// The checks that need the whole command line.
void CheckCombination(TParser& p) {
  TCliOptions& o = p.Result.Options;
  std::string& error = p.Result.Error;
  if (o.Help || o.Version) return;
  if (p.SearchSeen && !p.FirstNameOption.empty()) {
    error = "'--search' cannot be mixed with '" + p.FirstNameOption + "'";
  } else if (!p.SearchSeen && (p.ReplaceSeen || p.CaseSensitiveSeen)) {
    error = std::string("'") + (p.ReplaceSeen ? "--replace" : "--case-sensitive") +
            "' needs '--search'";
  } else if ((o.Untangle || o.NoUndo) && !o.Apply) {
    error = std::string("'") + (o.Untangle ? "--untangle" : "--no-undo") + "' needs '--apply'";
  } else if (o.Wait && !o.Apply && !o.Undo) {
    error = "'--wait' needs '--apply' or '--undo'";
  } else if (o.Undo && (o.Apply || p.SearchSeen || !p.FirstNameOption.empty())) {
    error = "'--undo' cannot be mixed with options that make new names";
  } else if (p.Dirs.empty()) {
    error = "missing directory";
  } else if (p.Dirs.size() > 1) {
    error = "more than one directory given ('" + p.Dirs[0] + "', '" + p.Dirs[1] + "')";
  } else if (p.Dirs[0].empty()) {
    error = "the directory name is empty";
  } else {
    o.Dir = p.Dirs[0];
    o.Preview.RenamePage = !p.SearchSeen;
  }
}

}  // namespace

TParseResult ParseArguments(const std::vector<std::string>& args) {
  TParser p;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size() && p.Result.Error.empty(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      ParseOption(p, args, i);
    } else {
      p.Dirs.push_back(arg);
    }
  }
  if (p.Result.Error.empty()) CheckCombination(p);
  return p.Result;
}

}  // namespace Cli
