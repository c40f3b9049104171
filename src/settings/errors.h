#pragma once

#include <stdexcept>
#include <string>

namespace Settings {

// An error raised with a message for the user. Handlers do not catch it: it
// reaches the error display (start-up ends, a running window carries on).
class EMorvaneError : public std::runtime_error {
 public:
  explicit EMorvaneError(const std::string& message);
};

// The text shown by the error display: message with "." appended unless it
// already ends in "." or a character whose code is below that of ".".
std::string ErrorDisplayText(const std::string& message);

}  // namespace Settings
