#pragma once

#include <string>

// Facts about the running program and its user.
namespace Platform {

// Full path of the running executable (/proc/self/exe), empty when unknown.
std::string ExecutablePath();

// The running process's id, in decimal.
std::string ProcessId();

// Value of an environment variable, empty when unset.
std::string EnvironmentValue(const char* name);

// The user's configuration folder: $XDG_CONFIG_HOME, else $HOME/.config;
// no trailing separator.
std::string ConfigHome();

}  // namespace Platform
