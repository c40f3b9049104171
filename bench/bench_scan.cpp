// Times the directory scan. "bench_scan make DIR COUNT" fills DIR with COUNT
// files of varied names and modification times; "bench_scan scan DIR RUNS"
// scans DIR RUNS times (all files, name order) and prints the best time in
// seconds and the number of rows.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "filelist/scan.h"

namespace {

const char* const Extensions[] = {".txt", ".JPG", ".bmp", ".tar.gz", "", ".Mp3"};

int MakeFiles(const std::string& dir, int count) {
  std::mt19937 random(42);
  std::uniform_int_distribution<long> age(315532800L, 2538909296L);
  for (int i = 0; i < count; ++i) {
    std::string name = (i % 3 == 0   ? "Photo_"
                        : i % 3 == 1 ? "doc-"
                                     : "a") +
                       std::to_string(random() % 1000000) + "_" + std::to_string(i) +
                       Extensions[i % 6];
    std::string path = dir + "/" + name;
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
      std::perror(path.c_str());
      return 1;
    }
    struct timespec times[2] = {{age(random), 0}, {age(random), 0}};
    ::futimens(fd, times);
    ::close(fd);
  }
  return 0;
}

int TimeScans(const std::string& dir, int runs) {
  double best = 1e9;
  size_t rows = 0;
  for (int run = 0; run < runs; ++run) {
    auto start = std::chrono::steady_clock::now();
    FileList::TFileItems items = FileList::ScanDirectory(dir, {".*"}, FileList::TOrder::Name);
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (took.count() < best) best = took.count();
    rows = items.size();
  }
  std::printf("%.4f %zu\n", best, rows);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "make") return MakeFiles(argv[2], std::atoi(argv[3]));
  if (argc == 4 && std::string(argv[1]) == "scan") return TimeScans(argv[2], std::atoi(argv[3]));
  std::fprintf(stderr, "usage: bench_scan make DIR COUNT | scan DIR RUNS\n");
  return 2;
}
