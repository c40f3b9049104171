#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/filesystem.h"

// Helpers shared by the fuzz targets.
namespace Fuzz {

// Reports a broken property and aborts, so that libFuzzer keeps the input.
[[noreturn]] void Fail(const char* what, const char* file, int line);

// The input cut into count fields: the first count - 1 lines (LF ends each)
// and then all the rest, line breaks included. Missing fields are empty.
std::vector<std::string> SplitFields(const uint8_t* data, size_t size, size_t count);

// The input cut into fields at every LF.
std::vector<std::string> SplitLines(const std::string& text);

// An in-memory file system: files are texts by path; everything else fails.
class TMemoryFileSystem : public Platform::TFileSystem {
 public:
  std::map<std::string, std::string> Files;

  bool ListDirectory(const std::string& dir, std::vector<Platform::TDirEntry>& entries) override;
  int32_t FileAge(const std::string& path) override;
  int RenameIn(const Platform::TDirectory& dir, const std::string& from,
               const std::string& to) override;
  bool ReadFile(const std::string& path, std::string& data) override;
  int ReplaceFile(const std::string& path, const std::string& data) override;
};

// Puts a file system in place for the span of one input.
class TFileSystemScope {
 public:
  explicit TFileSystemScope(Platform::TFileSystem& fs);
  ~TFileSystemScope();
  TFileSystemScope(const TFileSystemScope&) = delete;
  TFileSystemScope& operator=(const TFileSystemScope&) = delete;
};

}  // namespace Fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::Fuzz::Fail(#condition, __FILE__, __LINE__))
