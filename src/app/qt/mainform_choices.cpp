// The choices of the main window: read from its pages, its order box and its
// menu into one record, written back from one, and kept as named presets.
#include "app/qt/mainform.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <string>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

#include "app/qt/mainform_radiogroup.h"
#include "dialogs/qt/dialogseam.h"
#include "platform/metadata.h"
#include "rename/presets.h"
#include "ui/qttext.h"

namespace {

using QtText::FromUtf8;
using QtText::ToUtf8;

// The values behind the items of RadioGroup2, RadioGroup6, SortCmb and the
// options pages.
constexpr std::array NamePartChoices{Rename::TNamePart::Original, Rename::TNamePart::Number,
                                     Rename::TNamePart::PaddedNumber};
constexpr std::array NameCaseChoices{Rename::TNameCase::Unchanged, Rename::TNameCase::Upper,
                                     Rename::TNameCase::Lower};
constexpr std::array SortChoices{FileList::TOrder::Name,     FileList::TOrder::Age,
                                 FileList::TOrder::NameDesc, FileList::TOrder::AgeDesc,
                                 FileList::TOrder::Natural,  FileList::TOrder::NaturalDesc,
                                 FileList::TOrder::Taken,    FileList::TOrder::TakenDesc};
constexpr std::array PageChoices{Rename::TPage::Rename, Rename::TPage::Replace,
                                 Rename::TPage::Pattern};

// The choice of a radio group or box by its item index; nothing chosen (-1)
// or an index beyond the list gives fallback.
template <typename T, std::size_t N>
T ChoiceAt(const std::array<T, N>& choices, int index, T fallback) {
  return index >= 0 && static_cast<std::size_t>(index) < N ? choices[index] : fallback;
}

// The item index of a choice; -1 when the list lacks it.
template <typename T, std::size_t N>
int IndexOf(const std::array<T, N>& choices, T value) {
  for (std::size_t i = 0; i < N; ++i)
    if (choices[i] == value) return static_cast<int>(i);
  return -1;
}

// A whole number of an edit box; fallback when it holds none.
int64_t WholeNumber(const QLineEdit* edit, int64_t fallback) {
  const std::string text = ToUtf8(edit->text());
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : fallback;
}

}  // namespace

Rename::TNameOptions TMainForm::ReadNameOptions() const {
  using Rename::TNameCase;
  using Rename::TNamePart;
  constexpr int Yes = 0;
  Rename::TNameOptions options;
  options.Prefix = RadioGroup1->ItemIndex() == Yes;
  options.PrefixText = ToUtf8(Edit1->text());
  options.NamePart = ChoiceAt(NamePartChoices, RadioGroup2->ItemIndex(), TNamePart::None);
  options.Suffix = RadioGroup3->ItemIndex() == Yes;
  options.SuffixText = ToUtf8(Edit3->text());
  options.Extension = RadioGroup4->ItemIndex() == Yes;
  options.ExtensionText = ToUtf8(Edit4->text());
  options.NameCase = ChoiceAt(NameCaseChoices, RadioGroup6->ItemIndex(), TNameCase::Unchanged);
  return options;
}

Rename::TReplaceOptions TMainForm::ReadReplaceOptions() const {
  Rename::TReplaceOptions options;
  options.Search = ToUtf8(Edit5->text());
  options.Replace = ToUtf8(Edit6->text());
  options.CaseSensitive = CaseSensitive->isChecked();
  options.Regex = RegexChk->isChecked();
  options.All = AllChk->isChecked();
  return options;
}

Rename::TPatternOptions TMainForm::ReadPatternOptions() const {
  Rename::TPatternOptions options;
  options.Template = ToUtf8(PatternEdit->text());
  options.Start = WholeNumber(StartEdit, 1);
  options.Step = WholeNumber(StepEdit, 1);
  options.Width = static_cast<int>(WholeNumber(WidthEdit, 0));
  return options;
}

// No active page (-1) makes names as the Replace page does.
Rename::TPreviewOptions TMainForm::PreviewOptions() const {
  Rename::TPreviewOptions options;
  options.Page = ChoiceAt(PageChoices, ActivePageIndex(), Rename::TPage::Replace);
  options.Name = ReadNameOptions();
  options.Replace = ReadReplaceOptions();
  options.Pattern = ReadPatternOptions();
  return options;
}

Rename::TChoices TMainForm::ReadChoices() const {
  Rename::TChoices choices;
  choices.Preview = PreviewOptions();
  choices.Order = ChoiceAt(SortChoices, SortCmb->currentIndex(), FileList::TOrder::Name);
  choices.Untangle = UntangleMnu->isChecked();
  return choices;
}

void TMainForm::WriteChoices(const Rename::TChoices& choices) {
  constexpr int Yes = 0, No = 1;
  const Rename::TNameOptions& name = choices.Preview.Name;
  RadioGroup1->SetItemIndex(name.Prefix ? Yes : No);
  Edit1->setText(FromUtf8(name.PrefixText));
  RadioGroup2->SetItemIndex(IndexOf(NamePartChoices, name.NamePart));
  RadioGroup3->SetItemIndex(name.Suffix ? Yes : No);
  Edit3->setText(FromUtf8(name.SuffixText));
  RadioGroup4->SetItemIndex(name.Extension ? Yes : No);
  Edit4->setText(FromUtf8(name.ExtensionText));
  RadioGroup6->SetItemIndex(IndexOf(NameCaseChoices, name.NameCase));
  for (TRadioGroup* group : {RadioGroup1, RadioGroup3, RadioGroup4}) RadioEnableClick(group);
  const Rename::TReplaceOptions& replace = choices.Preview.Replace;
  Edit5->setText(FromUtf8(replace.Search));
  Edit6->setText(FromUtf8(replace.Replace));
  CaseSensitive->setChecked(replace.CaseSensitive);
  RegexChk->setChecked(replace.Regex);
  AllChk->setChecked(replace.All);
  const Rename::TPatternOptions& pattern = choices.Preview.Pattern;
  PatternEdit->setText(FromUtf8(pattern.Template));
  StartEdit->setText(QString::number(pattern.Start));
  StepEdit->setText(QString::number(pattern.Step));
  WidthEdit->setText(pattern.Width > 0 ? QString::number(pattern.Width) : QString());
  SortCmb->setCurrentIndex(IndexOf(SortChoices, choices.Order));
  UntangleMnu->setChecked(choices.Untangle);
  SetActivePageIndex(IndexOf(PageChoices, choices.Preview.Page));
}

void TMainForm::UntangleMnuClick() { UntangleMnu->setChecked(!UntangleMnu->isChecked()); }

void TMainForm::SavePresetMnuClick() {
  QString name;
  if (!DialogSeam().AskText(this, QGuiApplication::applicationDisplayName(), PresetNameLbl->text(),
                            name))
    return;
  Rename::SavePreset(Rename::PresetFolder(), ToUtf8(name), ReadChoices());
}

// The list follows a preset's order at once, once a folder is open.
void TMainForm::LoadPresetMnuClick() {
  const std::string folder = Rename::PresetFolder();
  QStringList names;
  for (const std::string& name : Rename::ListPresets(folder)) names.append(FromUtf8(name));
  if (names.isEmpty()) return ShowWarning(ToUtf8(NoPresetsLbl->text()));
  QString chosen;
  const QString prompt = LoadPresetMnu->text().remove(QLatin1Char('&'));
  if (!DialogSeam().ChooseItem(this, QGuiApplication::applicationDisplayName(), prompt, names,
                               chosen))
    return;
  Rename::TChoices choices = ReadChoices();
  if (!Rename::LoadPreset(folder, ToUtf8(chosen), choices)) return;
  WriteChoices(choices);
  if (!FDirBytes.empty()) RefreshBtnClick();
}

FileList::TFactsReader TMainForm::FactsReader() const { return Platform::ReadFacts; }
