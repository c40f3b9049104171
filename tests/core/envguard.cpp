#include "core/envguard.h"

#include <cstdlib>

namespace TestUtil {

TEnvGuard::TEnvGuard(const char* name) : FName(name) {
  const char* v = std::getenv(name);
  FHad = v != nullptr;
  if (v) FValue = v;
}

TEnvGuard::TEnvGuard(const char* name, const std::string& value) : TEnvGuard(name) {
  ::setenv(name, value.c_str(), 1);
}

void TEnvGuard::Set(const char* value) const {
  if (value)
    ::setenv(FName, value, 1);
  else
    ::unsetenv(FName);
}

TEnvGuard::~TEnvGuard() {
  if (FHad)
    ::setenv(FName, FValue.c_str(), 1);
  else
    ::unsetenv(FName);
}

}  // namespace TestUtil
