// Photos for the metadata benchmark and the timed read of their dates.
//   bench_metadata jpeg FILE              writes a tiny JPEG without metadata
//   bench_metadata make DIR COUNT TAGGED  copies TAGGED (whose DateTimeOriginal
//                                         is 2000:01:01 00:00:00) COUNT times,
//                                         each with its own date
//   bench_metadata read DIR               reads the date taken of every file
//                                         on all cores; prints the seconds
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "core/photos.h"
#include "platform/metadata.h"

namespace {

const std::string TemplateDate = "2000:01:01 00:00:00";

void Write(const std::string& path, const std::string& data) {
  std::ofstream(path, std::ios::binary) << data;
}

int Make(const std::string& dir, int count, const std::string& tagged) {
  std::ifstream in(tagged, std::ios::binary);
  const std::string photo{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const size_t at = photo.find(TemplateDate);
  if (at == std::string::npos) return std::fprintf(stderr, "no date in %s\n", tagged.c_str()), 1;
  for (int i = 0; i < count; ++i) {
    const time_t t = 978307200 + time_t{i} * 3677;  // from 2001, an hour and a bit apart
    struct tm parts;
    gmtime_r(&t, &parts);
    char date[32], name[32];
    std::strftime(date, sizeof date, "%Y:%m:%d %H:%M:%S", &parts);
    std::snprintf(name, sizeof name, "/photo_%06d.jpg", i);
    std::string copy = photo;
    copy.replace(at, TemplateDate.size(), date);
    Write(dir + name, copy);
  }
  return 0;
}

int Read(const std::string& dir) {
  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) paths.push_back(entry.path());
  const auto start = std::chrono::steady_clock::now();
  std::atomic<size_t> next{0}, dated{0};
  std::vector<std::thread> workers;
  for (unsigned w = 0; w < std::max(1u, std::thread::hardware_concurrency()); ++w) {
    workers.emplace_back([&] {
      for (size_t i; (i = next++) < paths.size();) {
        if (Platform::ReadFacts(paths[i], {true, false, false, false}).Taken) ++dated;
      }
    });
  }
  for (std::thread& worker : workers) worker.join();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (dated != paths.size())
    return std::fprintf(stderr, "%zu of %zu dated\n", dated.load(), paths.size()), 1;
  std::printf("%.3f\n", took.count());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "jpeg") return Write(args[1], TestUtil::TinyJpeg()), 0;
  if (args.size() == 4 && args[0] == "make") return Make(args[1], std::stoi(args[2]), args[3]);
  if (args.size() == 2 && args[0] == "read") return Read(args[1]);
  std::fprintf(stderr, "usage: bench_metadata jpeg FILE | make DIR COUNT TAGGED | read DIR\n");
  return 2;
}
