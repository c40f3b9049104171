#pragma once

#include <cstdint>
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

// The desktop's default application for a MIME type, as
// "xdg-mime query default" names it (a desktop file id such as
// "xchm.desktop"); empty when none is registered or xdg-mime cannot run.
std::string DefaultApplicationFor(const std::string& mimeType);

// Makes link a symbolic link to target unless an entry named link exists
// already (a dangling link counts). True when link is now a new link.
bool LinkIfAbsent(const std::string& target, const std::string& link);

// The process's working folder, empty when it cannot be told.
std::string CurrentDirectory();

// The size of the regular file at path (symbolic links followed), found
// without opening it; -1 when it is missing or anything else (a FIFO, a
// device, a folder).
int64_t RegularFileSize(const std::string& path);

// Gives every large block of memory back to the system as soon as it is
// freed. A list of a million files passes through buffers of tens of
// megabytes (the listing, the sort, the conflict table) one after another;
// without this the allocator keeps them, and the process's size is their sum
// rather than the largest step.
void ReturnLargeBlocksWhenFreed();

}  // namespace Platform
