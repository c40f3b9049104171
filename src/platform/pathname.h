#pragma once

#include <string_view>

// The parts of a file path, read from its text alone. Only "/" separates
// folders; a backslash or a colon is an ordinary character of a name.
namespace Platform {

// The folder of a path: everything up to and including its last "/"; empty
// when it has none ("/home/u/a.txt" gives "/home/u/", "/a" gives "/").
std::string_view PathFolder(std::string_view path);

// The name of a path: everything after its last "/"; the whole path when it
// has none. PathFolder followed by PathName is the path.
std::string_view PathName(std::string_view path);

// The extension of a file name: from its last "." to the end, dot included,
// provided no "/" follows that dot; empty without such a dot.
std::string_view ExtractExt(std::string_view name);

// The name without its extension: everything before that dot.
std::string_view ExtractNameWithoutExt(std::string_view name);

}  // namespace Platform
