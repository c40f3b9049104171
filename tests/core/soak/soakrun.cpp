#include "core/soak/soakrun.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "core/scriptedui.h"
#include "filelist/filter.h"
#include "filelist/scan.h"
#include "platform/filesystem.h"
#include "rename/failtext.h"
#include "rename/renamerun.h"

namespace Soak {

namespace {

namespace fs = std::filesystem;
using TRandom = std::mt19937_64;
// Relative path (below the work folder) -> content; a symbolic link's content
// is "link:" and its target.
using TTree = std::map<std::string, std::string>;

const char* const NamePieces[] = {"a",        "b",           "A",        "B",        "1",
                                  "2",        "3",           "01",       "00002",    "x y",
                                  " ",        ".hidden",     "\xff\xfe", "\xc3\xa9", "\xc3\x89",
                                  "\xce\xa3", "line\nbreak", "tab\t",    "trail.",   "..dots",
                                  "%s",       "&",           "IMG_",     "\x80",     "\xe2\x82"};
const char* const Extensions[] = {"", ".txt", ".TXT", ".jpg", ".JPG", ".tar.gz", ".", ".Txt"};
const char* const Filters[] = {"*", "*;txt", "txt",      "txt;TXT",          "*;jpg;txt",
                               "",  "jpg",   "*;gz;txt", "bmp;jpg;gif;jpeg", "*;"};
// Texts for prefix, suffix and replacement. A "/" only ever follows "sub",
// so no new name can climb out of the work folder with "..".
const char* const Affixes[] = {"",  "x",    "1", "A_", "sub/", "\xc3\xa9",
                               " ", "n\nl", ".", "..", "b",    "\xff"};
const char* const NewExtensions[] = {"", "txt", ".txt", "TXT", "tar.gz", "..x", ".", "jpg"};
const char* const Searches[] = {"",     "a",    "A", ".",        "1",  "x y",
                                "\xff", ".txt", "e", "\xc3\xa9", "b.", "2"};

template <std::size_t N>
const char* Pick(TRandom& random, const char* const (&choices)[N]) {
  return choices[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

int Between(TRandom& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

bool Chance(TRandom& random, int percent) { return Between(random, 1, 100) <= percent; }

// A name of at most 255 bytes, now and then exactly 255.
std::string RandomName(TRandom& random) {
  std::string name;
  if (Chance(random, 5)) {
    name = std::string(251, 'n') + Pick(random, Extensions) + "xxxx";
    name.resize(255);
    return name;
  }
  for (int i = Between(random, 1, 3); i > 0; --i) name += Pick(random, NamePieces);
  name += Pick(random, Extensions);
  return name;
}

void WriteWhole(const std::string& path, const std::string& data) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error("cannot create " + path);
  const bool written = ::write(fd, data.data(), data.size()) == static_cast<ssize_t>(data.size());
  ::close(fd);
  if (!written) throw std::runtime_error("cannot write " + path);
}

// Fills work with files of unique content, now and then a dangling symbolic
// link, and the subfolder "sub". Returns the number of entries made.
std::size_t MakeFolder(TRandom& random, const std::string& work, std::size_t run) {
  if (::mkdir(work.c_str(), 0755) != 0 || ::mkdir((work + "/sub").c_str(), 0755) != 0)
    throw std::runtime_error("cannot make " + work);
  std::set<std::string> names;
  const int count = Between(random, 0, 12);
  for (int i = 0; i < count; ++i) {
    const std::string name = RandomName(random);
    if (name == "." || name == ".." || name == "sub" || !names.insert(name).second) continue;
    const std::string unique = "run " + std::to_string(run) + " file " + std::to_string(i);
    const std::string path = work + "/" + name;
    if (Chance(random, 10)) {
      if (::symlink(("missing " + unique).c_str(), path.c_str()) != 0)
        throw std::runtime_error("cannot link " + path);
    } else {
      WriteWhole(path, unique);
    }
  }
  if (Chance(random, 20))
    WriteWhole(work + "/sub/" + RandomName(random), "in sub " + std::to_string(run));
  return names.size();
}

// Every file below root, by path relative to root.
TTree ReadTree(const std::string& root) {
  TTree tree;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
       ++it) {
    const fs::file_status status = it->symlink_status();
    const std::string relative = it->path().native().substr(root.size() + 1);
    if (fs::is_symlink(status)) {
      tree[relative] = "link:" + fs::read_symlink(it->path()).native();
    } else if (fs::is_regular_file(status)) {
      std::ifstream in(it->path(), std::ios::binary);
      std::ostringstream content;
      content << in.rdbuf();
      tree[relative] = content.str();
    } else if (!fs::is_directory(status)) {
      tree[relative] = "other";
    }
  }
  return tree;
}

std::multiset<std::string> Contents(const TTree& tree) {
  std::multiset<std::string> contents;
  for (const auto& [path, content] : tree) contents.insert(content);
  return contents;
}

// Answers failure boxes at random, but never asks for a third retry of the
// same move, so that a lasting failure cannot hold the run forever; a broken
// rule seen in a box goes to problem.
void AnswerAtRandom(TestUtil::TScriptedUi& ui, TRandom& random, bool confirm,
                    std::string& problem) {
  ui.ConfirmAnswer = confirm;
  auto last = std::make_shared<std::pair<std::string, int>>();  // text, repeats
  ui.Answer = [&random, &problem, last](const std::string& text) {
    if (text.size() >= Rename::FailTextBufferSize) problem = "failure text longer than its buffer";
    last->second = text == last->first ? last->second + 1 : 0;
    last->first = text;
    const int pick = Between(random, 0, 9);
    if (last->second >= 2 || pick < 6) return Rename::TFailAnswer::Ignore;
    return pick < 8 ? Rename::TFailAnswer::Retry : Rename::TFailAnswer::Abort;
  };
  ui.OnProgress = [&problem](int position) {
    if (position < 0 || position > 100) problem = "progress out of range";
  };
}

Rename::TNameOptions RandomNameOptions(TRandom& random) {
  Rename::TNameOptions name;
  name.Prefix = Chance(random, 50);
  name.PrefixText = Pick(random, Affixes);
  name.NamePart = static_cast<Rename::TNamePart>(Between(random, -1, 2));
  name.Suffix = Chance(random, 50);
  name.SuffixText = Pick(random, Affixes);
  name.Extension = Chance(random, 50);
  name.ExtensionText = Pick(random, NewExtensions);
  name.NameCase = static_cast<Rename::TNameCase>(Between(random, 0, 2));
  return name;
}

struct TRound {
  std::string Filter;
  FileList::TOrder Order = FileList::TOrder::Name;
  bool Confirm = true;
  Rename::TRenameRequest Request;
};

TRound RandomRound(TRandom& random, const std::string& work) {
  TRound round;
  round.Filter = Pick(random, Filters);
  round.Order = static_cast<FileList::TOrder>(Between(random, 0, 3));
  round.Confirm = Chance(random, 95);
  Rename::TRenameRequest& request = round.Request;
  request.Dir = Chance(random, 20) ? work + "/" : work;
  request.WarnBeforeRename = Chance(random, 50);
  request.ShowErrors = Chance(random, 70);
  request.Texts = {"Really rename file(s)?",
                   Chance(random, 80) ? "Cannot rename %s to %s!" : "%s%s%s%d%n%x%%",
                   "Renaming files... ", "Undo will not be possible (%s). Rename anyway?"};
  request.Preview.Page = Chance(random, 70) ? Rename::TPage::Rename : Rename::TPage::Replace;
  request.Preview.Name = RandomNameOptions(random);
  request.Preview.Replace = {Pick(random, Searches), Pick(random, Affixes), Chance(random, 50)};
  return round;
}

// Replays on the tree as it was before the run what the run reports for each
// row; gives the first report that cannot be true, or an empty text.
std::string Replay(TTree& tree, const std::string& base, const FileList::TFileItems& items,
                   const Rename::TRunOutcome& result) {
  if (!result.Ran) return {};
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].Status != FileList::TMoveStatus::Renamed) continue;
    const std::string from = base + items[i].OldName;
    const std::string to = base + items[i].NewName;
    if (tree.count(from) == 0) return "row " + std::to_string(i) + " moved a missing file";
    if (from == to) continue;
    if (tree.count(to) != 0) return "row " + std::to_string(i) + " moved onto a file";
    tree[to] = tree[from];
    tree.erase(from);
  }
  return {};
}

std::string Shown(const std::string& text) {
  std::ostringstream out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      out << c;
    } else {
      const char* digits = "0123456789abcdef";
      out << "\\x" << digits[c >> 4] << digits[c & 15];
    }
  }
  return out.str();
}

std::string Describe(const TTree& tree, const TRound& round) {
  const Rename::TPreviewOptions& p = round.Request.Preview;
  std::ostringstream out;
  out << "files:";
  for (const auto& [path, content] : tree) out << " [" << Shown(path) << "]";
  out << "\nfilter [" << Shown(round.Filter) << "] sort " << static_cast<int>(round.Order)
      << " dir [" << Shown(round.Request.Dir) << "] page "
      << (p.Page == Rename::TPage::Rename ? "rename" : "replace") << " prefix " << p.Name.Prefix
      << " [" << Shown(p.Name.PrefixText) << "] part " << static_cast<int>(p.Name.NamePart)
      << " suffix " << p.Name.Suffix << " [" << Shown(p.Name.SuffixText) << "] ext "
      << p.Name.Extension << " [" << Shown(p.Name.ExtensionText) << "] case "
      << static_cast<int>(p.Name.NameCase) << " search [" << Shown(p.Replace.Search)
      << "] replace [" << Shown(p.Replace.Replace) << "] case-sensitive "
      << p.Replace.CaseSensitive;
  return out.str();
}

// One rename run on the folder below root; empty when every rule held.
std::string SoakRound(TRandom& random, const std::string& root, const TTree& original,
                      TSoakStats& stats) {
  TRound round = RandomRound(random, root + "/w");
  FileList::TFileItems items =
      FileList::ScanDirectory(round.Request.Dir, FileList::ParseFilter(round.Filter), round.Order);
  TTree expected = ReadTree(root);
  const std::string before = Describe(expected, round);
  std::string problem;
  TestUtil::TScriptedUi ui;
  AnswerAtRandom(ui, random, round.Confirm, problem);
  const Rename::TRunOutcome result =
      Rename::RunRename(Platform::FileSystem(), items, round.Request, ui);
  const TTree after = ReadTree(root);
  ++stats.Rounds;
  stats.Moves += result.Renamed;
  stats.Failures += result.Failed;
  if (Contents(after) != Contents(original)) problem = "a file was lost, doubled or replaced";
  if (problem.empty()) problem = Replay(expected, "w/", items, result);
  if (problem.empty() && expected != after) problem = "the folder differs from the run's report";
  if (problem.empty() && result.Ran && result.Renamed + result.Failed > items.size())
    problem = "more results than rows";
  return problem.empty() ? problem : problem + "\n" + before;
}

std::string SoakFolder(TRandom& random, std::size_t run, TSoakStats& stats) {
  char pattern[] = "/tmp/morvane-soak-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
  const std::string root = pattern;
  std::string problem;
  try {
    MakeFolder(random, root + "/w", run);
    const TTree original = ReadTree(root);
    for (int round = Between(random, 1, 3); round > 0 && problem.empty(); --round)
      problem = SoakRound(random, root, original, stats);
  } catch (const std::exception& error) {
    problem = std::string("soak machinery: ") + error.what();
  }
  std::error_code ignored;
  fs::remove_all(root, ignored);
  return problem;
}

}  // namespace

std::string RunSoak(uint64_t seed, std::size_t runs, TSoakStats& stats, std::ostream* log) {
  TRandom random(seed);
  for (std::size_t run = 0; run < runs; ++run) {
    const std::string problem = SoakFolder(random, run, stats);
    ++stats.Runs;
    if (!problem.empty())
      return "seed " + std::to_string(seed) + ", run " + std::to_string(run) + ": " + problem;
    if (log && (run + 1) % 500 == 0) *log << (run + 1) << " runs" << std::endl;
  }
  return {};
}

}  // namespace Soak
