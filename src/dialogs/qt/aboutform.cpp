#include "dialogs/qt/aboutform.h"

#include <QCursor>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "platform/qt/desktop.h"
#include "ui/artwork.h"
#include "ui/plaintooltips.h"

namespace {

const char* const WebAddress = "https://morvane.example.org/";
const char* const MailAddress = "mailto:morvane@example.org";

QFont VerdanaFont(int pixelSize) {
  QFont font;
  font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixelSize);
  return font;
}

// Turns a left click on a link label into MailLblClick.
class TLinkClickFilter : public QObject {
 public:
  explicit TLinkClickFilter(TAboutForm* form) : QObject(form), FForm(form) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonRelease) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* label = qobject_cast<QLabel*>(watched);
    if (label == nullptr || mouse->button() != Qt::LeftButton) return false;
    if (!label->rect().contains(mouse->position().toPoint())) return false;
    FForm->MailLblClick(label);
    return true;
  }

 private:
  TAboutForm* FForm;
};

QLabel* AddLabel(QWidget* panel, const char* name, const QString& text, int left, int top) {
  auto* label = new QLabel(text, panel);
  label->setTextFormat(Qt::PlainText);
  label->setObjectName(QString::fromLatin1(name));
  label->move(left, top);
  label->adjustSize();
  return label;
}

QLabel* AddLink(QWidget* panel, const char* name, const char* link, int left, int top,
                QObject* clicks) {
  QLabel* label = AddLabel(panel, name, QString::fromLatin1(link), left, top);
  QPalette colours = label->palette();
  colours.setColor(QPalette::WindowText, colours.color(QPalette::Highlight));
  label->setPalette(colours);
  label->setCursor(Qt::PointingHandCursor);
  label->installEventFilter(clicks);
  return label;
}

QLabel* AddImage(QWidget* panel, const char* name, const QRect& box, int pictureSize) {
  auto* image = new QLabel(panel);
  image->setObjectName(QString::fromLatin1(name));
  image->setGeometry(box);
  image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  image->setPixmap(Artwork::AppIcon().pixmap(pictureSize, pictureSize));
  return image;
}

QFrame* AddPanel(QWidget* form) {
  auto* panel = new QFrame(form);
  panel->setObjectName(QStringLiteral("BrowserPanel"));
  panel->setGeometry(form->rect());
  panel->setFrameShape(QFrame::NoFrame);
  QPalette colours = panel->palette();
  colours.setColor(QPalette::Window, Qt::white);
  panel->setPalette(colours);
  panel->setAutoFillBackground(true);
  return panel;
}

}  // namespace

TAboutForm::TAboutForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("AboutForm"));
  PlainToolTips::Install();
  setFixedSize(331, 216);
  setFont(VerdanaFont(11));
  auto* clicks = new TLinkClickFilter(this);

  QFrame* panel = AddPanel(this);
  AddLabel(panel, "Label2", QStringLiteral("Developed by:"), 24, 84);
  AddImage(panel, "Image2", QRect(36, 104, 65, 61), 58);
  AddLink(panel, "Label5", WebAddress, 128, 148, clicks);
  AddLink(panel, "MailLbl", MailAddress, 128, 116, clicks);
  AddLabel(panel, "Label6", QStringLiteral("E-mail:"), 124, 100);
  AddLabel(panel, "Label7", QStringLiteral("Web site:"), 124, 132);
  QLabel* title = AddLabel(panel, "TitleLbl", QStringLiteral("Morvane"), 72, 16);
  title->setFont(VerdanaFont(29));
  title->adjustSize();
  AddLabel(panel, "VerLbl", QStringLiteral("Ver. 3.3"), 76, 52);
  AddImage(panel, "Image1", QRect(24, 16, 37, 37), 32);

  auto* ok = new QPushButton(QStringLiteral("Ok"), panel);
  ok->setObjectName(QStringLiteral("Button1"));
  ok->setGeometry(128, 184, 75, 25);
  ok->setCursor(Qt::PointingHandCursor);
  ok->setDefault(true);
  ok->setFocus();
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  setWindowTitle(QStringLiteral("About ") + QGuiApplication::applicationDisplayName());
}

void TAboutForm::MailLblClick(QLabel* sender) {
  if (sender != nullptr) Platform::ShellOpen(sender->text());
}

void TAboutForm::keyPressEvent(QKeyEvent* event) {
  // Only "Ok" and the close box end the box.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
