#include "dialogs/qt/kvfolderdialog.h"

#include "platform/locale.h"

TKvFolderDialog::TKvFolderDialog(QWidget* owner)
    : FOwner(owner), FLabelCaptions(Dialogs::DefaultLabelCaptions()) {
  SetLabelCaptions(FLabelCaptions);
}

TKvFolderDialog::~TKvFolderDialog() = default;

const std::string& TKvFolderDialog::Folder() const { return FFolder; }
void TKvFolderDialog::SetFolder(const std::string& folder) { FFolder = folder; }
bool TKvFolderDialog::ShowPath() const { return FShowPath; }
void TKvFolderDialog::SetShowPath(bool on) { FShowPath = on; }
bool TKvFolderDialog::NewFolderVisible() const { return FNewFolderVisible; }
void TKvFolderDialog::SetNewFolderVisible(bool on) { FNewFolderVisible = on; }
bool TKvFolderDialog::NewFolderEnabled() const { return FNewFolderEnabled; }
void TKvFolderDialog::SetNewFolderEnabled(bool on) { FNewFolderEnabled = on; }
const Dialogs::TLocaleTexts& TKvFolderDialog::LabelCaptions() const { return FLabelCaptions; }

void TKvFolderDialog::SetLabelCaptions(const Dialogs::TLocaleTexts& captions) {
  FLabelCaptions = captions;
  const std::string code = Dialogs::LangCodeText(Platform::SystemDefaultLangID());
  FTitleText = QString::fromStdString(Dialogs::LocaleText(FLabelCaptions, code));
}

const QString& TKvFolderDialog::TitleText() const { return FTitleText; }

bool TKvFolderDialog::Execute() { return false; }
