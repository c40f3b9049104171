#pragma once

#include <cstddef>
#include <string>

// The window as the language files see it: named components in creation
// order, each with long-text properties found by name without regard to case.
namespace Lang {

// The canonical name ("Caption", "Hint", "Text" or "AccessibleName") of the
// long-text property
// called prop (any letter case) that a component of kind className
// has, such as "TLabel" or "TEdit"; empty when it has none.
std::string FindTextProperty(const std::string& className, const std::string& prop);

class TFormComponent {
 public:
  virtual ~TFormComponent();
  virtual std::string Name() const = 0;
  virtual std::string ClassName() const = 0;
  // Get and set a property by its canonical name (as FindTextProperty gives).
  virtual std::string GetText(const std::string& property) const = 0;
  virtual void SetText(const std::string& property, const std::string& value) = 0;
};

class TFormModel {
 public:
  virtual ~TFormModel();
  virtual std::string Name() const = 0;  // "MainForm"
  virtual std::size_t ComponentCount() const = 0;
  virtual TFormComponent& Component(std::size_t index) = 0;
};

}  // namespace Lang
