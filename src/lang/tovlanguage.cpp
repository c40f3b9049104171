#include "lang/tovlanguage.h"

#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/casemap.h"
#include "platform/filesystem.h"
#include "settings/inifile.h"

namespace Lang {

namespace {

const char* const TranslationsWritten = "Translations";
const char* const TranslationsRead = "TRANSLATIONS";
const char* const LanguageSection = "Language";
const char* const DefaultFileName = "Language.lng";
const char* const LineBreak = "\r\n";
const char* const StoredLineBreak = "~~";
// Written in this order for each component: the accessible name after the
// three texts, so that a file's other lines stand as they always have.
const char* const TextProperties[] = {"Caption", "Hint", "Text", "AccessibleName"};

std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
  std::string result;
  std::string::size_type start = 0;
  for (auto found = text.find(from); found != std::string::npos; found = text.find(from, start)) {
    result.append(text, start, found - start).append(to);
    start = found + from.size();
  }
  return result.append(text, start, std::string::npos);
}

// Splits text at its first ".": without one, before is empty and after is all.
void SplitAtDot(const std::string& text, std::string& before, std::string& after) {
  const auto dot = text.find('.');
  before = dot == std::string::npos ? std::string() : text.substr(0, dot);
  after = dot == std::string::npos ? text : text.substr(dot + 1);
}

// The components of a form by name, letter case A to Z aside; where names
// repeat, the first in creation order is found.
class TComponentIndex {
 public:
  explicit TComponentIndex(TFormModel& form) {
    for (std::size_t i = 0; i < form.ComponentCount(); ++i)
      FByName.emplace(Platform::AsciiLowerCase(form.Component(i).Name()), &form.Component(i));
  }
  TFormComponent* Find(const std::string& name) const {
    if (name.empty()) return nullptr;
    auto found = FByName.find(Platform::AsciiLowerCase(name));
    return found == FByName.end() ? nullptr : found->second;
  }

 private:
  std::unordered_map<std::string, TFormComponent*> FByName;
};

// Applies one "Form.Component.Property=value" line of a language file.
void ApplyLine(TFormModel& form, const TComponentIndex& components, const std::string& line) {
  const auto equals = line.find('=');
  if (equals == std::string::npos) return;
  std::string formPart;
  std::string rest;
  SplitAtDot(line.substr(0, equals), formPart, rest);
  if (formPart != form.Name()) return;
  std::string componentPart;
  std::string propertyPart;
  SplitAtDot(rest, componentPart, propertyPart);
  TFormComponent* component = components.Find(componentPart);
  if (component == nullptr) return;
  const std::string property = FindTextProperty(component->ClassName(), propertyPart);
  if (property.empty()) return;
  component->SetText(property, ReplaceAll(line.substr(equals + 1), StoredLineBreak, LineBreak));
}

}  // namespace

TLanguageFileChooser::~TLanguageFileChooser() = default;

TtovLanguage::TtovLanguage(TLanguageFileChooser& chooser, std::string applDir, std::string iniFile)
    : FChooser(chooser), FApplDir(std::move(applDir)), FIniFile(std::move(iniFile)) {}

const std::string& TtovLanguage::appldir() const { return FApplDir; }
const std::string& TtovLanguage::inifile() const { return FIniFile; }
const std::string& TtovLanguage::CurrentFile() const { return FCurrentFile; }

void TtovLanguage::SaveLanguage(TFormModel& form, const std::string& path) {
  Settings::TIniFile file(path);
  for (std::size_t i = 0; i < form.ComponentCount(); ++i) {
    TFormComponent& component = form.Component(i);
    for (const char* name : TextProperties) {
      const std::string property = FindTextProperty(component.ClassName(), name);
      if (property.empty()) continue;
      const std::string value = ReplaceAll(component.GetText(property), LineBreak, StoredLineBreak);
      // A caption of "-" is a menu separator, which has nothing to translate.
      if (value.empty() || (property == "Caption" && value == "-")) continue;
      file.WriteText(TranslationsWritten, form.Name() + "." + component.Name() + "." + property,
                     value);
    }
  }
}

void TtovLanguage::LoadLanguage(TFormModel& form, const std::string& path) {
  Settings::TIniFile file(path);
  std::vector<std::string> lines;
  file.ReadKeyValues(TranslationsRead, lines);
  if (lines.empty()) return;
  const TComponentIndex components(form);
  for (const std::string& line : lines) ApplyLine(form, components, line);
}

void TtovLanguage::ChangeLanguage(TFormModel& form) {
  std::string chosen;
  // A confirmed dialog without a name is taken as a cancel: storing an empty
  // path would bring the dialog back at every start.
  if (!FChooser.ChooseLanguageFile(FApplDir, chosen) || chosen.empty()) return;
  FCurrentFile = chosen;
  Settings::TIniFile(FIniFile).WriteText(LanguageSection, form.Name(), FCurrentFile);
  LoadLanguage(form, FCurrentFile);
}

void TtovLanguage::InitLanguage(TFormModel& form) {
  FCurrentFile = FApplDir + DefaultFileName;
  SaveLanguage(form, FCurrentFile);
  Settings::TIniFile settings(FIniFile);
  FCurrentFile = settings.ReadText(LanguageSection, form.Name(), FCurrentFile);
  if (Platform::PathExists(FCurrentFile)) LoadLanguage(form, FCurrentFile);
  settings.WriteText(LanguageSection, form.Name(), FCurrentFile);
}

}  // namespace Lang
