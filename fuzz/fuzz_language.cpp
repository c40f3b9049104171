// Language files onto a fake form. Input: a mode byte, then either a language
// file (applied to the form) or the texts of the form's properties, one per
// line (saved, then loaded onto a fresh form). Applying a file may only set
// long-text properties that the component has, with a value that is not
// empty and holds no "~~"; a save and a load give plain texts back unchanged.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fuzzutil.h"
#include "lang/formmodel.h"
#include "lang/tovlanguage.h"

namespace {

const std::string LanguagePath = "/fuzz/Test.lng";
const char* const Properties[] = {"Caption", "Hint", "Text"};

class TFakeComponent : public Lang::TFormComponent {
 public:
  TFakeComponent(std::string name, std::string className)
      : FName(std::move(name)), FClassName(std::move(className)) {}
  std::string Name() const override { return FName; }
  std::string ClassName() const override { return FClassName; }
  std::string GetText(const std::string& property) const override;
  void SetText(const std::string& property, const std::string& value) override;
  std::map<std::string, std::string> Texts;

 private:
  std::string FName;
  std::string FClassName;
};

std::string TFakeComponent::GetText(const std::string& property) const {
  FUZZ_CHECK(Lang::FindTextProperty(FClassName, property) == property);
  auto found = Texts.find(property);
  return found == Texts.end() ? std::string() : found->second;
}

void TFakeComponent::SetText(const std::string& property, const std::string& value) {
  FUZZ_CHECK(Lang::FindTextProperty(FClassName, property) == property);
  FUZZ_CHECK(!value.empty());
  FUZZ_CHECK(value.find("~~") == std::string::npos);
  Texts[property] = value;
}

class TFakeForm : public Lang::TFormModel {
 public:
  TFakeForm();
  std::string Name() const override { return "MainForm"; }
  std::size_t ComponentCount() const override { return FComponents.size(); }
  Lang::TFormComponent& Component(std::size_t index) override { return *FComponents.at(index); }
  TFakeComponent& Fake(std::size_t index) { return *FComponents.at(index); }

 private:
  std::vector<std::unique_ptr<TFakeComponent>> FComponents;
};

TFakeForm::TFakeForm() {
  const char* const kinds[][2] = {
      {"GoBTn", "TToolButton"},   {"DirEdit", "TEdit"},       {"File1", "TMenuItem"},
      {"FileList", "TListView"},  {"MainMenu1", "TMainMenu"}, {"CantRenLbl", "TLabel"},
      {"FilterCmb", "TComboBox"}, {"N1", "TMenuItem"},        {"tovLanguage1", "TtovLanguage"},
  };
  for (const auto& kind : kinds)
    FComponents.push_back(std::make_unique<TFakeComponent>(kind[0], kind[1]));
}

class TNoChooser : public Lang::TLanguageFileChooser {
 public:
  bool ChooseLanguageFile(const std::string&, std::string&) override { return false; }
};

// A text that a save and a load give back exactly: no blank at either end of
// the stored form, no lone CR or LF, no "~", not between quotes, not too long.
bool IsPlainText(const std::string& text, const std::string& property) {
  if (text.empty() || text.size() > 1000 || (property == "Caption" && text == "-")) return false;
  if (text.find('~') != std::string::npos) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) return false;
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
  }
  const char first = text.front();
  const char last = text.back();
  if (first == ' ' || first == '\t' || last == ' ' || last == '\t') return false;
  return !(text.size() >= 2 && (first == '"' || first == '\'') && last == first);
}

void CheckRoundTrip(const std::string& input) {
  Fuzz::TMemoryFileSystem fs;
  Fuzz::TFileSystemScope scope(fs);
  TNoChooser chooser;
  Lang::TtovLanguage language(chooser, "/fuzz/", "/fuzz/Test.ini");
  TFakeForm source;
  const std::vector<std::string> texts = Fuzz::SplitLines(input);
  size_t next = 0;
  for (size_t i = 0; i < source.ComponentCount(); ++i) {
    for (const char* name : Properties) {
      const std::string property = Lang::FindTextProperty(source.Fake(i).ClassName(), name);
      if (!property.empty() && next < texts.size()) source.Fake(i).Texts[property] = texts[next++];
    }
  }
  language.SaveLanguage(source, LanguagePath);
  TFakeForm target;
  language.LoadLanguage(target, LanguagePath);
  for (size_t i = 0; i < source.ComponentCount(); ++i) {
    for (const auto& [property, text] : source.Fake(i).Texts) {
      if (IsPlainText(text, property)) FUZZ_CHECK(target.Fake(i).GetText(property) == text);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] & 1) {
    // The texts may hold CR LF pairs: "\x01" stands for one.
    std::string texts = input;
    for (size_t at; (at = texts.find('\x01')) != std::string::npos;) texts.replace(at, 1, "\r\n");
    CheckRoundTrip(texts);
    return 0;
  }
  Fuzz::TMemoryFileSystem fs;
  fs.Files[LanguagePath] = input;
  Fuzz::TFileSystemScope scope(fs);
  TNoChooser chooser;
  Lang::TtovLanguage language(chooser, "/fuzz/", "/fuzz/Test.ini");
  TFakeForm form;
  language.LoadLanguage(form, LanguagePath);
  return 0;
}
