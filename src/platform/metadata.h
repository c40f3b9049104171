// src/platform/metadata.h
#pragma once
#include <cstdint>
#include <optional>
#include <string>
namespace Platform {
// Which facts a template needs; nothing else is read.
struct TNeededFacts {
  bool Taken = false, Camera = false, Audio = false, Modified = false;
};
struct TFileFacts {
  std::optional<int64_t> Taken;  // date taken, seconds since the epoch as local wall-clock time
                                 // read as UTC (EXIF has no zone)
  std::optional<std::string> Camera;
  std::optional<std::string> Artist, Album, Title;
  std::optional<int> Year, Track;
  std::optional<int64_t> Modified;  // mtime, seconds since the epoch (UTC)
};
// Reads what is needed from one file (path as bytes); fields it cannot give stay empty.
// Never throws; bounded in size and time.
TFileFacts ReadFacts(const std::string& path, const TNeededFacts& needed);
}  // namespace Platform

namespace Platform {
// A date and time as photos write it, "YYYY:MM:DD HH:MM:SS" (EXIF) or ISO
// 8601 "YYYY-MM-DDTHH:MM[:SS]" (XMP, where the time may be missing); a
// fraction and zone after it are ignored. Empty for blank, zero or impossible
// dates.
std::optional<int64_t> ParseTakenDate(const std::string& text);
}  // namespace Platform
