#include "lang/tovlanguage.h"

#include <utility>

namespace Lang {

TLanguageFileChooser::~TLanguageFileChooser() = default;

TtovLanguage::TtovLanguage(TLanguageFileChooser& chooser, std::string applDir,
                           std::string iniFile)
    : FChooser(chooser), FApplDir(std::move(applDir)), FIniFile(std::move(iniFile)) {}

const std::string& TtovLanguage::appldir() const { return FApplDir; }
const std::string& TtovLanguage::inifile() const { return FIniFile; }
const std::string& TtovLanguage::CurrentFile() const { return FCurrentFile; }

void TtovLanguage::SaveLanguage(TFormModel&, const std::string&) {}
void TtovLanguage::LoadLanguage(TFormModel&, const std::string&) {}
void TtovLanguage::ChangeLanguage(TFormModel&) {}
void TtovLanguage::InitLanguage(TFormModel&) {}

}  // namespace Lang
