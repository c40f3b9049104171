#include "filelist/parallel.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace FileList {

void ForEachIndex(std::size_t count, const std::function<void(std::size_t)>& each, unsigned threads,
                  std::size_t minPerThread) {
  if (threads == 0) threads = std::max(1U, std::thread::hardware_concurrency());
  const std::size_t useful = count / std::max<std::size_t>(minPerThread, 1);
  threads = static_cast<unsigned>(std::clamp<std::size_t>(useful, 1, threads));
  std::atomic<std::size_t> next{0};
  const auto work = [&]() {
    for (std::size_t i = next++; i < count; i = next++) each(i);
  };
  std::vector<std::thread> workers;
  workers.reserve(threads - 1);
  for (unsigned t = 1; t < threads; ++t) {
    try {
      workers.emplace_back(work);
    } catch (const std::system_error&) {
      break;  // fewer workers: the others take their share
    }
  }
  work();
  for (std::thread& worker : workers) worker.join();
}

}  // namespace FileList
