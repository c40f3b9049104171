#include "cli/options.h"

#include <array>
#include <cstdint>
#include <exception>
#include <optional>
#include <string_view>

#include "rename/presets.h"

namespace Cli {

namespace {

using FileList::TOrder;
using Rename::TNameCase;
using Rename::TNamePart;

template <typename T>
struct TChoice {
  std::string_view Word;
  T Value;
};

constexpr std::array<TChoice<TOrder>, 8> SortChoices{{{"name", TOrder::Name},
                                                      {"date", TOrder::Age},
                                                      {"name-desc", TOrder::NameDesc},
                                                      {"date-desc", TOrder::AgeDesc},
                                                      {"natural", TOrder::Natural},
                                                      {"natural-desc", TOrder::NaturalDesc},
                                                      {"taken", TOrder::Taken},
                                                      {"taken-desc", TOrder::TakenDesc}}};
constexpr std::array<TChoice<TNamePart>, 3> NameChoices{{{"original", TNamePart::Original},
                                                         {"number", TNamePart::Number},
                                                         {"padded", TNamePart::PaddedNumber}}};
constexpr std::array<TChoice<TNameCase>, 2> CaseChoices{
    {{"upper", TNameCase::Upper}, {"lower", TNameCase::Lower}}};

// Options that take a value; the rest are switches.
constexpr std::array<std::string_view, 13> ValueOptions{
    "--filter", "--sort",    "--prefix",  "--name",  "--suffix", "--ext",   "--case",
    "--search", "--replace", "--pattern", "--start", "--step",   "--preset"};
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

template <typename T, std::size_t N>
std::string ChoiceList(const std::array<TChoice<T>, N>& choices) {
  std::string text;
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) text += i + 1 == N ? " or " : ", ";
    text += choices[i].Word;
  }
  return text;
}

// Looks a value up among the choices; sets error when it is not one of them
// (and leaves target as it was).
template <typename T, std::size_t N>
void PickChoice(const std::array<TChoice<T>, N>& choices, const std::string& option,
                const std::string& value, T& target, std::string& error) {
  for (const TChoice<T>& choice : choices) {
    if (choice.Word == value) {
      target = choice.Value;
      return;
    }
  }
  error = "bad value '" + value + "' for '" + option + "' (choose " + ChoiceList(choices) + ")";
}

// The parser's state across arguments.
struct TParser {
  TParseResult Result;
  std::vector<std::string> Dirs;
  std::string FirstNameOption;  // the first Rename-page option seen, if any
  bool SearchSeen = false;
  bool ReplaceSeen = false;
  bool CaseSensitiveSeen = false;
  bool PatternSeen = false;
  std::string FirstSearchSwitch;  // --regex or --all
  bool PresetSeen = false;
  std::string FirstCounterOption;  // --start or --step
};

// A whole number for --start and --step.
void ParseCount(const std::string& option, const std::string& value, int64_t& target,
                std::string& error) {
  std::size_t used = 0;
  try {
    const long long parsed = std::stoll(value, &used, 10);
    if (used == value.size() && !value.empty() && value[0] != ' ') {
      target = parsed;
      return;
    }
  } catch (const std::exception&) {
  }
  error = "bad value '" + value + "' for '" + option + "' (a whole number)";
}

// An expression that does not compile is refused with the library's message.
bool CheckExpression(const Rename::TReplaceOptions& replace, std::string& error) {
  if (!replace.Regex) return true;
  const Rename::TCharSub sub(replace);
  if (sub.Error().empty()) return true;
  error = "bad regular expression '" + replace.Search + "': " + sub.Error();
  return false;
}

// A template is refused before anything is read, with the place of its fault.
void CheckTemplate(const std::string& text, std::string& error) {
  Rename::TTemplate parsed;
  Rename::TTemplateError fault;
  if (Rename::ParseTemplate(text, parsed, fault)) return;
  error = "bad template '" + text + "' at character " +
          std::to_string(Rename::CharacterAt(text, fault.Offset)) + ": " + fault.Message;
}

void ApplyPatternValue(TParser& p, const std::string& option, const std::string& value) {
  Rename::TPatternOptions& pattern = p.Result.Options.Choices.Preview.Pattern;
  std::string& error = p.Result.Error;
  if (option == "--pattern") {
    p.PatternSeen = true;
    pattern.Template = value;
    CheckTemplate(value, error);
    return;
  }
  if (p.FirstCounterOption.empty()) p.FirstCounterOption = option;
  ParseCount(option, value, option == "--start" ? pattern.Start : pattern.Step, error);
}

void ApplyValue(TParser& p, const std::string& option, const std::string& value) {
  TCliOptions& o = p.Result.Options;
  Rename::TPreviewOptions& preview = o.Choices.Preview;
  Rename::TNameOptions& name = preview.Name;
  std::string& error = p.Result.Error;
  if (Contains(NameOptions, option) && p.FirstNameOption.empty()) p.FirstNameOption = option;
  if (option == "--filter") {
    o.Filter = value;
  } else if (option == "--sort") {
    PickChoice(SortChoices, option, value, o.Choices.Order, error);
  } else if (option == "--prefix") {
    name.Prefix = true;
    name.PrefixText = value;
  } else if (option == "--name") {
    PickChoice(NameChoices, option, value, name.NamePart, error);
  } else if (option == "--suffix") {
    name.Suffix = true;
    name.SuffixText = value;
  } else if (option == "--ext") {
    name.Extension = true;
    name.ExtensionText = value;
  } else if (option == "--case") {
    PickChoice(CaseChoices, option, value, name.NameCase, error);
  } else if (option == "--search") {
    p.SearchSeen = true;
    preview.Replace.Search = value;
  } else if (option == "--replace") {
    p.ReplaceSeen = true;
    preview.Replace.Replace = value;
  } else if (option != "--preset") {  // read before the other options
    ApplyPatternValue(p, option, value);
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
    o.Choices.Untangle = true;
  } else if (option == "--undo") {
    o.Undo = true;
  } else if (option == "--hidden") {
    o.Hidden = true;
  } else if (option == "--regex" || option == "--all") {
    if (p.FirstSearchSwitch.empty()) p.FirstSearchSwitch = option;
    (option == "--regex" ? o.Choices.Preview.Replace.Regex : o.Choices.Preview.Replace.All) = true;
  } else if (option == "--no-undo") {
    o.NoUndo = true;
  } else if (option == "--wait") {
    o.Wait = true;
  } else if (option == "--case-sensitive") {
    p.CaseSensitiveSeen = true;
    o.Choices.Preview.Replace.CaseSensitive = true;
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
// The checks among the options that make new names; false with error set.
bool CheckNameChoices(const TParser& p, std::string& error) {
  if (p.SearchSeen && !p.FirstNameOption.empty()) {
    error = "'--search' cannot be mixed with '" + p.FirstNameOption + "'";
  } else if (p.PatternSeen && (p.SearchSeen || !p.FirstNameOption.empty())) {
    error = "'--pattern' cannot be mixed with '" +
            (p.SearchSeen ? std::string("--search") : p.FirstNameOption) + "'";
  } else if (!p.PatternSeen && !p.FirstCounterOption.empty()) {
    error = "'" + p.FirstCounterOption + "' needs '--pattern'";
  } else if (!p.SearchSeen && (p.ReplaceSeen || p.CaseSensitiveSeen)) {
    error = std::string("'") + (p.ReplaceSeen ? "--replace" : "--case-sensitive") +
            "' needs '--search'";
  } else if (!p.SearchSeen && !p.FirstSearchSwitch.empty()) {
    error = "'" + p.FirstSearchSwitch + "' needs '--search'";
  } else {
    return CheckExpression(p.Result.Options.Choices.Preview.Replace, error);
  }
  return false;
}

void CheckCombination(TParser& p) {
  TCliOptions& o = p.Result.Options;
  std::string& error = p.Result.Error;
  if (o.Help || o.Version) return;
  if (!CheckNameChoices(p, error)) return;
  if ((o.Choices.Untangle || o.NoUndo) && !o.Apply) {
    error =
        std::string("'") + (o.Choices.Untangle ? "--untangle" : "--no-undo") + "' needs '--apply'";
  } else if (o.Wait && !o.Apply && !o.Undo) {
    error = "'--wait' needs '--apply' or '--undo'";
  } else if (o.Undo && (o.Apply || p.SearchSeen || p.PatternSeen || !p.FirstNameOption.empty())) {
    error = "'--undo' cannot be mixed with options that make new names";
  } else if (p.Dirs.empty()) {
    error = "missing directory or files";
  } else if (p.Dirs.size() == 1 && p.Dirs[0].empty()) {
    error = "the directory name is empty";
  } else {
    o.Dir = p.Dirs[0];
    o.Paths = p.Dirs;
    Rename::TPage& page = o.Choices.Preview.Page;
    const bool chosen = p.PatternSeen || p.SearchSeen || !p.FirstNameOption.empty();
    if (chosen || !p.PresetSeen)
      page = p.PatternSeen  ? Rename::TPage::Pattern
             : p.SearchSeen ? Rename::TPage::Replace
                            : Rename::TPage::Rename;
  }
}

// A preset gives the choices first; the options given override them.
void ApplyPreset(TParser& p, const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
    std::string name;
    if (args[i].rfind("--preset=", 0) == 0) {
      name = args[i].substr(9);
    } else if (args[i] == "--preset" && i + 1 < args.size()) {
      name = args[i + 1];
    } else {
      continue;
    }
    p.PresetSeen = true;
    if (!Rename::LoadPreset(Rename::PresetFolder(), name, p.Result.Options.Choices))
      p.Result.Error = "no preset named '" + name + "' in " + Rename::PresetFolder();
    return;
  }
}

}  // namespace

TParseResult ParseArguments(const std::vector<std::string>& args) {
  TParser p;
  ApplyPreset(p, args);
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
