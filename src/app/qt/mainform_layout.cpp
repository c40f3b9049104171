// Placement of the regions and controls, the resize rules, the active page,
// the window bounds and the keyboard order.
#include "app/qt/mainform.h"

#include <algorithm>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>

#include "app/qt/mainform_metrics.h"
#include "app/qt/mainform_radiogroup.h"
#include "platform/qt/desktop.h"

namespace {

using MainFormMetrics::FrameAcross;
using MainFormMetrics::FrameDown;
using MainFormMetrics::MaximumOffset;
using MainFormMetrics::MaximumSide;
using MainFormMetrics::MinimumHeight;
using MainFormMetrics::MinimumWidth;

constexpr int RightPanelWidth = 321;
constexpr int TopLeftPanelHeight = 105;
constexpr int TitlePanelHeight = 19;
constexpr int Margin = 6;
constexpr int PanelBorder = 4;
constexpr int BevelWidth = 2;  // a lowered outer and a raised inner bevel
constexpr int ButtonColumnWidth = 31;
constexpr int MinimumColumnWidth = 100;

// The part of a parent not yet taken by aligned children, in its coordinates.
struct TArea {
  int Left;
  int Top;
  int Width;
  int Height;
};

TArea Inside(const QWidget* parent, int inset) {
  return {inset, inset, parent->width() - 2 * inset, parent->height() - 2 * inset};
}

void Place(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(left, top, std::max(0, width), std::max(0, height));
}

void DockTop(TArea& area, QWidget* widget, int height) {
  Place(widget, area.Left, area.Top, area.Width, height);
  area.Top += height;
  area.Height -= height;
}

void DockBottom(TArea& area, QWidget* widget, int height) {
  Place(widget, area.Left, area.Top + area.Height - height, area.Width, height);
  area.Height -= height;
}

void DockLeft(TArea& area, QWidget* widget, int width) {
  Place(widget, area.Left, area.Top, width, area.Height);
  area.Left += width;
  area.Width -= width;
}

void DockRight(TArea& area, QWidget* widget, int width) {
  Place(widget, area.Left + area.Width - width, area.Top, width, area.Height);
  area.Width -= width;
}

void Fill(const TArea& area, QWidget* widget) {
  Place(widget, area.Left, area.Top, area.Width, area.Height);
}

void SetWidth(QWidget* widget, int width) { widget->resize(std::max(0, width), widget->height()); }

}  // namespace

// Aligned regions in the order top, bottom, left, right, rest.
void TMainForm::AlignControls() {
  TArea area = Inside(FClient, 0);
  DockTop(area, ToolBar1, ToolBarHeight);
  DockRight(area, RightPanel, RightPanelWidth);
  Fill(area, BrowserPanel);
  TArea browser = Inside(BrowserPanel, PanelBorder);
  DockTop(browser, TopLeftPanel, TopLeftPanelHeight);
  DockTop(browser, Bevel5, Margin);
  Fill(browser, BottomLeftPanel);
  TArea top = Inside(TopLeftPanel, BevelWidth);
  DockTop(top, Panel2, TitlePanelHeight);
  DockRight(top, BtnPanel, ButtonColumnWidth);
  SetWidth(DirTitleLbl, Panel2->width() - 8);
  TArea bottom = Inside(BottomLeftPanel, BevelWidth);
  DockTop(bottom, Panel3, TitlePanelHeight);
  DockTop(bottom, Bevel4, Margin);
  DockBottom(bottom, Bevel1, Margin);
  DockLeft(bottom, Bevel3, Margin);
  DockRight(bottom, Bevel2, Margin);
  Fill(bottom, FileList);
  SetWidth(FileBrowseTitleLbl, Panel3->width() - 8);
  Fill(Inside(RightPanel, PanelBorder), PageControl1);
}

// Child positions count from the parent's corner, bevels included, as the
// design's figures do.
void TMainForm::FormResize() {
  const int column = std::max(MinimumColumnWidth, (FileList->width() - 20) / 2);
  FileList->header()->resizeSection(0, column);
  FileList->header()->resizeSection(1, column);
  SetWidth(DirEdit, BtnPanel->x() - DirEdit->x());
  SetWidth(FilterCmb, BtnPanel->x() - FilterCmb->x());
  SetWidth(SortCmb, FilterCmb->width());
  const int statusLeft = StatusPanel->x() - ToolBarClientLeft;
  const int statusWidth = std::max(0, ToolBar1->width() - statusLeft - 8);
  if (statusWidth != StatusPanel->width()) {
    SetWidth(StatusPanel, statusWidth);
    StatusPanelResize();
  }
}

void TMainForm::StatusPanelResize() {
  SetWidth(ActionLbl, StatusPanel->width() - ActionLbl->x() - 4);
  SetWidth(ProgressBar1, StatusPanel->width() - ProgressBar1->x() - 4);
}

int TMainForm::ActivePageIndex() const { return FNoActivePage ? -1 : PageControl1->currentIndex(); }

void TMainForm::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageControl1->count()) {
    FNoActivePage = true;
    FPageStack->setCurrentWidget(FEmptyPage);
    ShowActivePageTab();
    return;
  }
  FNoActivePage = false;
  PageControl1->setCurrentIndex(index);
  FPageStack->setCurrentIndex(index);
  ShowActivePageTab();
}

QRect TMainForm::CountedBounds() const {
  return QRect(x(), y(), width() + FrameAcross, height() + FrameDown);
}

// Never smaller than the minimum size, never beyond what a screen holds.
void TMainForm::SetCountedBounds(int left, int top, int width, int height) {
  left = std::clamp(left, -MaximumOffset, MaximumOffset);
  top = std::clamp(top, -MaximumOffset, MaximumOffset);
  width = std::clamp(width, MinimumWidth, MaximumSide);
  height = std::clamp(height, MinimumHeight, MaximumSide);
  move(left, top);
  resize(width - FrameAcross, height - FrameDown);
}

void TMainForm::CentreOnScreen() {
  const QSize screen = Platform::PrimaryScreenSize();
  const QRect bounds = CountedBounds();
  const int left = std::max(0, (screen.width() - bounds.width()) / 2);
  const int top = std::max(0, (screen.height() - bounds.height()) / 2);
  move(left, top);
}

void TMainForm::showEvent(QShowEvent* event) {
  if (!FPlaced && !event->spontaneous()) {
    FPlaced = true;
    CentreOnScreen();
  }
  QMainWindow::showEvent(event);
}

// Regions: the browser, the toolbar (whose buttons take no focus), the text
// panel (never shown), the options pages.
void TMainForm::ApplyTabOrder() {
  std::vector<QWidget*> chain = {DirEdit, FilterCmb, SortCmb, FileList, PageControl1};
  auto addGroup = [&chain](TRadioGroup* group) {
    for (int i = 0; QRadioButton* button = group->Button(i); ++i) chain.push_back(button);
  };
  addGroup(RadioGroup1);
  chain.push_back(Edit1);
  addGroup(RadioGroup3);
  chain.push_back(Edit3);
  addGroup(RadioGroup4);
  chain.push_back(Edit4);
  addGroup(RadioGroup2);
  addGroup(RadioGroup6);
  chain.insert(chain.end(), {Edit5, CaseSensitive, Edit6, RegexChk, AllChk, PatternEdit});
  chain.insert(chain.end(), {FieldBtn, StartEdit, StepEdit});
  chain.push_back(WidthEdit);
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}
