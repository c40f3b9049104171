#include "lang/formmodel.h"

namespace Lang {

std::string FindTextProperty(const std::string&, const std::string&) { return {}; }

TFormComponent::~TFormComponent() = default;
TFormModel::~TFormModel() = default;

}  // namespace Lang
