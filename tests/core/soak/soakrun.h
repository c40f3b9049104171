#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

// No-data-loss soak: random folders and option sets go through the scan and
// the rename run on disk, and after every run the folder must hold exactly
// the files it held before (each file has content of its own, so a lost,
// doubled or overwritten file shows), placed as the run reported.
namespace Soak {

struct TSoakStats {
  std::size_t Runs = 0;      // folders made and renamed
  std::size_t Rounds = 0;    // rename runs (each folder gets one to three)
  std::size_t Moves = 0;     // rows the runs renamed
  std::size_t Failures = 0;  // rows whose move failed
};

// Runs `runs` random folders from seed. Returns a description of the first
// broken rule, with what is needed to repeat it; empty when all held. Progress
// goes to log when it is given.
std::string RunSoak(uint64_t seed, std::size_t runs, TSoakStats& stats, std::ostream* log);

}  // namespace Soak
