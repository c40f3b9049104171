#include "fuzzutil.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace Fuzz {

void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, what);
  std::abort();
}

std::vector<std::string> SplitFields(const uint8_t* data, size_t size, size_t count) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> fields;
  size_t start = 0;
  while (fields.size() + 1 < count && start <= text.size()) {
    size_t lf = text.find('\n', start);
    if (lf == std::string::npos) lf = text.size();
    fields.push_back(text.substr(start, lf - start));
    start = lf + 1;
  }
  fields.push_back(start < text.size() ? text.substr(start) : std::string());
  fields.resize(count);
  return fields;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t lf; (lf = text.find('\n', start)) != std::string::npos; start = lf + 1)
    lines.push_back(text.substr(start, lf - start));
  lines.push_back(text.substr(start));
  return lines;
}

bool TMemoryFileSystem::ListDirectory(const std::string&,
                                      std::vector<Platform::TDirEntry>& entries) {
  entries.clear();
  return false;
}

int32_t TMemoryFileSystem::FileAge(const std::string&) { return -1; }

int TMemoryFileSystem::RenameIn(const Platform::TDirectory&, const std::string&,
                                const std::string&) {
  return EIO;
}

bool TMemoryFileSystem::ReadFile(const std::string& path, std::string& data) {
  auto found = Files.find(path);
  if (found == Files.end()) {
    data.clear();
    return false;
  }
  data = found->second;
  return true;
}

int TMemoryFileSystem::ReplaceFile(const std::string& path, const std::string& data) {
  Files[path] = data;
  return 0;
}

TFileSystemScope::TFileSystemScope(Platform::TFileSystem& fs) { Platform::SetFileSystem(&fs); }

TFileSystemScope::~TFileSystemScope() { Platform::SetFileSystem(nullptr); }

}  // namespace Fuzz
