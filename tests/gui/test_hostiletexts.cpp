// Language files are untrusted: a value that looks like markup (an image of
// /dev/zero, bold, a link) is shown as it stands wherever the window shows it,
// tooltips and message boxes included.
#include <cerrno>
#include <map>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolTip>
#include <QTreeView>

#include "core/windowtexts.h"
#include "filelist/qt/filelistmodel.h"
#include "gui/mainformfixture.h"
#include "ui/qttext.h"

namespace {

using GuiTestUtil::WithoutMarks;

const char* const Markup[] = {"<img src=\"/dev/zero\">", "<b>bold</b>",
                              "<a href=\"file:///\">a</a>", "<i>one</i>~~<u>two</u>"};

QString Unbroken(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The text a label shows: its own when plain, else what the markup renders.
QString VisibleText(const QLabel& label) {
  if (label.textFormat() == Qt::PlainText ||
      (label.textFormat() == Qt::AutoText && !Qt::mightBeRichText(label.text())))
    return label.text();
  if (label.text().contains(QStringLiteral("<img"))) return QStringLiteral("<an image>");
  QTextDocument document;
  document.setHtml(label.text());
  return document.toPlainText();
}

// The tooltip shown for widget, as its label renders it.
QString ShownToolTip(QWidget* widget) {
  QToolTip::hideText();
  QHelpEvent request(QEvent::ToolTip, QPoint(1, 1), widget->mapToGlobal(QPoint(1, 1)));
  QApplication::sendEvent(widget, &request);
  for (QWidget* top : QApplication::topLevelWidgets())
    if (auto* tip = qobject_cast<QLabel*>(top); tip && tip->objectName() == "qtooltip_label")
      return tip->isVisible() ? VisibleText(*tip) : QString();
  return {};
}

class HostileTexts : public TMainFormFixture {
 protected:
  // Writes a language file giving every key of the default file a markup
  // value, starts the window with it, and returns the values by component
  // and property.
  std::map<std::string, QString> StartWithMarkupLanguage() {
    std::string file = "[Translations]\r\n";
    std::map<std::string, QString> values;
    int i = 0;
    for (const auto& [key, text] : TestUtil::DefaultLanguageTexts()) {
      if (key.rfind("MainForm.DirEdit.", 0) == 0) continue;
      const std::string value = Markup[i++ % std::size(Markup)] + key.substr(9);
      file += key + "=" + value + "\r\n";
      values[key.substr(9)] =
          QtText::FromUtf8(value).replace(QStringLiteral("~~"), QStringLiteral("\r\n"));
    }
    TestUtil::WriteFileBytes(Dir.File("markup.lng"), file);
    WriteSettings("[Language]\r\nMainForm=" + Dir.File("markup.lng") + "\r\n");
    StartShown();
    return values;
  }
};

TEST_F(HostileTexts, EveryMarkupValueOfALanguageFileIsShownAsItStands) {
  const std::map<std::string, QString> values = StartWithMarkupLanguage();
  ASSERT_GT(values.size(), 60u);
  int tips = 0;
  for (QWidget* widget : Form->findChildren<QWidget*>()) {
    const auto hint = values.find(widget->objectName().toStdString() + ".Hint");
    if (hint == values.end()) continue;
    ++tips;
    EXPECT_EQ(widget->toolTip(), hint->second);
    EXPECT_EQ(ShownToolTip(widget), Unbroken(hint->second)) << hint->first;
  }
  EXPECT_EQ(tips, 8);
  for (QMenu* menu : Form->findChildren<QMenu*>()) emit menu->aboutToShow();
  int texts = 0;
  for (QObject* object : Form->findChildren<QObject*>()) {
    const auto caption = values.find(object->objectName().toStdString() + ".Caption");
    if (caption == values.end()) continue;
    QString shown;
    if (auto* label = qobject_cast<QLabel*>(object)) shown = VisibleText(*label);
    if (auto* button = qobject_cast<QAbstractButton*>(object)) shown = button->text();
    if (auto* group = qobject_cast<QGroupBox*>(object)) shown = group->title();
    if (auto* action = qobject_cast<QAction*>(object)) shown = action->text();
    if (auto* menu = qobject_cast<QMenu*>(object)) shown = menu->title();
    if (shown.isNull()) continue;
    ++texts;
    EXPECT_EQ(WithoutMarks(shown), WithoutMarks(caption->second)) << caption->first;
  }
  EXPECT_GT(texts, 50);
  auto* pages = Form->findChild<QTabWidget*>("PageControl1");
  EXPECT_EQ(pages->tabText(1), values.at("TabSheet2.Caption"));
  auto* sort = Form->findChild<QComboBox*>("SortCmb");
  EXPECT_EQ(sort->itemText(0), values.at("AlphaLbl.Caption"));
}

TEST_F(HostileTexts, MessageBoxesAndTheAboutBoxShowTheirTextsAsTheyStand) {
  Seam.RealMessageBoxes = true;
  const std::map<std::string, QString> values = StartWithMarkupLanguage();
  ScanFiles({"a"});
  QString shown;
  GuiTestUtil::OnNextModal([&shown](QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    ASSERT_NE(box, nullptr);
    shown = VisibleText(*box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")));
    box->button(QMessageBox::Cancel)->click();
  });
  Form->findChild<QAction*>("RenameMnu")->trigger();
  EXPECT_EQ(shown, values.at("RenameMsgLbl.Caption"));
  std::vector<QString> about;
  GuiTestUtil::OnNextModal([&about](QWidget* dialog) {
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
      if (label->text().isEmpty()) continue;  // a picture
      about.push_back(VisibleText(*label));
      EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    }
    qobject_cast<QDialog*>(dialog)->accept();
  });
  Form->findChild<QAction*>("AboutMnu")->trigger();
  EXPECT_GT(about.size(), 5u);
}

// File names and the reason labels go into the list's tooltips; they are
// shown as they stand.
TEST_F(HostileTexts, TheListsTooltipsShowTheirTextsAsTheyStand) {
  StartShown();
  ChooseLanguage("tip.lng", "MainForm.TakenLbl.Caption=<b>taken</b>\r\n");
  ScanFiles({"<u>1&amp;", "<u>2&amp;"});
  FileList::TFileItem& row = Form->FileListModel()->MutableItems()[0];
  row.Conflict = FileList::TConflict::Taken;
  Form->FileListModel()->NewNamesChanged();
  EXPECT_EQ(ShownToolTip(Ui(*Form).FileList->viewport()), QStringLiteral("<b>taken</b>"));
  row.NewName = "<u>2&amp;";
  row.Status = FileList::TMoveStatus::Failed;
  row.Error = EEXIST;
  Form->FileListModel()->NewNamesChanged();
  EXPECT_EQ(ShownToolTip(Ui(*Form).FileList->viewport()).toStdString(),
            "File exists\n" + Files.File("<u>1&amp;") + "\n" + Files.File("<u>2&amp;"));
}

}  // namespace
