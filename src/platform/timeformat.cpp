#include "platform/timeformat.h"

#include <time.h>

#include <array>
#include <string_view>

namespace Platform {

namespace {

// Conversions whose text is short and never holds a "/": no %D, %x or %c
// (whose locale forms may), no field widths or E/O modifiers.
constexpr std::string_view Conversions = "aAbBCdeFgGhHIjklmMpRsSTuUVwWyYzZ%";
constexpr std::size_t MaxFormatLength = 64;
constexpr std::size_t MaxOutputLength = 1024;

}  // namespace

bool AllowedTimeFormat(const std::string& format, std::size_t& offset, std::string& message) {
  if (format.size() > MaxFormatLength) {
    offset = MaxFormatLength;
    message = "the date format is longer than " + std::to_string(MaxFormatLength) + " bytes";
    return false;
  }
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '/') {
      offset = i;
      message = "a date format cannot hold '/'";
      return false;
    }
    if (format[i] != '%') continue;
    if (i + 1 >= format.size() || Conversions.find(format[i + 1]) == std::string_view::npos) {
      offset = i;
      message = "unknown or unsafe date conversion '" + format.substr(i, 2) + "'";
      return false;
    }
    ++i;
  }
  return true;
}

bool FormatTime(int64_t seconds, bool local, const std::string& format, std::string& out) {
  std::size_t offset = 0;
  std::string message;
  if (!AllowedTimeFormat(format, offset, message)) return false;
  const auto time = static_cast<time_t>(seconds);
  if (static_cast<int64_t>(time) != seconds) return false;
  struct tm parts = {};
  if ((local ? localtime_r(&time, &parts) : gmtime_r(&time, &parts)) == nullptr) return false;
  // A leading space tells an empty result from one that did not fit.
  std::array<char, MaxOutputLength + 2> buffer{};
  const std::string spaced = " " + format;
  const std::size_t length = strftime(buffer.data(), buffer.size(), spaced.c_str(), &parts);
  if (length == 0) return false;
  out.assign(buffer.data() + 1, length - 1);
  return true;
}

}  // namespace Platform
