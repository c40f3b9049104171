#pragma once

#include <string>

// Facts about the running program and its user.
namespace Platform {

// Full path of the running executable (/proc/self/exe), empty when unknown.
std::string ExecutablePath();

// Value of an environment variable, empty when unset.
std::string EnvironmentValue(const char* name);

// The user's configuration folder: $XDG_CONFIG_HOME, else $HOME/.config;
// no trailing separator.
std::string ConfigHome();

// The process's working folder, empty when it cannot be told.
std::string CurrentDirectory();

}  // namespace Platform
