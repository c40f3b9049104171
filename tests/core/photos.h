#pragma once

#include <string>

namespace TestUtil {

// The smallest baseline JPEG a decoder takes: one grey pixel, no metadata.
// Tests and the metadata benchmark add their EXIF to it.
inline std::string TinyJpeg() {
  std::string j("\xFF\xD8\xFF\xDB\x00\x43\x00", 7);
  j += std::string(64, '\x01');
  j += std::string("\xFF\xC0\x00\x0B\x08\x00\x01\x00\x01\x01\x01\x11\x00", 13);
  for (char tableClass : {'\x00', '\x10'}) {
    j += std::string("\xFF\xC4\x00\x14", 4) + tableClass + '\x01' + std::string(15, '\0') + '\0';
  }
  return j + std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00\x3F\xFF\xD9", 13);
}

}  // namespace TestUtil
