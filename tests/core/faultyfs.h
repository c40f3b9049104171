#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/filesystem.h"

namespace TestUtil {

// The real file system with the faults a test plans: before each rename
// (numbered from 0) BeforeMove may act (kill the process, create a file);
// Refuse may fail it with an errno value; the record's write, the lock and
// the identity can be made to fail too. Every rename tried is listed.
class TFaultyFs : public Platform::TFileSystem {
 public:
  std::function<void(int move, const std::string& from, const std::string& to)> BeforeMove;
  std::function<int(const std::string& from, const std::string& to)> Refuse;
  int WriteError = 0;  // of WritePrivateFile
  int LockError = 0;   // of LockDir
  std::vector<std::pair<std::string, std::string>> Moves;

  int RenameIn(const Platform::TDirectory& dir, const std::string& from,
               const std::string& to) override;
  int WritePrivateFile(const std::string& folder, const std::string& name,
                       const std::function<std::string_view()>& pieces) override;
  int LockDir(const Platform::TDirectory& dir, bool wait) override;
};

// Refuses the move from one name to another with error, times times (-1: always).
std::function<int(const std::string&, const std::string&)> RefuseMove(const std::string& from,
                                                                      const std::string& to,
                                                                      int error, int times = -1);

}  // namespace TestUtil
