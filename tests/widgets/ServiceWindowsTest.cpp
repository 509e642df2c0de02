// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <string>

#include "ProgramWindow.h"
#include "base/Message.h"
#include "cells/Cell.h"
#include "radio/DebugItems.h"
#include "radio/MemoryLayout.h"
#include "service/widgets/CompareWindow.h"
#include "service/widgets/FlagBitsWindow.h"
#include "service/widgets/FreeDebugWindow.h"
#include "service/widgets/MemoryWindow.h"
#include "sheet/widgets/SheetView.h"

namespace rtv {
namespace {

// Paints the window; the picture is kept for a person to look at only when asked for.
void Save(QWidget& widget, const char* name) {
  const QString folder = qEnvironmentVariable("RTV_TEST_PICTURES");
  if (!folder.isEmpty()) widget.grab().save(folder + "/" + name + ".png");
}

struct MakerWindow : test::SettingsStoreFirst, test::ProgramWindow {
  MakerWindow() : test::ProgramWindow(store) {
    mainWindow->show();
    prompts.answers.push_back(PromptAnswer::Ok);
    controller->Modes().MakerOn();
    mainWindow->Menu()->RefreshMenu();
  }
  // Runs a Debug menu entry as the user would, and lets the bus deliver it.
  void Debug(const char* cellLink, int index = -1) {
    QAction* item = MenuItem(cellLink, index);
    ASSERT_NE(item, nullptr) << cellLink;
    ASSERT_TRUE(item->isVisible()) << cellLink;
    item->trigger();
    Tick();
  }
  // What the cell at a place of the sheet view shows, as the sheet view draws it.
  std::string Shown(SheetView& sheetView, int column, int row) {
    const Cell& cell = sheetView.sheet().CellAt(column, row).cell;
    return controller->Accessor().CellText(cell.cellType, cell.cellLink, cell.index);
  }
};

TEST(ServiceWindowsTest, MemoryWindowEditsBytesAndCompareShowsTheChange) {
  MakerWindow w;
  EepromImage& image = w.controller->CurrentDocument().Working();
  constexpr int kAddress = 0x0123;
  image.SetByte(kAddress, 0x00);
  image.SetByte(kAddress + 1, 0x01);
  image.SetByte(0x7FF0, 0x00);
  w.Debug("CL_Menu_Debug_CorrectComp");
  w.Debug("CL_Menu_Debug_EeWindow", 0);
  MemoryWindow* memory = w.mainWindow->Memory();
  ASSERT_NE(memory, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(memory));
  EXPECT_EQ(memory->windowTitle().toStdString(), w.overlay.GetFirstLine("GI_Sys_AppTitle"));

  // The go-to notification selects the byte; typing changes it in the image.
  w.bus.Post(msg::DebugGoToAddress{kAddress});
  w.Tick();
  ASSERT_EQ(memory->SelectedAddress(), kAddress);
  SheetView* sheetView = memory->Pane()->sheetView();
  EXPECT_EQ(sheetView->sheet().currentColumn(), 3 * 2 + 3);
  EXPECT_EQ(sheetView->sheet().currentRow(), 0x12 + 3);
  sheetView->setFocus();
  QTest::keyClick(sheetView, 'f');
  ASSERT_TRUE(sheetView->EditorOpen());
  QTest::keyClicks(sheetView->editor(), "f");
  QTest::keyClick(sheetView->editor(), Qt::Key_Return);
  w.Tick();
  EXPECT_EQ(image.GetByte(kAddress), 0xFF);
  EXPECT_EQ(w.Shown(*sheetView, 3 * 2 + 3, 0x12 + 3), "FF");
  EXPECT_EQ(memory->ValueLabel()->text().toStdString(), "FF, 255, -1, \n01FF, 511, 511");
  Save(*memory, "memory-window");

  // F3 goes on to the next byte that differs from the reference, F4 back.
  image.SetByte(0x7FF0, 0x99);
  QTest::keyClick(sheetView, Qt::Key_F3);
  w.Tick();
  EXPECT_EQ(memory->SelectedAddress(), 0x7FF0);
  QTest::keyClick(sheetView, Qt::Key_F4);
  w.Tick();
  EXPECT_EQ(memory->SelectedAddress(), kAddress);

  w.Debug("CL_Menu_Debug_Compare");
  CompareWindow* compare = w.mainWindow->Compare();
  ASSERT_NE(compare, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(compare));
  EXPECT_EQ(compare->windowTitle(), "Debug compare");
  EXPECT_EQ(compare->geometry(), w.mainWindow->geometry());
  EXPECT_TRUE(compare->Text()->isReadOnly());
  EXPECT_EQ(compare->Text()->toPlainText(), "0123 : 00 -> FF\n7FF0 : 00 -> 99");
  Save(*compare, "compare-window");
  QTest::mouseClick(compare->CloseButton(), Qt::LeftButton);
  ASSERT_TRUE(
      test::WaitUntil("the compare window", [&] { return w.mainWindow->Compare() == nullptr; }));

  // Set Comp takes the reference: the next compare is empty.
  image.SetByte(kAddress, 0x5A);
  QTest::mouseClick(memory->TakeReferenceButton(), Qt::LeftButton);
  w.Debug("CL_Menu_Debug_Compare");
  ASSERT_NE(w.mainWindow->Compare(), nullptr);
  EXPECT_EQ(w.mainWindow->Compare()->Text()->toPlainText(), "");
  w.mainWindow->Compare()->close();

  QTest::mouseClick(memory->CloseButton(), Qt::LeftButton);
  ASSERT_TRUE(
      test::WaitUntil("the memory window", [&] { return w.mainWindow->Memory() == nullptr; }));
  w.bus.Post(msg::DebugGoToAddress{0});  // nobody left to hear it
  w.Tick();
}

TEST(ServiceWindowsTest, FreeDebugWindowAppendsDebugTextWhileOpen) {
  MakerWindow w;
  w.Debug("CL_Menu_Debug_Window");
  FreeDebugWindow* log = w.mainWindow->FreeDebug();
  ASSERT_NE(log, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(log));
  EXPECT_EQ(log->windowTitle(), "Free Debug Window");
  const QRect main = w.mainWindow->geometry();
  EXPECT_EQ(log->height(), std::max(100, static_cast<int>(std::lround(0.8 * main.height()))));
  EXPECT_EQ(log->geometry().center(), main.center());
  w.bus.Post(msg::DebugText{"first"});
  w.bus.Post(msg::DebugText{"second"});
  w.Tick();
  EXPECT_EQ(log->Text()->toPlainText(), "first\nsecond");
  // Asked for again, the same window comes to the front.
  w.Debug("CL_Menu_Debug_Window");
  EXPECT_EQ(w.mainWindow->findChildren<FreeDebugWindow*>().size(), 1);
  Save(*log, "free-debug-window");
  log->close();
  ASSERT_TRUE(test::WaitUntil("the free debug window",
                              [&] { return w.mainWindow->FreeDebug() == nullptr; }));
  w.bus.Post(msg::DebugText{"third"});
  w.Tick();
}

TEST(ServiceWindowsTest, FlagBitsShowAndSetTheRegionFlags) {
  MakerWindow w;
  EepromImage& image = w.controller->CurrentDocument().Working();
  image.SetByte(MemoryLayout::kRegionFlags, 0x01);
  w.Debug("CL_Menu_Debug_EeWindow", CommandRouter::kFlagBitsEntry);
  FlagBitsWindow* bits = w.mainWindow->FlagBits();
  ASSERT_NE(bits, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(bits));
  SheetView* sheetView = bits->Pane()->sheetView();
  ASSERT_NE(sheetView, nullptr);
  // One cell a bit, bound to the bit's number.
  const auto bitShown = [&](int bit) {
    int column = 0;
    int row = 0;
    if (!sheetView->sheet().FindSelectable(LinkNo("CL_FBits"), bit, column, row))
      return std::string();
    return w.Shown(*sheetView, column, row);
  };
  EXPECT_EQ(bitShown(1), "1");
  EXPECT_EQ(bitShown(2), "0");
  EXPECT_EQ(bitShown(DebugItems::kFlagBits), "0");
  EXPECT_EQ(bitShown(DebugItems::kFlagBits + 1), "");  // no more cells than bits

  image.SetByte(MemoryLayout::kRegionFlags, 0x82);
  w.bus.Send(msg::DataChanged{});
  EXPECT_EQ(bitShown(1), "0");
  EXPECT_EQ(bitShown(2), "1");
  EXPECT_EQ(bitShown(DebugItems::kFlagBits), "1");
  int column = 0;
  int row = 0;
  ASSERT_TRUE(sheetView->sheet().FindSelectable(LinkNo("CL_FBits"), 3, column, row));
  sheetView->controller().SelectCell(column, row, true);
  sheetView->setFocus();
  QTest::keyClick(sheetView, Qt::Key_Space);  // steps the bit
  w.Tick();
  EXPECT_EQ(image.GetByte(MemoryLayout::kRegionFlags), 0x86);
  Save(*bits, "flag-bits-window");
  QTest::mouseClick(bits->CloseButton(), Qt::LeftButton);
  ASSERT_TRUE(
      test::WaitUntil("the flag bits window", [&] { return w.mainWindow->FlagBits() == nullptr; }));
}

}  // namespace
}  // namespace rtv
