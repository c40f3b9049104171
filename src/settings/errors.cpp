#include "settings/errors.h"

namespace Settings {

EMorvaneError::EMorvaneError(const std::string& message) : std::runtime_error(message) {}

std::string ErrorDisplayText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) <= '.') return message;
  return message + ".";
}

}  // namespace Settings
