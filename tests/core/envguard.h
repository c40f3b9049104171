#pragma once

#include <string>

namespace TestUtil {

// Saves one environment variable and restores it (or its absence) when the
// guard ends; the second form also sets it for the guard's lifetime.
class TEnvGuard {
 public:
  explicit TEnvGuard(const char* name);
  TEnvGuard(const char* name, const std::string& value);
  ~TEnvGuard();
  // Sets the variable, or unsets it for nullptr.
  void Set(const char* value) const;
  TEnvGuard(const TEnvGuard&) = delete;
  TEnvGuard& operator=(const TEnvGuard&) = delete;

 private:
  const char* FName;
  bool FHad = false;
  std::string FValue;
};

}  // namespace TestUtil
