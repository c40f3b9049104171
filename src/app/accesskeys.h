#pragma once

#include <string>
#include <vector>

namespace App {

// Gives the entries of one menu level their access keys ("&" before the
// chosen letter or digit). Captions come in menu order; separators ("-") and
// empty captions are left as they are, and so are entries the caller marks as
// hidden. farEast selects the double-byte rule for captions that hold a
// Chinese, Japanese or Korean character.
std::vector<std::string> AssignAccessKeys(const std::vector<std::string>& captions,
                                          const std::vector<bool>& hidden, bool farEast);

}  // namespace App
