#pragma once

#include <memory>
#include <string>
#include <vector>

#include "lang/formmodel.h"

class QObject;

// The language files' view of a Qt window: components registered in creation
// order, each a QObject (widget, action, tab page...) with its component name
// and kind ("TLabel", "TMenuItem", ...). Texts are read and written through
// the matching Qt property: Caption as the visible text (label, button,
// group box title, action text, tab text), Hint as the tooltip, Text as the
// edit or combo box text, AccessibleName as what a screen reader says for a
// control without a caption (ui/accessiblenames.h). A caption with no visible
// place (a panel, the toolbar, a separator) is kept on the object itself.
class TQtFormModel : public Lang::TFormModel {
 public:
  explicit TQtFormModel(std::string formName);
  ~TQtFormModel() override;

  void Add(QObject* component, const std::string& name, const std::string& className);

  std::string Name() const override;
  std::size_t ComponentCount() const override;
  Lang::TFormComponent& Component(std::size_t index) override;

 private:
  std::string FName;
  std::vector<std::unique_ptr<Lang::TFormComponent>> FComponents;
};
