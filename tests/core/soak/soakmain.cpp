// The long no-data-loss soak (make soak): morvane_soak [--runs N] [--seed S].
// Without a seed it takes one from the clock and prints it, so that a failure
// can be repeated.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "core/soak/soakrun.h"

int main(int argc, char** argv) {
  std::size_t runs = 5000;
  uint64_t seed =
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::strtoull(argv[i + 1], nullptr, 10);
    if (std::strcmp(argv[i], "--seed") == 0) seed = std::strtoull(argv[i + 1], nullptr, 10);
  }
  std::cout << "soak: " << runs << " runs, seed " << seed << std::endl;
  Soak::TSoakStats stats;
  const auto start = std::chrono::steady_clock::now();
  const std::string problem = Soak::RunSoak(seed, runs, stats, &std::cout);
  const auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
  std::cout << "soak: " << stats.Runs << " runs, " << stats.Rounds << " rename runs, "
            << stats.Moves << " files moved, " << stats.Failures << " failed moves, "
            << seconds.count() << " s" << std::endl;
  if (!problem.empty()) {
    std::cerr << "soak FAILED: " << problem << std::endl;
    return 1;
  }
  std::cout << "soak: no file lost" << std::endl;
  return 0;
}
