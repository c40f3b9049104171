// Every shipped language file, applied to the real window, leaves every
// caption of a fixed-size control whole: no toolbar caption elided, no label,
// radio item, check box or group title cut off or covered by an edit box.
#include <cctype>
#include <filesystem>

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QToolButton>

#include "core/windowtexts.h"
#include "gui/mainformfixture.h"

namespace {

// The built-in texts (an empty language entry's stand-in) and lang/*.lng.
std::vector<std::string> LanguageFiles() {
  std::vector<std::string> files = {""};
  for (const auto& entry : std::filesystem::directory_iterator(MORVANE_SOURCE_DIR "/lang"))
    if (entry.path().extension() == ".lng") files.push_back(entry.path().string());
  return files;
}

// Qt elides a toolbar caption wider than the button less its frame.
QString ToolButtonFault(const QToolButton& button) {
  QStyleOptionToolButton option;
  option.initFrom(&button);
  const int frame = button.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &button);
  const int room = button.width() - 2 * frame;
  const int need = button.fontMetrics().horizontalAdvance(button.text());
  return need > room ? QStringLiteral("needs %1 of %2").arg(need).arg(room) : QString();
}

// A label clips its text at its edges: a one-line caption must fit with its
// ink (the advance of the last letter may stick out), a wrapped one with all
// its lines.
QString LabelFault(const QLabel& label) {
  const QRect room = label.contentsRect();
  const QFontMetrics metrics = label.fontMetrics();
  QRect need = metrics.boundingRect(room, Qt::TextWordWrap | label.alignment(), label.text());
  if (!label.wordWrap())
    need = QRect(0, 0, metrics.boundingRect(label.text()).right() + 1, metrics.height());
  if (need.width() > room.width() || need.height() > room.height())
    return QStringLiteral("needs %1x%2 of %3x%4")
        .arg(need.width())
        .arg(need.height())
        .arg(room.width())
        .arg(room.height());
  return {};
}

// The caption of a radio item or check box: inside its control, and under no
// edit box of the window.
QString ChoiceFault(const QAbstractButton& button, QStyle::SubElement element,
                    const QList<QLineEdit*>& edits) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  QRect text = button.style()->subElementRect(element, &option, &button);
  text.setWidth(button.fontMetrics().horizontalAdvance(GuiTestUtil::WithoutMarks(button.text())));
  if (text.right() >= button.width())
    return QStringLiteral("ends at %1 of %2").arg(text.right() + 1).arg(button.width());
  const QRect onScreen(button.mapToGlobal(text.topLeft()), text.size());
  for (QLineEdit* edit : edits)
    if (edit->isVisible() && QRect(edit->mapToGlobal(QPoint()), edit->size()).intersects(onScreen))
      return QStringLiteral("covered by ") + edit->objectName();
  return {};
}

QString GroupTitleFault(const QGroupBox& box) {
  QStyleOptionGroupBox option;
  option.initFrom(&box);
  option.text = box.title();
  option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
  const QRect title =
      box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
  if (title.right() >= box.width())
    return QStringLiteral("ends at %1 of %2").arg(title.right() + 1).arg(box.width());
  return {};
}

class LanguageWidths : public TMainFormFixture, public ::testing::WithParamInterface<std::string> {
 protected:
  void Expect(const QWidget& control, const QString& text, const QString& fault) {
    EXPECT_TRUE(fault.isEmpty()) << GetParam() << ": " << control.objectName().toStdString()
                                 << " \"" << text.toStdString() << "\" " << fault.toStdString();
    ++Checked;
  }
  void CheckPage(TMainForm& form, const char* page);
  int Checked = 0;
};

void LanguageWidths::CheckPage(TMainForm& form, const char* page) {
  auto* tab = form.findChild<QWidget*>(QString::fromLatin1(page));
  Ui(form).PageControl1->setCurrentWidget(tab);
  const auto edits = form.findChildren<QLineEdit*>();
  for (QRadioButton* item : tab->findChildren<QRadioButton*>())
    Expect(*item, item->text(), ChoiceFault(*item, QStyle::SE_RadioButtonContents, edits));
  for (QCheckBox* box : tab->findChildren<QCheckBox*>())
    Expect(*box, box->text(), ChoiceFault(*box, QStyle::SE_CheckBoxContents, edits));
  for (QGroupBox* box : tab->findChildren<QGroupBox*>())
    Expect(*box, box->title(), GroupTitleFault(*box));
  for (QLabel* label : tab->findChildren<QLabel*>())
    Expect(*label, label->text(), LabelFault(*label));
}

TEST_P(LanguageWidths, EveryCaptionFitsItsControl) {
  WriteSettings(GetParam().empty() ? LanguageEntry() + "\r\n"
                                   : "[Language]\r\nMainForm=" + GetParam() + "\r\n");
  TMainForm& form = StartShown();
  for (auto* button :
       form.findChild<QWidget*>(QStringLiteral("ToolBar1"))->findChildren<QToolButton*>())
    Expect(*button, button->text(), ToolButtonFault(*button));
  for (const char* name :
       {"StatusLbl", "ActionLbl", "DirTitleLbl", "FileBrowseTitleLbl", "FilterLbl", "SortLbl"}) {
    auto* label = form.findChild<QLabel*>(QString::fromLatin1(name));
    ASSERT_NE(label, nullptr) << name;
    Expect(*label, label->text(), LabelFault(*label));
  }
  // The progress text of a rename run takes the place of "Idle...".
  QLabel* action = Ui(form).ActionLbl;
  action->setText(Ui(form).RenLbl->text() + " 100%");
  Expect(*action, action->text(), LabelFault(*action));
  CheckPage(form, "TabSheet1");
  CheckPage(form, "TabSheet2");
  EXPECT_GE(Checked, 30);
}

// Keys of a language file in order, its lines split at CR LF only.
std::vector<std::string> KeysOf(const std::string& data, bool& crlfOnly) {
  std::vector<std::string> keys;
  crlfOnly = true;
  size_t start = 0;
  for (size_t end; (end = data.find('\n', start)) != std::string::npos; start = end + 1) {
    crlfOnly = crlfOnly && end > start && data[end - 1] == '\r';
    const std::string line = data.substr(start, end - start);
    if (line.find('=') != std::string::npos) keys.push_back(line.substr(0, line.find('=')));
  }
  return keys;
}

// Every shipped file translates every key of the default file but the
// directory box (a language chosen at run time keeps the current folder), in
// the same order, with both "%s" of the failure text.
TEST_P(LanguageWidths, TranslatesEveryKeyOfTheDefaultFile) {
  if (GetParam().empty()) GTEST_SKIP() << "the built-in texts are the default file";
  std::vector<std::string> expected;
  for (const auto& [key, value] : TestUtil::DefaultLanguageTexts())
    if (key != "MainForm.DirEdit.Text") expected.push_back(key);
  bool crlf = false;
  const std::string data = TestUtil::ReadFileBytes(GetParam());
  EXPECT_EQ(KeysOf(data, crlf), expected);
  EXPECT_TRUE(crlf) << "lines end in CR LF";
  const size_t cantRen = data.find("MainForm.CantRenLbl.Caption=");
  const std::string failText = data.substr(cantRen, data.find('\r', cantRen) - cantRen);
  EXPECT_EQ(failText.find("%s") != failText.rfind("%s"), true) << failText;
}

// Options > Select Language while a folder is listed leaves the directory box
// on that folder, so the next rename forms its paths from the listed folder.
TEST_P(LanguageWidths, ChoosingTheLanguageKeepsTheListedFolder) {
  if (GetParam().empty()) GTEST_SKIP() << "the built-in texts are the default file";
  WriteSettings(LanguageEntry() + "\r\n");
  Start();
  ScanFiles({"a.txt"});
  QLineEdit* dirEdit = Ui(*Form).DirEdit;
  const QString folder = dirEdit->text();
  ASSERT_NE(folder, QStringLiteral("/"));
  Seam.LanguageFile = QString::fromStdString(GetParam());
  Ui(*Form).Language->trigger();
  EXPECT_EQ(dirEdit->text(), folder);
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageWidths, ::testing::ValuesIn(LanguageFiles()),
                         [](const auto& info) {
                           std::string name = std::filesystem::path(info.param).stem().string();
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name.empty() ? std::string("BuiltIn") : name;
                         });

}  // namespace
