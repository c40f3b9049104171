#pragma once

#include <string>

#include "lang/formmodel.h"

namespace Lang {

// The open-file dialog of ChangeLanguage: initial folder, filter
// "Language Files |*.lng", resizable, no read-only box, a name that does not
// exist accepted. False on cancel.
class TLanguageFileChooser {
 public:
  virtual ~TLanguageFileChooser();
  virtual bool ChooseLanguageFile(const std::string& initialDir, std::string& path) = 0;
};

// The translation component: writes a form's texts to language files and
// applies language files to it.
class TtovLanguage {
 public:
  // applDir: folder of "Language.lng", ending in "/"; iniFile: settings path.
  TtovLanguage(TLanguageFileChooser& chooser, std::string applDir, std::string iniFile);

  const std::string& appldir() const;
  const std::string& inifile() const;
  const std::string& CurrentFile() const;

  void SaveLanguage(TFormModel& form, const std::string& path);
  void LoadLanguage(TFormModel& form, const std::string& path);
  void ChangeLanguage(TFormModel& form);
  void InitLanguage(TFormModel& form);

 private:
  TLanguageFileChooser& FChooser;
  std::string FApplDir;
  std::string FIniFile;
  std::string FCurrentFile;
};

}  // namespace Lang
