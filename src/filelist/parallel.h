#pragma once

#include <cstddef>
#include <functional>

namespace FileList {

// Calls each(i) for every i below count, spread over up to threads workers
// (0: one per core), each worker taking the next index as it is free; with
// fewer than minPerThread indexes per worker, fewer workers run (one for a
// small count). each must not throw; it runs on several threads at once.
void ForEachIndex(std::size_t count, const std::function<void(std::size_t)>& each,
                  unsigned threads = 0, std::size_t minPerThread = 1);

}  // namespace FileList
