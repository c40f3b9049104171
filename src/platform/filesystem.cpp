#include "platform/filesystem.h"

namespace Platform {

namespace {
TFileSystem RealFileSystem;
TFileSystem* CurrentFileSystem = &RealFileSystem;
}  // namespace

TFileSystem::~TFileSystem() = default;

bool TFileSystem::ListDirectory(const std::string& dir, std::vector<TDirEntry>& entries) {
  return Platform::ListDirectory(dir, entries);
}

int32_t TFileSystem::FileAge(const std::string& path) { return Platform::FileAge(path); }

bool TFileSystem::ReadFile(const std::string& path, std::string& data) {
  return Platform::ReadFile(path, data);
}

int TFileSystem::ReplaceFile(const std::string& path, const std::string& data) {
  return Platform::ReplaceFile(path, data);
}

int TFileSystem::RenameIn(const TDirectory& dir, const std::string& from, const std::string& to) {
  if (dir.Handle() < 0) return dir.OpenError();
  return Platform::RenameNoReplaceAt(dir.Handle(), from, to);
}

TFileSystem& FileSystem() { return *CurrentFileSystem; }

void SetFileSystem(TFileSystem* fs) { CurrentFileSystem = fs ? fs : &RealFileSystem; }

}  // namespace Platform
