// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <vector>

#include "app/MainView.h"
#include "app/widgets/HelpWindow.h"
#include "app/widgets/StartPage.h"
#include "base/BusSubscription.h"
#include "platform/qt/QtSystemClipboard.h"
#include "service/widgets/AdjustWindow.h"
#include "service/widgets/CompareWindow.h"
#include "service/widgets/FlagBitsWindow.h"
#include "service/widgets/FreeDebugWindow.h"
#include "service/widgets/MemoryWindow.h"

class QAction;
class QLabel;
class QSplitter;

namespace rtv {

class AppSettings;
class LinkWindows;
class SheetPane;
class QtTextMetrics;
class Timer;
struct SheetViewServices;
struct SheetServices;
class MainController;
class MenuBuilder;
class MessagePanel;
class SheetPrinter;
class SheetView;
class ToolbarBuilder;
class TreeBuilder;
class UndoActions;

// The main window: menu and toolbar on top, the tree of sheets on the left beside the
// sheet on show, and the status bar.
class MainWindow : public QMainWindow, public MainView {
  Q_OBJECT

 public:
  static constexpr int kMinimumWidth = 400;
  static constexpr int kMinimumHeight = 200;
  static constexpr int kSplitterWidth = 3;
  static constexpr int kMinimumTreeWidth = 8;
  // Undo and Redo follow the toolbar's New, Open and Save.
  static constexpr int kFileButtons = 3;

  MainWindow(MainController& controller, AppSettings& settings);
  ~MainWindow() override;

  // The main window.
  void ShowMainWindow() override;
  void RedrawMessagePanel() override;
  void SetBusy(bool busy) override;
  void CloseMainWindow() override;
  void SetToolbarVisible(bool visible) override;
  void ShowAbout() override;
  void OpenHelp(const std::string& path, int contextId) override;
  SystemClipboard* Clipboard() override { return &clipboard_; }
  LinkView* LinkWindows() override;
  // The same windows as the widgets they are (the tests look at the progress window).
  rtv::LinkWindows& RadioLinkWindows() { return *linkWindows_; }
  // The document's title.
  void SetTitle(const std::string& title) override;
  void SetModified(bool modified) override;
  // The tree.
  void RebuildTree() override;
  void ShowTreeAndSelectFirst() override;
  void AppendToTreeRoot(const std::string& text) override;
  void AdjustOptionalSheets(const OptionalSheets& sheets) override;
  void ShowWarningMarks(const std::vector<std::string>& errorSheets,
                        const std::vector<std::string>& warningSheets) override;
  std::string SheetCaption(const std::string& sheet) const override;
  std::string SelectedTreeSheet() const override;
  bool StartPageChosen() const override;
  // The sheet on show.
  void OpenSheet(const std::string& name) override;
  bool HasSheet() const override { return pane_ != nullptr; }
  Sheet* SheetOnShow() override;
  void ShowEditPlace(const std::string& sheet, int cellLink, int index) override;
  void RebuildSheetOnShow() override;
  void CloseCurrentSheet() override;
  bool CanPrintSheet() const override;
  void PrintSheets(bool all) override;
  // The service windows.
  void ShowMakerPanel(const std::string& text) override;
  void ShowCompareWindow(const std::string& text) override;
  bool OpenMemoryWindow() override;
  bool OpenFlagBitsWindow() override;
  bool OpenFreeDebugWindow(std::function<void()> closed) override;
  bool OpenAdjustWindow(const AdjustWindowActions& actions) override;
  // The result windows.
  void ShowDifferences(const std::string& title, const std::string& origin,
                       const EepromImage& other) override;
  bool ShowImportPreview(const std::string& origin, const ImageDifferences& differences,
                         const SheetImporter::Report& report, std::function<void()> apply) override;
  bool ShowCloneInfo() override;

  // The sheets Print All Sheets prints: every tree node's sheet, in tree order.
  std::vector<std::string> TreeSheetNames() const;
  SheetPrinter* Printer() const { return printer_; }
  // The maker's service windows while they are open; null otherwise.
  CompareWindow* Compare() const { return compareWindow_; }
  MemoryWindow* Memory() const { return memoryWindow_; }
  FlagBitsWindow* FlagBits() const { return flagBitsWindow_; }
  FreeDebugWindow* FreeDebug() const { return freeDebugWindow_; }
  // The adjustment window while it is open; null otherwise.
  AdjustWindow* AdjustmentWindow() const { return adjustWindow_; }
  // The help window once help was asked for; null before.
  HelpWindow* Help() const { return helpWindow_; }
  StartPage* Start() const { return startPage_; }
  // The status bar's panel naming the port in use.
  QLabel* PortPanel() const { return portPanel_; }

  MessagePanel* MessagePanelWidget() const { return messagePanel_; }
  TreeBuilder* Tree() const { return tree_; }
  MenuBuilder* Menu() const { return menu_.get(); }
  // View › channels in use only.
  QAction* ChannelsInUseAction() const { return channelsInUse_; }
  ToolbarBuilder* Toolbar() const { return toolbar_; }
  UndoActions* Undo() const { return undoActions_; }
  QWidget* TreePanel() const { return treePanel_; }
  QWidget* SheetPanel() const { return sheetPanel_; }
  // The sheet on show, or null.
  SheetPane* CurrentSheet() const { return pane_; }
  // Puts the window's place and the splitter into the settings, as closing does.
  void StorePlacement();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void PlaceOnScreen();
  void BuildParts();
  void AddChannelsInUseSwitch();
  void UpdateStartPage();
  // Chooses the tree node of the sheet on show, when it has one.
  void FollowInTree(const std::string& name);
  void TreeSelectionChanged();
  void ShowSheetNow(const std::string& name);
  // The Edit menu offers the popup menu the sheet view of the sheet on show names, or none.
  void FollowCellMenu(const SheetView& sheetView);
  void ReleaseCellMenu(SheetView& sheetView);

  MainController& controller_;
  AppSettings& settings_;
  MessagePanel* messagePanel_;
  std::unique_ptr<MenuBuilder> menu_;
  ToolbarBuilder* toolbar_ = nullptr;
  UndoActions* undoActions_ = nullptr;  // owned by the window
  QSplitter* splitter_ = nullptr;
  QWidget* treePanel_ = nullptr;
  QWidget* sheetPanel_ = nullptr;
  TreeBuilder* tree_ = nullptr;  // owned by the tree panel
  // A new choice in the tree opens its sheet only once the choice has stayed a while.
  std::unique_ptr<Timer> treeChangeDelay_;
  int treeChangeDelayMs_ = 0;
  std::string currentSheetName_;
  std::string lastSheetName_;  // the sheet closed last, which a new tree selects again
  QWidget* makerPanel_ = nullptr;
  std::unique_ptr<rtv::LinkWindows> linkWindows_;
  QPointer<AdjustWindow> adjustWindow_;
  QPointer<HelpWindow> helpWindow_;
  QPointer<CompareWindow> compareWindow_;
  QPointer<MemoryWindow> memoryWindow_;
  QPointer<FlagBitsWindow> flagBitsWindow_;
  QPointer<FreeDebugWindow> freeDebugWindow_;
  std::unique_ptr<QtTextMetrics> metrics_;
  QtSystemClipboard clipboard_;
  std::unique_ptr<SheetServices> sheetServices_;
  std::unique_ptr<SheetServices> printSheetServices_;
  SheetPrinter* printer_ = nullptr;  // owned by the window
  std::unique_ptr<SheetViewServices> viewServices_;
  std::vector<QIcon> treeIcons_;
  SheetPane* pane_ = nullptr;
  bool sheetViewHadFocus_ = false;
  bool placedWithFrame_ = false;
  QAction* channelsInUse_ = nullptr;
  StartPage* startPage_ = nullptr;
  QLabel* portPanel_ = nullptr;
  BusSubscription subscription_;
};

}  // namespace rtv
