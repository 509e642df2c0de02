// SPDX-License-Identifier: GPL-3.0-or-later
// Rows through the desktop's clipboard: Copy Rows puts them there as text, Paste Rows takes
// another program's text from there.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <string>
#include <vector>

#include "ProgramWindow.h"
#include "WaitUntil.h"
#include "app/widgets/MainWindow.h"
#include "app/widgets/UndoActions.h"
#include "cells/CellNames.h"
#include "menus/widgets/MenuBuilder.h"
#include "sheet/CsvTable.h"
#include "sheet/Sheet.h"
#include "sheet/SheetExporter.h"
#include "sheet/widgets/SheetPane.h"
#include "sheet/widgets/SheetView.h"

namespace rtv {
namespace {

struct ClipboardWindow : test::ProgramWindow {
  // The Edit menu's entry whose caption starts with `start`, its state refreshed.
  QAction* EditEntry(const QString& start) {
    mainWindow->Menu()->RefreshMenu();
    QAction* top = mainWindow->Menu()->ActionFor(LinkNo("CL_Menu_Edit_Top"));
    if (top == nullptr || top->menu() == nullptr) return nullptr;
    for (QAction* action : top->menu()->actions()) {
      if (action->text().startsWith(start)) return action;
    }
    return nullptr;
  }
  const Sheet& CurrentSheet() { return mainWindow->CurrentSheet()->sheet(); }
  SheetView* ShownView() { return mainWindow->CurrentSheet()->sheetView(); }
  // The cursor onto the name of free channel `index`.
  [[nodiscard]] ::testing::AssertionResult ToName(int index) {
    SheetView* sheetView = ShownView();
    const Sheet& sheet = CurrentSheet();
    const auto cursor = [&] {
      return sheet.CellAt(sheet.currentColumn(), sheet.currentRow()).cell;
    };
    ::testing::AssertionResult there =
        test::PressUntil("below the headings", sheetView, Qt::Key_Down,
                         [&] { return sheet.currentRow() >= sheet.fixedRows(); });
    if (there) {
      there = test::PressUntil("the name column", sheetView, Qt::Key_Right,
                               [&] { return cursor().cellLink == LinkNo("CL_Fch_ChName"); });
    }
    if (there) {
      there = test::PressUntil("the channel's row", sheetView, Qt::Key_Down,
                               [&] { return cursor().index >= index; });
    }
    return there;
  }
  std::vector<CsvTable::Row> Table() { return SheetExporter(CurrentSheet()).Table(); }
};

TEST(ClipboardRowsWidgetTest, CopyAndPasteRowsGoThroughTheDesktopClipboard) {
  ClipboardWindow w;
  w.mainWindow->show();
  ASSERT_TRUE(w.Choose("GI_Sheet_FreeCh"));
  SheetView* sheetView = w.ShownView();
  sheetView->setFocus();
  ASSERT_TRUE(
      test::WaitUntil("the sheetView has the focus", [&] { return sheetView->hasFocus(); }));

  // Name free channel 0 and copy its row.
  ASSERT_TRUE(w.ToName(0));
  QTest::keyClick(sheetView, 'Q');
  ASSERT_TRUE(sheetView->EditorOpen());
  sheetView->editor()->setText("=Q");
  QTest::keyClick(sheetView->editor(), Qt::Key_Return);
  w.DeliverPosted();
  const int nameRow = w.CurrentSheet().currentRow();
  const auto nameColumn = static_cast<std::size_t>(w.CurrentSheet().currentColumn());
  ASSERT_EQ(w.Table()[static_cast<std::size_t>(nameRow)][nameColumn], "=Q");
  QAction* copy = w.EditEntry("Copy Rows");
  ASSERT_NE(copy, nullptr);
  copy->trigger();
  w.DeliverPosted();
  CsvTable::Row headings;
  for (int column = 0; column < w.CurrentSheet().columnCount(); ++column) {
    headings.push_back(w.CurrentSheet().ColumnHeading(column));
  }
  const std::string expected =
      CsvTable::Write({headings, w.Table()[static_cast<std::size_t>(nameRow)]}, CsvTable::kTab);
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), expected);
  EXPECT_NE(expected.find("\t'=Q\t"), std::string::npos) << expected;

  // Another program puts two channels there; Paste Rows on free channel 3 takes them.
  const std::string channels = headings[1] + "\t" + headings[2] + "\t" + headings[3] +
                               "\nAB\t156.05000\t157.00000\nCD\t156.30000\t156.40000\n";
  QGuiApplication::clipboard()->setText(QString::fromStdString(channels));
  ASSERT_TRUE(w.ToName(3));
  const std::vector<CsvTable::Row> before = w.Table();
  const EepromImage image = w.controller->CurrentDocument().Working();
  QAction* paste = w.EditEntry("Paste Rows");
  ASSERT_NE(paste, nullptr);
  ASSERT_TRUE(paste->isEnabled());
  paste->trigger();
  ASSERT_TRUE(test::WaitUntil("the names are pasted", [&] {
    w.DeliverPosted();
    return w.controller->CurrentDocument().Working().Differs(image);
  }));
  const std::vector<CsvTable::Row> after = w.Table();
  ASSERT_EQ(after.size(), before.size());
  std::vector<std::string> changed;
  for (std::size_t row = 0; row < after.size(); ++row) {
    for (std::size_t column = 0; column < after[row].size(); ++column) {
      if (after[row][column] != before[row][column]) changed.push_back(after[row][column]);
    }
  }
  EXPECT_EQ(changed, (std::vector<std::string>{"AB", "156.05000", "157.00000", "CD", "156.30000",
                                               "156.40000"}));
  EXPECT_TRUE(w.prompts.shown.empty());

  // One Undo takes the paste back whole.
  QAction* undo = w.mainWindow->Undo()->Undo();
  EXPECT_EQ(undo->text(), "Undo Paste Rows");
  undo->trigger();
  EXPECT_TRUE(w.controller->CurrentDocument().Working().Equals(image));
  w.DeliverPosted();
  EXPECT_EQ(w.Table(), before);
  // The clipboard outlives the window: the next test in this process starts without text.
  QGuiApplication::clipboard()->clear();
}

}  // namespace
}  // namespace rtv
