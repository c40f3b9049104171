#include "filelist/facts.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>

namespace FileList {

namespace {

void ReadSome(const std::string& dirText, const TFileItems& rows,
              const Platform::TNeededFacts& needed, const TFactsReader& reader,
              std::atomic<std::size_t>& next, std::vector<Platform::TFileFacts>& facts) {
  for (std::size_t i = next++; i < rows.size(); i = next++) {
    try {
      facts[i] = reader(PathIn(dirText, rows[i].OldName), needed);
    } catch (const std::exception&) {
      facts[i] = {};
    }
  }
}

}  // namespace

bool NeedsAny(const Platform::TNeededFacts& needed) {
  return needed.Taken || needed.Camera || needed.Audio || needed.Modified;
}

std::vector<Platform::TFileFacts> ReadRowFacts(const std::string& dirText, const TFileItems& rows,
                                               const Platform::TNeededFacts& needed,
                                               const TFactsReader& reader, unsigned threads) {
  if (!NeedsAny(needed) || !reader || rows.empty()) return {};
  std::vector<Platform::TFileFacts> facts(rows.size());
  if (threads == 0) threads = std::max(1U, std::thread::hardware_concurrency());
  threads = static_cast<unsigned>(std::min<std::size_t>(threads, rows.size()));
  std::atomic<std::size_t> next{0};
  std::vector<std::thread> workers;
  workers.reserve(threads - 1);
  for (unsigned t = 1; t < threads; ++t) {
    try {
      workers.emplace_back([&]() { ReadSome(dirText, rows, needed, reader, next, facts); });
    } catch (const std::system_error&) {
      break;  // fewer workers: the others take their share
    }
  }
  ReadSome(dirText, rows, needed, reader, next, facts);
  for (std::thread& worker : workers) worker.join();
  return facts;
}

}  // namespace FileList
