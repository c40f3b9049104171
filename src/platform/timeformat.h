#pragma once

#include <cstdint>
#include <string>

namespace Platform {

// Formats seconds since the epoch with strftime: as UTC, or as local time when
// local is set. The format comes from the user: only the conversions that can
// neither grow without bound nor make a "/" are accepted (AllowedTimeFormat),
// and the output is bounded. False when the format is refused or the time
// cannot be broken down.
bool FormatTime(int64_t seconds, bool local, const std::string& format, std::string& out);

// Checks a format before it is used; on refusal sets offset (bytes into
// format) and a message.
bool AllowedTimeFormat(const std::string& format, std::size_t& offset, std::string& message);

}  // namespace Platform
