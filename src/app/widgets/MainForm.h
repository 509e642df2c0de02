#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "app/MainView.h"
#include "link/widgets/AdjustWindow.h"

class QSplitter;
class QTimer;

namespace rtv {

class AppSettings;
class LinkWindows;
class MainController;
class MenuBuilder;
class MessagePanel;
class ToolbarBuilder;
class TreeBuilder;

// The main window: menu and toolbar on top, the tree of sheets on the left beside the
// sheet on show, and the status bar.
class MainForm : public QMainWindow, public MainView {
  Q_OBJECT

 public:
  static constexpr int kMinimumWidth = 400;
  static constexpr int kMinimumHeight = 200;
  static constexpr int kSplitterWidth = 3;
  static constexpr int kMinimumTreeWidth = 8;

  MainForm(MainController& controller, AppSettings& settings);
  ~MainForm() override;

  void SetTitle(const std::string& title) override;
  void ShowForm() override;
  void RedrawMessagePanel() override;
  void CloseCurrentSheet() override {}
  void SetBusy(bool busy) override;
  void CloseForm() override;
  void RebuildTree() override;
  void ShowTreeAndSelectFirst() override;
  void AppendToTreeRoot(const std::string& text) override;
  void AdjustOptionalSheets(const OptionalSheets& sheets) override;
  void ShowMakerPanel(const std::string& text) override;
  void ShowAbout() override;
  void OpenHelp(const std::string& path, int contextId) override;
  void ShowWarningMarks(const std::vector<std::string>& errorSheets,
                        const std::vector<std::string>& warningSheets) override;
  LinkView* LinkWindows() override;
  bool OpenAdjustWindow(const AdjustWindowActions& actions) override;
  // The adjustment window while it is open; null otherwise.
  AdjustWindow* AdjustmentWindow() const { return adjustWindow_; }

  MessagePanel* MessagePanelWidget() const { return messagePanel_; }
  TreeBuilder* Tree() const { return tree_; }
  MenuBuilder* Menu() const { return menu_.get(); }
  ToolbarBuilder* Toolbar() const { return toolbar_; }
  QWidget* TreePanel() const { return treePanel_; }
  QWidget* SheetPanel() const { return sheetPanel_; }
  // Shows one sheet (a sheet pane) in the window's body; the form takes it over.
  void ShowSheet(QWidget* pane);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void PlaceOnScreen();
  void BuildParts();
  void TreeSelectionChanged();

  MainController& controller_;
  AppSettings& settings_;
  MessagePanel* messagePanel_;
  std::unique_ptr<MenuBuilder> menu_;
  ToolbarBuilder* toolbar_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QWidget* treePanel_ = nullptr;
  QWidget* sheetPanel_ = nullptr;
  TreeBuilder* tree_ = nullptr;  // owned by the tree panel
  QTimer* treeChangeDelay_ = nullptr;
  std::string currentSheetName_;
  QWidget* makerPanel_ = nullptr;
  std::unique_ptr<rtv::LinkWindows> linkWindows_;
  QPointer<AdjustWindow> adjustWindow_;
};

}  // namespace rtv
