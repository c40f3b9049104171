#include "lang/formmodel.h"

#include <string_view>

#include "platform/casemap.h"

namespace Lang {

namespace {

struct TKindProperties {
  std::string_view ClassName;
  bool Caption;
  bool Hint;
  bool Text;
};

constexpr TKindProperties Kinds[] = {
    {"TPanel", true, true, false},         {"TLabel", true, true, false},
    {"TSpeedButton", true, true, false},   {"TToolBar", true, true, false},
    {"TToolButton", true, true, false},    {"TTabSheet", true, true, false},
    {"TRadioGroup", true, true, false},    {"TGroupBox", true, true, false},
    {"TCheckBox", true, true, false},      {"TMenuItem", true, true, false},
    {"TEdit", false, true, true},          {"TComboBox", false, true, true},
    {"TBevel", false, true, false},        {"TListBox", false, true, false},
    {"TListView", false, true, false},     {"TProgressBar", false, true, false},
    {"TPageControl", false, true, false},  {"TMainMenu", false, false, false},
    {"TImageList", false, false, false},   {"TKvFolderDialog", false, false, false},
    {"TtovLanguage", false, false, false},
};

}  // namespace

std::string FindTextProperty(const std::string& className, const std::string& prop) {
  for (const TKindProperties& kind : Kinds) {
    if (kind.ClassName != className) continue;
    if (kind.Caption && Platform::SameTextAscii(prop, "Caption")) return "Caption";
    if (kind.Hint && Platform::SameTextAscii(prop, "Hint")) return "Hint";
    if (kind.Text && Platform::SameTextAscii(prop, "Text")) return "Text";
    return {};
  }
  return {};
}

TFormComponent::~TFormComponent() = default;
TFormModel::~TFormModel() = default;

}  // namespace Lang
