// Renames every file of a folder of numbered files, either through the rename
// run (prefix and clever numbering, silent answers, no confirmation) or through
// a plain loop of the same no-replace renameat2 calls, and prints the seconds
// the renames took.
//
//   bench_rename make   <dir> <count>   creates file_000001.jpg ...
//   bench_rename engine <dir> <count>   renames them to img_00001.jpg ...
//   bench_rename plain  <dir> <count>   the same with a plain loop
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "filelist/fileitem.h"
#include "platform/filesystem.h"
#include "rename/renamerun.h"

namespace {

class TSilentUi : public Rename::TRenameUi {
 public:
  bool ConfirmRename(const std::string&) override { return true; }
  Rename::TFailAnswer RenameFailed(const std::string&) override {
    return Rename::TFailAnswer::Ignore;
  }
  void ShowProgress(int, const std::string&) override {}
  void SetBusy(bool) override {}
};

std::string OldName(long i) {
  char name[32];
  std::snprintf(name, sizeof name, "file_%06ld.jpg", i);
  return name;
}

int Make(const std::string& dir, long count) {
  for (long i = 1; i <= count; ++i) {
    const int fd = ::open((dir + "/" + OldName(i)).c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
    if (fd < 0) return std::perror("open"), 1;
    ::close(fd);
  }
  return 0;
}

int Engine(const std::string& dir, long count) {
  FileList::TFileItems items(count);
  for (long i = 0; i < count; ++i) items[i].OldName = OldName(i + 1);
  Rename::TRenameRequest request;
  request.Dir = dir;
  request.WarnBeforeRename = false;
  request.Texts.Ren = "Renaming files... ";
  request.Preview.Name.Prefix = true;
  request.Preview.Name.PrefixText = "img_";
  request.Preview.Name.NamePart = Rename::TNamePart::PaddedNumber;
  // The journal is on, as in the window: it lands beside the folder.
  request.JournalFolder = dir + ".journal";
  TSilentUi ui;
  const auto start = std::chrono::steady_clock::now();
  const Rename::TRunOutcome result = Rename::RunRename(Platform::FileSystem(), items, request, ui);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%.6f\n", took.count());
  return result.Renamed == static_cast<std::size_t>(count) ? 0 : 1;
}

int Plain(const std::string& dir, long count) {
  long renamed = 0;
  const auto start = std::chrono::steady_clock::now();
  for (long i = 1; i <= count; ++i) {
    char to[32];
    std::snprintf(to, sizeof to, "img_%05ld.jpg", i);
    const std::string from = dir + "/" + OldName(i);
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, (dir + "/" + to).c_str(), RENAME_NOREPLACE) ==
        0)
      ++renamed;
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%.6f\n", took.count());
  return renamed == count ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s make|engine|plain <dir> <count>\n", argv[0]);
    return 2;
  }
  const std::string mode = argv[1];
  const std::string dir = argv[2];
  const long count = std::strtol(argv[3], nullptr, 10);
  if (mode == "make") return Make(dir, count);
  if (mode == "engine") return Engine(dir, count);
  if (mode == "plain") return Plain(dir, count);
  std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
  return 2;
}
