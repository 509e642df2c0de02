// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFrame>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

#include "app/AppSettings.h"
#include "app/MainController.h"
#include "app/WindowPlacement.h"
#include "app/widgets/AboutBox.h"
#include "app/widgets/AdjustWindow.h"
#include "app/widgets/IconLists.h"
#include "app/widgets/MessagePanel.h"
#include "base/Timers.h"
#include "link/widgets/LinkWindows.h"
#include "overlay/OverlayText.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtTextMetrics.h"
#include "sheet/ItemStates.h"
#include "sheet/Sheet.h"
#include "sheet/SheetModelHost.h"
#include "sheet/widgets/MenuBuilder.h"
#include "sheet/widgets/SheetDialog.h"
#include "sheet/widgets/SheetPane.h"
#include "sheet/widgets/ToolbarBuilder.h"
#include "sheet/widgets/TreeBuilder.h"

namespace rtv {
namespace {

ScreenRect WorkAreaNearest(int x, int y) {
  const QPoint point(x, y);
  QScreen* nearest = QGuiApplication::screenAt(point);
  if (nearest == nullptr) {
    // Off every screen: take the screen whose work area is closest to the point.
    long best = -1;
    for (QScreen* screen : QGuiApplication::screens()) {
      const QRect area = screen->availableGeometry();
      const long dx = std::max({area.left() - x, 0, x - area.right()});
      const long dy = std::max({area.top() - y, 0, y - area.bottom()});
      const long distance = dx * dx + dy * dy;
      if (best < 0 || distance < best) {
        best = distance;
        nearest = screen;
      }
    }
  }
  if (nearest == nullptr) nearest = QGuiApplication::primaryScreen();
  if (nearest == nullptr) return {0, 0, 1024, 768};
  const QRect area = nearest->availableGeometry();
  return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

QFrame* BevelledPanel() {
  auto* panel = new QFrame;
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setLineWidth(2);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(2, 2, 2, 2);
  return panel;
}

}  // namespace

MainWindow::MainWindow(MainController& controller, AppSettings& settings)
    : controller_(controller), settings_(settings), messagePanel_(new MessagePanel) {
  const QString title = QString::fromStdString(controller_.ApplicationTitle());
  setWindowTitle(title);
  setFont(ToQFont(controller_.FormFont()));
  QApplication::setApplicationDisplayName(title);
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  BuildParts();
  PlaceOnScreen();
  linkWindows_ =
      std::make_unique<rtv::LinkWindows>(*this, controller_.Overlay(), controller_.UserPrompts());
}

LinkView* MainWindow::LinkWindows() { return linkWindows_.get(); }

bool MainWindow::OpenAdjustWindow(const AdjustWindowActions& actions) {
  if (adjustWindow_ != nullptr) {
    adjustWindow_->raise();
    adjustWindow_->activateWindow();
    return false;
  }
  OverlayText& overlay = controller_.Overlay();
  adjustWindow_ = new AdjustWindow(this, overlay, settings_, actions.update, actions.closed);
  if (overlay.HasKey(std::string(AdjustWindow::kRecordName) + "_Cells")) {
    adjustWindow_->SetContent(new SheetPane(
        controller_.CreateSheet(*sheetServices_, AdjustWindow::kRecordName), *gridServices_));
  }
  adjustWindow_->show();
  return true;
}

bool MainWindow::ShowCloneInfo() {
  OverlayText& overlay = controller_.Overlay();
  if (!overlay.HasKey("GI_Sheet_CloneInfo_Cells")) return false;
  auto* dialog = new SheetDialog(
      controller_.CreateSheet(*sheetServices_, "GI_Sheet_CloneInfo"), *gridServices_, overlay,
      QString::fromStdString(overlay.GetFirstLine("GI_Sys_AppTitle")), this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->open();
  return true;
}

void MainWindow::BuildParts() {
  OverlayText& overlay = controller_.Overlay();

  menuBar()->setNativeMenuBar(false);
  menu_ = std::make_unique<MenuBuilder>(menuBar(), overlay, "GI_Menu_Main", controller_.Accessor(),
                                        &controller_.Bus());
  // The Edit menu's cell popup items act on the current cell of the sheet on show.
  menu_->SetOwnerProvider([this]() -> const Cell* {
    return pane_ != nullptr && pane_->grid() != nullptr ? pane_->grid()->CurrentCell() : nullptr;
  });
  menu_->SetPopupCommandHandler([this](int link) {
    if (pane_ != nullptr && pane_->grid() != nullptr) pane_->grid()->RunPopupCommand(link);
  });
  menu_->BuildMenu();

  auto* body = new QWidget;
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  toolbar_ = new ToolbarBuilder(body, overlay, "GI_ToolBar_Main", ToolbarIcons(),
                                controller_.Accessor(), &controller_.Bus());
  toolbar_->BuildToolbar();
  toolbar_->setVisible(settings_.toolbarVisible == 1);
  column->addWidget(toolbar_);

  splitter_ = new QSplitter(Qt::Horizontal);
  splitter_->setHandleWidth(kSplitterWidth);
  splitter_->setChildrenCollapsible(false);
  splitter_->setOpaqueResize(true);
  treePanel_ = BevelledPanel();
  treePanel_->setMinimumWidth(kMinimumTreeWidth);
  sheetPanel_ = BevelledPanel();
  splitter_->addWidget(treePanel_);
  splitter_->addWidget(sheetPanel_);
  splitter_->setStretchFactor(1, 1);
  const int treeWidth = std::max(settings_.treeWidth, kMinimumTreeWidth);
  splitter_->setSizes({treeWidth, std::max(width() - treeWidth, 1)});
  column->addWidget(splitter_, 1);
  setCentralWidget(body);

  statusBar()->addWidget(messagePanel_, 1);
  auto* square = new QWidget;
  square->setFixedWidth(statusBar()->sizeHint().height());
  statusBar()->addPermanentWidget(square);
  statusBar()->setSizeGripEnabled(true);

  treeIcons_ = TreeIcons();
  metrics_ = std::make_unique<QtTextMetrics>();
  sheetServices_ = std::make_unique<SheetServices>(
      SheetServices{overlay, *metrics_,
                    [this](CellRequest& request, bool notify) {
                      return controller_.Accessor().AccessCell(request, notify);
                    },
                    settings_.Store(), settings_.fontSizePercentage});
  gridServices_ = std::make_unique<GridServices>();
  gridServices_->sheets = sheetServices_.get();
  gridServices_->model = dynamic_cast<SheetModelHost*>(&controller_);
  gridServices_->bus = &controller_.Bus();
  gridServices_->timers = &controller_.TaskTimers();
  gridServices_->images = &treeIcons_;

  // On the program's timers like every other delay, so that a test's clock drives it too.
  treeChangeDelay_ = controller_.TaskTimers().CreateTimer([this] {
    treeChangeDelay_->Stop();  // once for each change
    TreeSelectionChanged();
  });
  if (overlay.HasKey("GI_Sys_TreeChangeDelay")) {
    treeChangeDelayMs_ =
        std::max(0, std::atoi(overlay.GetFirstLine("GI_Sys_TreeChangeDelay").c_str()));
  }
}

void MainWindow::RebuildTree() {
  delete tree_;
  tree_ = new TreeBuilder(treePanel_, controller_.Overlay(), "GI_Tree_Main", treeIcons_,
                          &controller_.Bus());
  tree_->hide();
  tree_->BuildTree();
  treePanel_->layout()->addWidget(tree_);
  connect(tree_, &QTreeWidget::currentItemChanged, this,
          [this] { treeChangeDelay_->Start(treeChangeDelayMs_); });
  connect(tree_, &QTreeWidget::itemExpanded, this, [this] { controller_.CheckWarnings(); });
  connect(tree_, &QTreeWidget::itemCollapsed, this, [this] { controller_.CheckWarnings(); });
}

void MainWindow::ShowTreeAndSelectFirst() {
  if (tree_ == nullptr) return;
  tree_->show();
  if (QTreeWidgetItem* first = tree_->topLevelItem(0)) tree_->setCurrentItem(first);
}

void MainWindow::AppendToTreeRoot(const std::string& text) {
  if (tree_ == nullptr) return;
  if (QTreeWidgetItem* root = tree_->topLevelItem(0)) {
    root->setText(0, root->text(0) + QString::fromStdString(text));
  }
}

void MainWindow::TreeSelectionChanged() {
  if (tree_ == nullptr) return;
  const Cell* cell = tree_->SelectedCell();
  if (cell == nullptr || !cell->option || *cell->option == currentSheetName_) return;
  ClickItem(controller_.Accessor(), *cell, nullptr);
}

void MainWindow::AdjustOptionalSheets(const OptionalSheets& sheets) {
  if (tree_ == nullptr) return;
  QTreeWidgetItem* root = tree_->topLevelItem(0);
  QTreeWidgetItem* international = tree_->FindNode("GI_Sheet_IntCh");
  int insertAt = 0;
  if (root != nullptr && international != nullptr && international->parent() == root) {
    insertAt = root->indexOfChild(international) + 1;
  }
  const struct {
    bool shown;
    const char* sheet;
    int nodeClass;
  } regions[] = {{sheets.usaChannels, "GI_Sheet_UsaCh", 1},
                 {sheets.canadianChannels, "GI_Sheet_CanCh", 2},
                 {sheets.weatherChannels, "GI_Sheet_WxCh", 3}};
  for (const auto& region : regions) {
    if (!region.shown) {
      tree_->RemoveNodesWithFlag(region.nodeClass);
      continue;
    }
    if (tree_->FindNode(region.sheet) == nullptr) {
      if (tree_->InsertFromBody(region.sheet, insertAt)) ++insertAt;
    } else {
      ++insertAt;
    }
  }
  if (!sheets.modelSheets) tree_->RemoveNodesWithFlag(4);
  if (!sheets.makerSheets) tree_->RemoveNodesWithFlag(0);
  if (!sheets.adjustSheets) tree_->RemoveNodesWithFlag(6);
}

void MainWindow::OpenSheet(const std::string& name) {
  // Later, not inside the access that asked: the asking cell may be on the closing sheet.
  QMetaObject::invokeMethod(
      this, [this, name] { ShowSheetNow(name); }, Qt::QueuedConnection);
}

void MainWindow::ShowSheetNow(const std::string& name) {
  CloseCurrentSheet();
  sheetServices_->fontSizePercentage = settings_.fontSizePercentage;
  std::unique_ptr<Sheet> sheet = controller_.CreateSheet(*sheetServices_, name);
  if (const auto* position = controller_.FindSheetPosition(name)) {
    sheet->SetRememberedPosition(position->column, position->row, position->leftColumn,
                                 position->topRow);
  }
  pane_ = new SheetPane(std::move(sheet), *gridServices_, sheetPanel_);
  sheetPanel_->layout()->addWidget(pane_);
  currentSheetName_ = name;
  pane_->show();
  if (gridHadFocus_ && pane_->grid() != nullptr && pane_->grid()->isEnabled()) {
    pane_->grid()->setFocus();
  } else if (tree_ != nullptr) {
    tree_->setFocus();
  }
}

void MainWindow::CloseCurrentSheet() {
  if (pane_ == nullptr) return;
  Sheet& sheet = pane_->sheet();
  controller_.RememberSheetPosition({currentSheetName_, sheet.currentColumn(), sheet.currentRow(),
                                     sheet.leftColumn(), sheet.topRow()});
  gridHadFocus_ = tree_ == nullptr || !tree_->hasFocus();
  // Freed once the current event is over: a grid may still be on the stack.
  pane_->hide();
  pane_->setParent(nullptr);
  pane_->deleteLater();
  pane_ = nullptr;
  currentSheetName_.clear();
}

Sheet* MainWindow::SheetOnShow() { return pane_ != nullptr ? &pane_->sheet() : nullptr; }

std::string MainWindow::SelectedTreeSheet() const {
  if (tree_ == nullptr) return {};
  const Cell* cell = tree_->SelectedCell();
  return cell != nullptr && cell->option ? *cell->option : std::string();
}

void MainWindow::SetToolbarVisible(bool visible) { toolbar_->setVisible(visible); }

void MainWindow::ShowAbout() {
  AboutBox about(this, controller_.Overlay(),
                 [this](char character) { controller_.KeyTyped(character); });
  about.exec();
}

void MainWindow::OpenHelp(const std::string& path, int contextId) {
  QUrl url = QUrl::fromLocalFile(QString::fromStdString(path));
  if (contextId != 0) url.setFragment(QStringLiteral("c%1").arg(contextId));
  QDesktopServices::openUrl(url);
}

void MainWindow::ShowMakerPanel(const std::string& text) {
  if (makerPanel_ != nullptr) return;
  auto* panel = new MessagePanel;
  const QString caption = QString::fromStdString(text);
  panel->SetMessage(caption, 0xFFFFFF, 128);
  panel->SetCentred(true);
  panel->setFixedWidth(fontMetrics().horizontalAdvance(caption + "XX"));
  // Just before the last panel.
  statusBar()->insertPermanentWidget(1, panel);
  makerPanel_ = panel;
}

void MainWindow::ShowWarningMarks(const std::vector<std::string>& errorSheets,
                                  const std::vector<std::string>& warningSheets) {
  if (tree_ == nullptr) return;
  tree_->ClearMarks();
  // Errors are marked last so that their picture wins.
  tree_->MarkNodes(warningSheets, 1);
  tree_->MarkNodes(errorSheets, 0);
}

MainWindow::~MainWindow() {
  // The tree goes with the window's children, after the delay it would restart.
  if (tree_ != nullptr) tree_->disconnect(this);
}

void MainWindow::PlaceOnScreen() {
  const ScreenRect wanted{settings_.left, settings_.top, settings_.left + settings_.width,
                          settings_.top + settings_.height};
  const ScreenRect placed = MoveOntoScreen(wanted, WorkAreaNearest);
  resize(std::max(placed.Width(), kMinimumWidth), std::max(placed.Height(), kMinimumHeight));
  move(placed.left, placed.top);
}

void MainWindow::SetTitle(const std::string& title) {
  setWindowTitle(QString::fromStdString(title));
}

void MainWindow::ShowForm() { show(); }

void MainWindow::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void MainWindow::CloseForm() { close(); }

void MainWindow::RedrawMessagePanel() {
  messagePanel_->SetMessage(QString::fromStdString(controller_.MessagePanelText()),
                            controller_.MessagePanelTextColour(),
                            controller_.MessagePanelBackground());
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A radio exchange disables the form; it must finish first.
  if (!isEnabled() || !controller_.QueryClose()) {
    event->ignore();
    return;
  }
  StorePlacement();
  controller_.Close();
  event->accept();
}

void MainWindow::StorePlacement() {
  const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
  settings_.left = normal.x();
  settings_.top = normal.y();
  settings_.width = normal.width();
  settings_.height = normal.height();
  settings_.treeWidth = treePanel_->width();
}

}  // namespace rtv
