#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <QMessageBox>
#include <QString>

#include <gtest/gtest.h>

#include "app/qt/mainform.h"
#include "core/testutil.h"
#include "dialogs/qt/dialogseam.h"
#include "gui/guitestutil.h"

// The tests' door to the window's private controls: Ui(form).GoBTn.
class TMainFormProbe {
 public:
  static TMainFormControls& Controls(TMainForm& form);
};
TMainFormControls& Ui(TMainForm& form);

using GuiTestUtil::TOpenRecorder;
using TNames = std::vector<std::string>;

// Answers the main window's dialogs and notes what they were asked.
class TMainFormSeam : public GuiTestUtil::TRecordingSeam {
 public:
  // The language chooser: confirms LanguageFile, or cancels when it is empty.
  bool OpenLanguageFile(QWidget* owner, const QString& dir, QString& path) override;
  // The folder chooser: confirms Folder (an empty one is an item without a
  // path), or cancels when Folder is unset.
  bool BrowseFolder(TKvFolderDialog& dialog) override;
  // Text asked for and items offered: TextAnswer (cancel when unset).
  bool AskText(QWidget* owner, const QString& caption, const QString& prompt,
               QString& text) override;
  bool ChooseItem(QWidget* owner, const QString& caption, const QString& prompt,
                  const QStringList& items, QString& chosen) override;

  int LanguageOffers = 0;
  bool OfferedWhileShown = false;
  QString OfferedDir, LanguageFile;
  std::optional<std::string> Folder;
  std::string FolderOnEntry;  // the chooser's Folder when it was opened
  int FolderOffers = 0;
  std::optional<QString> TextAnswer;
  QStringList Prompts, Offered;
};

// A main window on a settings file and a language folder of its own, with
// its dialogs answered by Seam, and a folder of files to work on.
class TMainFormFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  TMainFormPaths Paths() const;
  // The settings file's language entry naming the default language file.
  std::string LanguageEntry() const;
  void WriteSettings(const std::string& text);
  std::string Settings() const;
  TMainForm& Start();
  TMainForm& StartShown();
  // Starts as every run but the first does: the language entry is present.
  TMainForm& StartWithLanguageEntry();
  // Writes the named files (each holding its name) and picks their folder.
  void ScanFiles(const std::vector<std::string>& names);
  // Writes a language file of the given [Translations] lines; OfferLanguage
  // has the chooser confirm it, ChooseLanguage also runs Select Language.
  void OfferLanguage(const std::string& name, const std::string& translations);
  void ChooseLanguage(const std::string& name, const std::string& translations);
  // Shows the Replace page with the two texts.
  void SetReplace(const char* from, const char* to);
  // Adds the rows to the file list's selection.
  void SelectRows(const std::set<int>& rows);
  TNames OldNames() const;
  TNames NewNames() const;
  TNames FileNames() const;  // in the folder of files

  TestUtil::TTempDir Dir;
  TestUtil::TTempDir Files;
  TMainFormSeam Seam;
  std::unique_ptr<TMainForm> Form;
};
