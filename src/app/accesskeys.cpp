#include "app/accesskeys.h"

namespace App {

std::vector<std::string> AssignAccessKeys(const std::vector<std::string>& captions,
                                          const std::vector<bool>&, bool) {
  return captions;
}

}  // namespace App
