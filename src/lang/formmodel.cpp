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
  bool AccessibleName;  // what a screen reader says for a control without a caption
};

constexpr TKindProperties Kinds[] = {
    {"TPanel", true, true, false, false},         {"TLabel", true, true, false, false},
    {"TSpeedButton", true, true, false, true},    {"TToolBar", true, true, false, false},
    {"TToolButton", true, true, false, false},    {"TTabSheet", true, true, false, false},
    {"TRadioGroup", true, true, false, false},    {"TGroupBox", true, true, false, false},
    {"TCheckBox", true, true, false, false},      {"TMenuItem", true, true, false, false},
    {"TEdit", false, true, true, true},           {"TComboBox", false, true, true, true},
    {"TBevel", false, true, false, false},        {"TListBox", false, true, false, false},
    {"TListView", false, true, false, true},      {"TProgressBar", false, true, false, false},
    {"TPageControl", false, true, false, true},   {"TMainMenu", false, false, false, false},
    {"TImageList", false, false, false, false},   {"TKvFolderDialog", false, false, false, false},
    {"TtovLanguage", false, false, false, false},
};

}  // namespace

std::string FindTextProperty(const std::string& className, const std::string& prop) {
  for (const TKindProperties& kind : Kinds) {
    if (kind.ClassName != className) continue;
    if (kind.Caption && Platform::SameTextAscii(prop, "Caption")) return "Caption";
    if (kind.Hint && Platform::SameTextAscii(prop, "Hint")) return "Hint";
    if (kind.Text && Platform::SameTextAscii(prop, "Text")) return "Text";
    if (kind.AccessibleName && Platform::SameTextAscii(prop, "AccessibleName"))
      return "AccessibleName";
    return {};
  }
  return {};
}

TFormComponent::~TFormComponent() = default;
TFormModel::~TFormModel() = default;

}  // namespace Lang
