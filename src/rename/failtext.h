#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Rename {

// The size of the failure message buffer, terminating byte included.
constexpr std::size_t FailTextBufferSize = 1024;

// Formats an untrusted failure caption: the first "%s" takes oldPath, the
// second newPath (each as FileList::VisibleName shows it), every other "%"
// sequence is copied as it stands; the result
// is cut to FailTextBufferSize - 1 bytes. Reads nothing beyond the two paths.
std::string FormatFailText(std::string_view format, std::string_view oldPath,
                           std::string_view newPath);

}  // namespace Rename
