#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;
class TKvFolderDialog;

// Every modal dialog of the main window goes through this seam, so tests can
// answer them without a person. The default implementation shows the real
// Qt dialogs.
class TDialogSeam {
 public:
  virtual ~TDialogSeam();
  // A modal message box owned by owner; returns the button chosen.
  virtual QMessageBox::StandardButton MessageBox(QWidget* owner, const QString& text,
                                                 const QString& caption,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::Icon icon,
                                                 QMessageBox::StandardButton defaultButton);
  // The open-file dialog of "Select Language": initial folder initialDir,
  // filter "Language Files |*.lng", resizable, no read-only box, a name that
  // does not exist accepted. False on cancel.
  virtual bool OpenLanguageFile(QWidget* owner, const QString& initialDir, QString& path);
  // Runs the folder chooser; true on OK (the dialog's Folder is then set).
  virtual bool BrowseFolder(TKvFolderDialog& dialog);
  // Asks for a line of text under prompt (shown as plain text); false on
  // cancel.
  virtual bool AskText(QWidget* owner, const QString& caption, const QString& prompt,
                       QString& text);
  // Offers items to pick one of (no editing); false on cancel.
  virtual bool ChooseItem(QWidget* owner, const QString& caption, const QString& prompt,
                          const QStringList& items, QString& chosen);
};

// The seam in use: the real dialogs unless a test has put another in place.
TDialogSeam& DialogSeam();
// Puts seam in place (not owned); nullptr restores the real dialogs.
void SetDialogSeam(TDialogSeam* seam);

// The error display: a message box with the application title as caption, the
// error icon, OK, and the message with its final "." rule.
void ShowErrorDisplay(QWidget* owner, const QString& message);
