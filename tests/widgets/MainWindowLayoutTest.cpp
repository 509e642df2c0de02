// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/MainWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

#include "CloneFiles.h"
#include "ManualClock.h"
#include "ScriptedPrompts.h"
#include "ShippedData.h"
#include "TempFolder.h"
#include "app/AppSettings.h"
#include "app/MainController.h"
#include "app/widgets/MessagePanel.h"
#include "menus/widgets/ToolbarBuilder.h"
#include "menus/widgets/TreeBuilder.h"
#include "overlay/OverlayText.h"
#include "radio/MemoryLayout.h"

namespace rtv {
namespace {

struct MainWindowFixture {
  explicit MainWindowFixture(std::vector<std::string> treeBody =
                                 {"+Radio{(%.CallSheet:GI_Sheet_Top)}", " +Channels{(%.CallSheet)}",
                                  "  +INT{(%.CallSheet:GI_Sheet_Int)}",
                                  " +DSC{(%.CallSheet:GI_Sheet_Dsc)}"})
      : settings(true) {
    std::vector<std::string> lines = {
        "#GI_Sys_AppTitle",        "Radio Programmer",
        "#GI_Form_Main_BasicCell", "{(Font=,Serif,clWindowText,-15,,fsBold,)}",
        "#GI_Mess_Maker_Caution",  "Careful.",
        "#GI_StatusPanel_Maker",   "MAKER",
        "#GI_Tree_Main_BasicCell", "{}",
        "#GI_Tree_Main_Body"};
    lines.insert(lines.end(), treeBody.begin(), treeBody.end());
    lines.push_back("#");
    overlay.SetLines(test::OverlayWithCloneFileKeys(lines));
    help.SetLines({"#End_Of_Ovl"});
    const QSize screen = QGuiApplication::primaryScreen()->size();
    settings.ApplyDefaults(screen.width(), screen.height());
    controller = std::make_unique<MainController>(
        ControllerServices{settings, overlay, help, bus, clock, clock, prompts});
    test::WriteInitialFiles(initialFiles.Path());
    std::filesystem::copy(test::DataFile("icons"), initialFiles.Path() + "/icons");
    controller->SetDataFolder(initialFiles.Path());
  }
  test::TempFolder initialFiles;
  test::ManualClock clock;
  test::ScriptedPrompts prompts;
  AppSettings settings;
  OverlayText overlay;
  OverlayText help;
  MessageBus bus{clock};
  std::unique_ptr<MainController> controller;
};

TEST(MainWindowLayoutTest, ShowsAnUntitledWindowOnTheScreen) {
  MainWindowFixture f;
  f.settings.left = -500;  // off screen to the left and above
  f.settings.top = -300;
  MainWindow mainWindow(*f.controller, f.settings);
  f.controller->Setup(mainWindow);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
  // "[*]" is where the title shows the mark of unsaved changes.
  EXPECT_EQ(mainWindow.windowTitle(), "Untitled[*] - Radio Programmer");
  EXPECT_EQ(mainWindow.minimumSize(), QSize(400, 200));
  EXPECT_EQ(mainWindow.font().pixelSize(), 15);  // the main window font comes from the overlay
  EXPECT_TRUE(mainWindow.font().bold());
  const QRect area = mainWindow.screen()->availableGeometry();
  EXPECT_GE(mainWindow.x(), area.left());
  EXPECT_GE(mainWindow.y(), area.top());
  EXPECT_EQ(mainWindow.width(), f.settings.width);
}

TEST(MainWindowLayoutTest, StatusTextReachesTheMessagePanel) {
  MainWindowFixture f;
  MainWindow mainWindow(*f.controller, f.settings);
  f.controller->Setup(mainWindow);
  f.bus.Send(msg::StatusText{"Clone read complete.", 0x0000FF, 0xFFFFFF});
  EXPECT_EQ(mainWindow.MessagePanelWidget()->Text(), "Clone read complete.");
  const QImage shot = mainWindow.MessagePanelWidget()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(1, 1), QColor(Qt::white));
}

TEST(MainWindowLayoutTest, ClosingStoresTheNormalPositionAndIsRefusedWhileDisabled) {
  MainWindowFixture f;
  MainWindow mainWindow(*f.controller, f.settings);
  f.controller->Setup(mainWindow);
  mainWindow.resize(640, 420);
  mainWindow.setEnabled(false);  // a radio exchange is running
  EXPECT_FALSE(mainWindow.close());
  EXPECT_TRUE(mainWindow.isVisible());
  mainWindow.setEnabled(true);
  // Unsaved changes: the question comes first, and Cancel keeps the program open.
  f.controller->CurrentDocument().Working().SetByte(0x0F10, 0x41);
  f.controller->CurrentDocument().CheckDirty();
  f.prompts.answers.push_back(PromptAnswer::Cancel);
  EXPECT_FALSE(mainWindow.close());
  EXPECT_TRUE(mainWindow.isVisible());
  ASSERT_FALSE(f.prompts.shown.empty());
  EXPECT_EQ(f.prompts.shown.back().text, "Save the changes to \"Untitled\"?");
  f.prompts.answers.push_back(PromptAnswer::No);
  EXPECT_TRUE(mainWindow.close());
  EXPECT_EQ(f.settings.width, 640);
  EXPECT_EQ(f.settings.height, 420);
}

TEST(MainWindowLayoutTest, TheTreePanelKeepsItsMinimumWidthAndTheTreeIsBuilt) {
  MainWindowFixture f;
  f.settings.treeWidth = 3;
  MainWindow mainWindow(*f.controller, f.settings);
  f.controller->Setup(mainWindow);
  EXPECT_EQ(mainWindow.TreePanel()->width(), MainWindow::kMinimumTreeWidth);
  ASSERT_NE(mainWindow.Tree(), nullptr);
  EXPECT_TRUE(mainWindow.Tree()->isVisible());
  ASSERT_EQ(mainWindow.Tree()->topLevelItemCount(), 1);
  EXPECT_EQ(mainWindow.Tree()->currentItem(), mainWindow.Tree()->topLevelItem(0));
  // Without menu and toolbar entries both stay empty rather than failing.
  EXPECT_TRUE(mainWindow.menuBar()->actions().isEmpty());
  EXPECT_TRUE(mainWindow.Toolbar()->Buttons().empty());

  // Rebuilding replaces the tree instead of adding a second one.
  f.controller->RebuildTree();
  EXPECT_EQ(mainWindow.TreePanel()->findChildren<QTreeWidget*>().size(), 1);
}

TEST(MainWindowLayoutTest, WarningMarksShowOnTheNodesAndErrorsWin) {
  MainWindowFixture f;
  MainWindow mainWindow(*f.controller, f.settings);
  f.controller->Setup(mainWindow);
  QTreeWidgetItem* channels = mainWindow.Tree()->topLevelItem(0)->child(0);
  QTreeWidgetItem* dsc = mainWindow.Tree()->topLevelItem(0)->child(1);
  const QImage dscPlain = dsc->icon(0).pixmap(16).toImage();
  mainWindow.ShowWarningMarks({"GI_Sheet_Int"}, {"GI_Sheet_Dsc", "GI_Sheet_Int"});
  const QImage folderMarked = channels->icon(0).pixmap(16).toImage();
  const QImage dscMarked = dsc->icon(0).pixmap(16).toImage();
  EXPECT_NE(dscMarked, dscPlain);
  EXPECT_NE(folderMarked, dscMarked);  // the error picture, not the warning one
  mainWindow.ShowWarningMarks({}, {});
  EXPECT_EQ(dsc->icon(0).pixmap(16).toImage(), dscPlain);
}

// The captions of the root's children, in order.
std::vector<std::string> Sheets(QTreeWidget* tree) {
  std::vector<std::string> captions;
  QTreeWidgetItem* root = tree->topLevelItem(0);
  for (int i = 0; root != nullptr && i < root->childCount(); ++i) {
    captions.push_back(root->child(i)->text(0).toStdString());
  }
  return captions;
}

TEST(MainWindowLayoutTest, TheOptionalSheetsFollowRegionsModelAndModes) {
  MainWindowFixture f({"+Radio{(%.CallSheet:GI_Sheet_Top)}", " +INT{(%.CallSheet:GI_Sheet_IntCh)}",
                       " +USA{(%.CallSheet:GI_Sheet_UsaCh)(Flag1=1)}",
                       " +Canada{(%.CallSheet:GI_Sheet_CanCh)(Flag2=1)}",
                       " +Weather{(%.CallSheet:GI_Sheet_WxCh)(Flag3=1)}",
                       " +Export{(%.CallSheet:GI_Sheet_Exp)(Flag4=1)}",
                       " +Maker{(%.CallSheet:GI_Sheet_Maker)(Flag0=1)}",
                       " +Adjust{(%.CallSheet:GI_Sheet_Adj)(Flag6=1)}"});
  f.settings.modelType = 1;  // region byte 0x11 in the test images: USA on
  MainWindow mainWindow(*f.controller, f.settings);
  f.controller->Setup(mainWindow);
  EXPECT_EQ(Sheets(mainWindow.Tree()), (std::vector<std::string>{"INT", "USA", "Export"}));

  // Only the weather bit: the weather sheet comes back after INT, the USA sheet goes.
  f.controller->CurrentDocument().Working().SetByte(MemoryLayout::kRegionFlags, 0x02);
  f.bus.Send(msg::ImageReplaced{});
  EXPECT_EQ(Sheets(mainWindow.Tree()), (std::vector<std::string>{"INT", "Weather", "Export"}));
  f.controller->CurrentDocument().Working().SetByte(MemoryLayout::kRegionFlags, 0x07);
  f.bus.Send(msg::ImageReplaced{});
  EXPECT_EQ(Sheets(mainWindow.Tree()),
            (std::vector<std::string>{"INT", "USA", "Canada", "Weather", "Export"}));

  // Maker mode rebuilds the tree with its sheets and shows its panel.
  f.controller->Modes().MakerOn();
  EXPECT_EQ(Sheets(mainWindow.Tree()),
            (std::vector<std::string>{"INT", "USA", "Canada", "Weather", "Export", "Maker"}));
  EXPECT_EQ(mainWindow.Tree()->topLevelItem(0)->text(0), "Radio Model 1");
  const auto panels = mainWindow.statusBar()->findChildren<MessagePanel*>();
  ASSERT_EQ(panels.size(), 2);
}

}  // namespace
}  // namespace rtv
