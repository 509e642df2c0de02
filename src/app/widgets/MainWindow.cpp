// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>

#include "app/AppSettings.h"
#include "app/ImageCompareCommands.h"
#include "app/MainController.h"
#include "app/WindowPlacement.h"
#include "app/widgets/AboutBox.h"
#include "app/widgets/HelpWindow.h"
#include "app/widgets/IconLists.h"
#include "app/widgets/MessagePanel.h"
#include "app/widgets/UndoActions.h"
#include "base/Timers.h"
#include "cells/Cell.h"
#include "cells/CellNames.h"
#include "compare/widgets/DifferencesWindow.h"
#include "compare/widgets/ImportPreviewWindow.h"
#include "link/widgets/LinkWindows.h"
#include "menus/ItemStates.h"
#include "menus/widgets/MenuBuilder.h"
#include "menus/widgets/ToolbarBuilder.h"
#include "menus/widgets/TreeBuilder.h"
#include "overlay/OverlayText.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtTextMetrics.h"
#include "print/widgets/SheetPrinter.h"
#include "service/widgets/AdjustWindow.h"
#include "sheet/Sheet.h"
#include "sheet/SheetModelHost.h"
#include "sheet/widgets/SheetDialog.h"
#include "sheet/widgets/SheetPane.h"
#include "sheet/widgets/SheetView.h"

namespace rtv {
namespace {

// The status bar's port panel: its format (number, device) and the text for no device.
constexpr const char* kPortPanelKey = "GI_StatusPanel_Port";
// Caption (line 0) and shortcut (line 1) of View › channels in use only.
constexpr const char* kChannelsInUseKey = "GI_Menu_View_ChannelsInUse";

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
  setFont(ToQFont(controller_.MainWindowFont()));
  QApplication::setApplicationDisplayName(title);
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  BuildParts();
  PlaceOnScreen();
  linkWindows_ =
      std::make_unique<rtv::LinkWindows>(*this, controller_.Overlay(), controller_.UserPrompts());
}

LinkView* MainWindow::LinkWindows() { return linkWindows_.get(); }

void MainWindow::ShowDifferences(const std::string& title, const std::string& origin,
                                 const EepromImage& other) {
  auto* window = new DifferencesWindow(controller_.Comparisons(), title, origin, other, this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
}

bool MainWindow::ShowImportPreview(const std::string& origin, const ImageDifferences& differences,
                                   const SheetImporter::Report& report,
                                   std::function<void()> apply) {
  auto* window = new ImportPreviewWindow(origin, differences, report, std::move(apply), this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  // Modal to the program: the image stays as previewed until Apply or Cancel.
  window->open();
  return true;
}

bool MainWindow::OpenAdjustWindow(const AdjustWindowActions& actions) {
  if (adjustWindow_ != nullptr) {
    adjustWindow_->raise();
    adjustWindow_->activateWindow();
    return false;
  }
  OverlayText& overlay = controller_.Overlay();
  adjustWindow_ = new AdjustWindow(this, overlay, settings_, actions);
  if (overlay.HasKey(std::string(AdjustWindow::kRecordName) + "_Cells")) {
    adjustWindow_->SetContent(new SheetPane(
        controller_.CreateSheet(*sheetServices_, AdjustWindow::kRecordName), *viewServices_));
  }
  adjustWindow_->show();
  return true;
}

namespace {

// A tool window asked for again comes to the front.
bool Raise(QWidget* window) {
  if (window == nullptr) return false;
  window->raise();
  window->activateWindow();
  return true;
}

}  // namespace

void MainWindow::ShowCompareWindow(const std::string& text) {
  delete compareWindow_;
  compareWindow_ = new CompareWindow(this, QString::fromStdString(text));
  compareWindow_->setAttribute(Qt::WA_DeleteOnClose);
  compareWindow_->open();
}

bool MainWindow::OpenMemoryWindow() {
  if (Raise(memoryWindow_)) return false;
  if (!controller_.Overlay().HasKey(std::string(MemoryWindow::kSheetName) + "_Cells")) return false;
  memoryWindow_ = new MemoryWindow(
      this, controller_.CreateSheet(*sheetServices_, MemoryWindow::kSheetName), *viewServices_,
      controller_.Overlay(), controller_.CurrentDocument().Working(), controller_.Bus());
  memoryWindow_->show();
  return true;
}

bool MainWindow::OpenFlagBitsWindow() {
  if (Raise(flagBitsWindow_)) return false;
  flagBitsWindow_ = new FlagBitsWindow(this, *sheetServices_, *viewServices_);
  flagBitsWindow_->show();
  return true;
}

bool MainWindow::OpenFreeDebugWindow(std::function<void()> closed) {
  if (Raise(freeDebugWindow_)) return false;
  freeDebugWindow_ = new FreeDebugWindow(this, controller_.Bus(), std::move(closed));
  freeDebugWindow_->show();
  return true;
}

bool MainWindow::ShowCloneInfo() {
  OverlayText& overlay = controller_.Overlay();
  if (!overlay.HasKey("GI_Sheet_CloneInfo_Cells")) return false;
  auto* dialog = new SheetDialog(
      controller_.CreateSheet(*sheetServices_, "GI_Sheet_CloneInfo"), *viewServices_, overlay,
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
    return pane_ != nullptr && pane_->sheetView() != nullptr ? pane_->sheetView()->CurrentCell()
                                                             : nullptr;
  });
  menu_->SetPopupCommandHandler([this](int cellLink) {
    if (pane_ != nullptr && pane_->sheetView() != nullptr)
      pane_->sheetView()->RunPopupCommand(cellLink);
  });
  menu_->BuildMenu();
  AddChannelsInUseSwitch();
  // The Edit menu is the popup menu of the current cell of the sheet on show, whatever has
  // the focus; without such a cell it says that there is nothing to do.
  menu_->SetSubItemsSource(LinkNo("CL_Menu_Edit_Top"), [this]() -> std::string {
    const Cell* cell = pane_ != nullptr && pane_->sheetView() != nullptr
                           ? pane_->sheetView()->CurrentCell()
                           : nullptr;
    const std::string key = cell != nullptr ? cell->PopupMenuName() : std::string();
    if (!key.empty() && controller_.Overlay().HasKey(key + "_Body")) return key;
    return controller_.Overlay().HasKey("GI_PMenu_NoItem_Body") ? "GI_PMenu_NoItem" : "";
  });
  // Undo and Redo head the Edit menu whatever sheet is on show.
  undoActions_ = new UndoActions(controller_, controller_.CurrentDocument(), this);
  addAction(undoActions_->Undo());
  addAction(undoActions_->Redo());
  menu_->SetLeadingActions(LinkNo("CL_Menu_Edit_Top"),
                           {undoActions_->Undo(), undoActions_->Redo()});

  auto* body = new QWidget;
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  toolbar_ = new ToolbarBuilder(body, overlay, "GI_ToolBar_Main", ToolbarIcons(),
                                controller_.Accessor(), &controller_.Bus());
  toolbar_->BuildToolbar();
  toolbar_->AddActionButtons({undoActions_->Undo(), undoActions_->Redo()}, kFileButtons);
  toolbar_->setVisible(settings_.toolbarVisible == 1);
  column->addWidget(toolbar_);

  splitter_ = new QSplitter(Qt::Horizontal);
  splitter_->setHandleWidth(kSplitterWidth);
  splitter_->setChildrenCollapsible(false);
  splitter_->setOpaqueResize(true);
  treePanel_ = BevelledPanel();
  treePanel_->setMinimumWidth(kMinimumTreeWidth);
  sheetPanel_ = BevelledPanel();
  startPage_ = new StartPage(overlay, [this](StartPage::Action action) {
    const int cellLink = action == StartPage::Action::ReadRadio  ? LinkNo("CL_Menu_Clone_Read")
                         : action == StartPage::Action::OpenFile ? LinkNo("CL_Menu_File_Open")
                                                                 : LinkNo("CL_Menu_File_New");
    if (QAction* item = menu_->ActionFor(cellLink)) item->trigger();
  });
  startPage_->hide();
  sheetPanel_->layout()->addWidget(startPage_);
  splitter_->addWidget(treePanel_);
  splitter_->addWidget(sheetPanel_);
  splitter_->setStretchFactor(1, 1);
  const int treeWidth = std::max(settings_.treeWidth, kMinimumTreeWidth);
  splitter_->setSizes({treeWidth, std::max(width() - treeWidth, 1)});
  column->addWidget(splitter_, 1);
  setCentralWidget(body);

  statusBar()->addWidget(messagePanel_, 1);
  portPanel_ = new QLabel;
  portPanel_->setContentsMargins(6, 0, 6, 0);
  statusBar()->addPermanentWidget(portPanel_);
  // A port or mode change shows at once in the status bar.
  subscription_ = controller_.Bus().SubscribeTo<msg::ModeChanged>(
      [this](const msg::ModeChanged&) { UpdateStartPage(); });
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
  // Paper has neither remembered column widths nor the screen's font percentage.
  printSheetServices_ = std::make_unique<SheetServices>(
      SheetServices{overlay, *metrics_, sheetServices_->accessor, nullptr, 100});
  PrinterServices printing;
  printing.mainWindow = this;
  printing.overlay = &overlay;
  printing.metrics = metrics_.get();
  printing.prompts = &controller_.UserPrompts();
  printing.timers = &controller_.TaskTimers();
  printing.icons = {BuiltInIcon("imgIcon_Bar_Page_Top"), BuiltInIcon("imgIcon_Bar_Page_Previous"),
                    BuiltInIcon("imgIcon_Bar_Page_Next"), BuiltInIcon("imgIcon_Bar_Page_Last"),
                    BuiltInIcon("imgIcon_Bar_Page_Zoom")};
  printing.factory = [this](const std::string& name) {
    return controller_.CreateSheet(*printSheetServices_, name);
  };
  printing.fontPoints = [this] { return settings_.fontSizePrinter; };
  printing.storeFontPoints = [this](int points) { settings_.fontSizePrinter = points; };
  printer_ = new SheetPrinter(std::move(printing), this);
  viewServices_ = std::make_unique<SheetViewServices>();
  viewServices_->sheets = sheetServices_.get();
  viewServices_->model = &controller_.Model();
  viewServices_->bus = &controller_.Bus();
  viewServices_->timers = &controller_.TaskTimers();
  viewServices_->images = &treeIcons_;
  viewServices_->accessor = &controller_.Accessor();

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

void MainWindow::AddChannelsInUseSwitch() {
  OverlayText& overlay = controller_.Overlay();
  QAction* toolbarItem = menu_->ActionFor(LinkNo("CL_Menu_View_ToolBar"));
  if (toolbarItem == nullptr || !overlay.HasKey(kChannelsInUseKey)) return;
  QMenu* view = nullptr;
  for (QAction* top : menuBar()->actions()) {
    if (top->menu() != nullptr && top->menu()->actions().contains(toolbarItem)) view = top->menu();
  }
  if (view == nullptr) return;
  channelsInUse_ = new QAction(QString::fromStdString(overlay.GetLine(kChannelsInUseKey, 0)), view);
  channelsInUse_->setShortcut(
      QKeySequence(QString::fromStdString(overlay.GetLine(kChannelsInUseKey, 1))));
  channelsInUse_->setCheckable(true);
  view->insertAction(toolbarItem, channelsInUse_);
  view->insertSeparator(toolbarItem);
  const auto showState = [this] { channelsInUse_->setChecked(settings_.channelsInUseOnly != 0); };
  // After the builder's refresh, which unchecks every item without a cell.
  connect(view, &QMenu::aboutToShow, this, showState);
  connect(channelsInUse_, &QAction::triggered, this, [this, showState] {
    controller_.SetChannelsInUseOnly(!controller_.Model().UsableView());
    showState();
  });
  showState();
}

void MainWindow::RebuildSheetOnShow() {
  if (pane_ == nullptr || pane_->sheetView() == nullptr) return;
  Sheet& sheet = pane_->sheet();
  const Cell* current = pane_->sheetView()->CurrentCell();
  if (current == nullptr) return;
  const int column = sheet.currentColumn();
  const int cellLink = current->cellLink;
  const int index = current->index;
  const int rowsAbove = sheet.currentRow() - sheet.topRow();
  pane_->Rebuild();
  // The same item, else the next one listed, else the last.
  int target = -1;
  for (int row = sheet.fixedRows(); row < sheet.rowCount() && column < sheet.columnCount(); ++row) {
    const Cell& cell = sheet.CellAt(column, row).cell;
    if (cell.cellLink != cellLink || !cell.selectable) continue;
    target = row;
    if (cell.index >= index) break;
  }
  if (target < 0) return;
  SheetView* sheetView = pane_->sheetView();
  sheetView->controller().SelectCell(column, target, true);
  // The row keeps its place on the screen where it can.
  sheetView->ShowCell(column, std::max(sheet.fixedRows(), target - rowsAbove), false, false);
  sheetView->ShowCell(column, target, false, false);
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
  connect(tree_, &QTreeWidget::itemExpanded, this, [this] { controller_.Warnings().CheckNow(); });
  connect(tree_, &QTreeWidget::itemCollapsed, this, [this] { controller_.Warnings().CheckNow(); });
}

void MainWindow::ShowTreeAndSelectFirst() {
  if (tree_ == nullptr) return;
  tree_->show();
  // A new tree goes on with the sheet that was on show, so that tree and sheet agree; the
  // first node only when that sheet has no node any more.
  QTreeWidgetItem* node = lastSheetName_.empty() ? nullptr : tree_->FindNode(lastSheetName_);
  if (node == nullptr) node = tree_->topLevelItem(0);
  if (node == nullptr) return;
  for (QTreeWidgetItem* parent = node->parent(); parent != nullptr; parent = parent->parent()) {
    parent->setExpanded(true);
  }
  tree_->setCurrentItem(node);
  tree_->scrollToItem(node);
  UpdateStartPage();
}

void MainWindow::AppendToTreeRoot(const std::string& text) {
  if (tree_ == nullptr) return;
  if (QTreeWidgetItem* root = tree_->topLevelItem(0)) {
    root->setText(0, root->text(0) + QString::fromStdString(text));
  }
}

bool MainWindow::StartPageChosen() const {
  return tree_ != nullptr && tree_->currentItem() != nullptr &&
         tree_->currentItem() == tree_->topLevelItem(0);
}

void MainWindow::UpdateStartPage() {
  // Until the window first shows, nothing of this is seen: the start sets the tree, the
  // title and the message one after the other, and showEvent brings the page up to date
  // once, at the window's real size.
  if (startPage_ == nullptr || !isVisible()) return;
  const bool shown = pane_ == nullptr && StartPageChosen();
  if (portPanel_ != nullptr) {
    const StartFacts facts = controller_.CurrentStartFacts();
    if (shown) startPage_->Show(facts);
    // The port in use, named the way the system names it.
    OverlayText& overlay = controller_.Overlay();
    const bool texts = overlay.HasKey(kPortPanelKey);
    const QString format =
        texts ? QString::fromStdString(overlay.GetLine(kPortPanelKey, 0)) : "Port %1: %2";
    const std::string none = texts ? overlay.GetLine(kPortPanelKey, 1) : "no device";
    portPanel_->setText(
        format.arg(facts.portNumber).arg(QString::fromStdString(facts.PortText(none))));
  }
  if (shown && startPage_->isHidden()) {
    // Its place first, so that its layout runs once, at the size it is shown at.
    startPage_->setGeometry(sheetPanel_->layout()->contentsRect());
  }
  startPage_->setVisible(shown);
}

void MainWindow::TreeSelectionChanged() {
  if (tree_ == nullptr) return;
  if (StartPageChosen()) {
    CloseCurrentSheet();
    UpdateStartPage();
    return;
  }
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
  sheet->SetResetWidths(controller_.TakeColumnWidthReset());
  startPage_->hide();
  pane_ = new SheetPane(std::move(sheet), *viewServices_, sheetPanel_);
  if (SheetView* sheetView = pane_->sheetView()) {
    connect(sheetView, &SheetView::CellMenuChanged, this,
            [this, sheetView] { FollowCellMenu(*sheetView); });
  }
  sheetPanel_->layout()->addWidget(pane_);
  currentSheetName_ = name;
  pane_->show();
  FollowInTree(name);
  // Print and Export follow the sheet on show, also for their shortcuts.
  controller_.Bus().Post(msg::RefreshMenuStates{});
  if (sheetViewHadFocus_ && pane_->sheetView() != nullptr && pane_->sheetView()->isEnabled()) {
    pane_->sheetView()->setFocus();
  } else if (tree_ != nullptr) {
    tree_->setFocus();
  }
}

// Posted, as the other menu updates are: the item whose command moved the cursor may be
// one of those the Edit menu is about to drop.
void MainWindow::FollowCellMenu(const SheetView& sheetView) {
  const std::string& key = sheetView.CellMenuKey();
  if (key.empty()) {
    controller_.Bus().Post(msg::ClearMenuSubItems{LinkNo("CL_Menu_Edit_Top")});
  } else {
    controller_.Bus().Post(msg::BuildMenuSubItems{LinkNo("CL_Menu_Edit_Top"), key});
  }
}

void MainWindow::ReleaseCellMenu(SheetView& sheetView) {
  sheetView.disconnect(this);
  if (!sheetView.CellMenuKey().empty())
    controller_.Bus().Post(msg::ClearMenuSubItems{LinkNo("CL_Menu_Edit_Top")});
}

void MainWindow::FollowInTree(const std::string& name) {
  // A sheet opened other than from the tree (an error shown, a link in a cell) is chosen in
  // the tree too; choosing it there again finds it on show and opens nothing.
  QTreeWidgetItem* node = tree_ == nullptr ? nullptr : tree_->FindNode(name);
  if (node == nullptr || tree_->currentItem() == node) return;
  for (QTreeWidgetItem* parent = node->parent(); parent != nullptr; parent = parent->parent()) {
    parent->setExpanded(true);
  }
  tree_->setCurrentItem(node);
  tree_->scrollToItem(node);
}

void MainWindow::ShowEditPlace(const std::string& sheet, int cellLink, int index) {
  if (sheet.empty()) return;
  // Later, as OpenSheet does; built again, for the rows a channel sheet lists may differ now.
  QMetaObject::invokeMethod(
      this,
      [this, sheet, cellLink, index] {
        ShowSheetNow(sheet);
        if (pane_ == nullptr || pane_->sheetView() == nullptr) return;
        int column = 0;
        int row = 0;
        if (pane_->sheet().FindSelectable(cellLink, index, column, row)) {
          pane_->sheetView()->controller().SelectCell(column, row, true);
          pane_->sheetView()->ShowCell(column, row, false, false);
        }
      },
      Qt::QueuedConnection);
}

void MainWindow::CloseCurrentSheet() {
  if (pane_ == nullptr) return;
  Sheet& sheet = pane_->sheet();
  controller_.RememberSheetPosition({currentSheetName_, sheet.currentColumn(), sheet.currentRow(),
                                     sheet.leftColumn(), sheet.topRow()});
  sheetViewHadFocus_ = tree_ == nullptr || !tree_->hasFocus();
  if (pane_->sheetView() != nullptr) ReleaseCellMenu(*pane_->sheetView());
  // Freed once the current event is over: a sheet view may still be on the stack.
  pane_->hide();
  pane_->setParent(nullptr);
  pane_->deleteLater();
  pane_ = nullptr;
  lastSheetName_ = currentSheetName_;
  currentSheetName_.clear();
  UpdateStartPage();
}

bool MainWindow::CanPrintSheet() const { return pane_ != nullptr && pane_->sheet().CanPrint(); }

std::vector<std::string> MainWindow::TreeSheetNames() const {
  std::vector<std::string> names;
  if (tree_ == nullptr) return names;
  for (QTreeWidgetItemIterator it(tree_); *it != nullptr; ++it) {
    const Cell* cell = TreeBuilder::CellOf(*it);
    if (cell != nullptr && cell->cellLink == LinkNo("CallSheet") && cell->option &&
        !cell->option->empty()) {
      names.push_back(*cell->option);
    }
  }
  return names;
}

void MainWindow::PrintSheets(bool all) {
  if (pane_ == nullptr) return;
  if (pane_->sheetView() != nullptr && pane_->sheetView()->EditorOpen())
    pane_->sheetView()->CloseEditor(true);
  printer_->Print(all, currentSheetName_, all ? TreeSheetNames() : std::vector<std::string>{});
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
                 [this](char character) { controller_.Modes().KeyTyped(character); });
  about.exec();
}

void MainWindow::OpenHelp(const std::string& path, int contextId) {
  const QUrl home = QUrl::fromLocalFile(QString::fromStdString(path));
  QUrl page = home;
  if (contextId != 0) page.setFragment(QStringLiteral("c%1").arg(contextId));
  if (helpWindow_ == nullptr) helpWindow_ = new HelpWindow(this, controller_.Overlay(), home);
  helpWindow_->ShowPage(page);
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
  // The tool windows' sheets use the sheet view services, which go before the children do.
  delete memoryWindow_;
  delete flagBitsWindow_;
  delete freeDebugWindow_;
  delete compareWindow_;
  subscription_.End();
  // The tree goes with the window's children, after the delay it would restart; the sheet view
  // after the menus it would change.
  if (tree_ != nullptr) tree_->disconnect(this);
  if (pane_ != nullptr && pane_->sheetView() != nullptr) pane_->sheetView()->disconnect(this);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  UpdateStartPage();
  if (placedWithFrame_ || isMaximized() || isFullScreen()) return;
  // The frame is known once the window exists on screen: the whole of it must fit too.
  placedWithFrame_ = true;
  const QSize frame = frameGeometry().size() - geometry().size();
  if (frame.isEmpty()) return;
  const ScreenRect wanted{x(), y(), x() + width(), y() + height()};
  const ScreenRect placed = FitOntoScreen(wanted, frame.width(), frame.height(), WorkAreaNearest);
  if (placed == wanted) return;
  resize(std::max(placed.Width(), kMinimumWidth), std::max(placed.Height(), kMinimumHeight));
  move(placed.left, placed.top);
}

void MainWindow::PlaceOnScreen() {
  // The settings hold the frame's corner and the inner size, as move() and resize() take
  // them: a window put back where it was stays there, start after start.
  const ScreenRect placed = PlaceRememberedWindow(settings_.left, settings_.top, settings_.width,
                                                  settings_.height, WorkAreaNearest);
  resize(std::max(placed.Width(), kMinimumWidth), std::max(placed.Height(), kMinimumHeight));
  move(placed.left, placed.top);
  const int treeWidth = std::max(settings_.treeWidth, kMinimumTreeWidth);
  splitter_->setSizes({treeWidth, std::max(width() - treeWidth, 1)});
}

void MainWindow::SetTitle(const std::string& title) {
  // The unsaved-changes mark goes after the file's name.
  QString text = QString::fromStdString(title);
  const qsizetype dash = text.indexOf(" - ");
  text.insert(dash < 0 ? text.size() : dash, "[*]");
  setWindowTitle(text);
  UpdateStartPage();  // the file or the model changed
}

void MainWindow::SetModified(bool modified) { setWindowModified(modified); }

std::string MainWindow::SheetCaption(const std::string& sheet) const {
  const QTreeWidgetItem* node = tree_ != nullptr ? tree_->FindNode(sheet) : nullptr;
  return node != nullptr ? node->text(0).toStdString() : sheet;
}

void MainWindow::ShowMainWindow() { show(); }

void MainWindow::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void MainWindow::CloseMainWindow() { close(); }

void MainWindow::RedrawMessagePanel() {
  UpdateStartPage();  // a radio exchange or a port change ends with a message
  messagePanel_->SetMessage(QString::fromStdString(controller_.MessagePanelText()),
                            controller_.MessagePanelTextColour(),
                            controller_.MessagePanelBackground());
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A radio exchange disables the main window; it must finish first.
  if (!isEnabled() || !controller_.QueryClose()) {
    event->ignore();
    return;
  }
  StorePlacement();
  controller_.Close();
  event->accept();
}

void MainWindow::StorePlacement() {
  // The frame's corner (what move() places) and the inner size (what resize() takes).
  QRect inner = geometry();
  if ((isMaximized() || isFullScreen()) && normalGeometry().isValid()) inner = normalGeometry();
  const QPoint frameOffset = geometry().topLeft() - frameGeometry().topLeft();
  settings_.left = inner.x() - frameOffset.x();
  settings_.top = inner.y() - frameOffset.y();
  settings_.width = inner.width();
  settings_.height = inner.height();
  settings_.treeWidth = treePanel_->width();
}

}  // namespace rtv
