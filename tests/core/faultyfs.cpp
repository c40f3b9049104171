#include "core/faultyfs.h"

#include <memory>

namespace TestUtil {

int TFaultyFs::RenameIn(const Platform::TDirectory& dir, const std::string& from,
                        const std::string& to) {
  const int move = static_cast<int>(Moves.size());
  Moves.emplace_back(from, to);
  if (BeforeMove) BeforeMove(move, from, to);
  if (Refuse) {
    if (const int error = Refuse(from, to)) return error;
  }
  return Platform::TFileSystem::RenameIn(dir, from, to);
}

int TFaultyFs::WritePrivateFile(const std::string& folder, const std::string& name,
                                const std::function<std::string_view()>& pieces) {
  if (WriteError != 0) return WriteError;
  return Platform::TFileSystem::WritePrivateFile(folder, name, pieces);
}

int TFaultyFs::LockDir(const Platform::TDirectory& dir, bool wait) {
  if (LockError != 0) return LockError;
  return Platform::TFileSystem::LockDir(dir, wait);
}

std::function<int(const std::string&, const std::string&)> RefuseMove(const std::string& from,
                                                                      const std::string& to,
                                                                      int error, int times) {
  auto left = std::make_shared<int>(times);
  return [=](const std::string& f, const std::string& t) {
    if (f != from || (!to.empty() && t != to) || *left == 0) return 0;
    if (*left > 0) --*left;
    return error;
  };
}

}  // namespace TestUtil
