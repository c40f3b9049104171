#pragma once

#include <string>

#include <QObject>
#include <QString>

#include "dialogs/displaypath.h"

class QWidget;

// The folder chooser: a modal dialog with a tree of the whole file system, a
// title text in the system's language, a status line with the selected path
// shortened to 50 characters, OK and Cancel.
class TKvFolderDialog : public QObject {
  Q_OBJECT

 public:
  explicit TKvFolderDialog(QWidget* owner);
  ~TKvFolderDialog() override;

  // In: the folder to select when the dialog opens. Out, after OK: the chosen
  // folder's path exactly as the dialog gives it.
  const std::string& Folder() const;
  void SetFolder(const std::string& folder);

  bool ShowPath() const;
  void SetShowPath(bool on);
  bool NewFolderVisible() const;
  void SetNewFolderVisible(bool on);
  bool NewFolderEnabled() const;
  void SetNewFolderEnabled(bool on);

  const Dialogs::TLocaleTexts& LabelCaptions() const;
  void SetLabelCaptions(const Dialogs::TLocaleTexts& captions);  // re-chooses the title
  const QString& TitleText() const;

  // Shows the dialog modally; true when the user confirmed with OK.
  bool Execute();

 signals:
  // The dialog is open (centred, initial selection made); tests use it.
  void Initialized(QWidget* dialog);

 private:
  QWidget* FOwner;
  std::string FFolder;
  bool FShowPath = true;
  bool FNewFolderVisible = true;
  bool FNewFolderEnabled = true;
  Dialogs::TLocaleTexts FLabelCaptions;
  QString FTitleText;
};
