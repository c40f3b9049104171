#include "platform/system.h"

namespace Platform {

std::string ExecutablePath() { return {}; }

std::string EnvironmentValue(const char*) { return {}; }

std::string ConfigHome() { return {}; }

}  // namespace Platform
