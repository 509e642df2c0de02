// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and Redo as a user meets them: the Edit menu, the shortcuts and the toolbar.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <memory>
#include <string>

#include "ManualClock.h"
#include "ProgramWindow.h"
#include "ScriptedPrompts.h"
#include "TempFolder.h"
#include "WaitUntil.h"
#include "app/AppSettings.h"
#include "app/MainController.h"
#include "app/widgets/MainWindow.h"
#include "app/widgets/UndoActions.h"
#include "base/MessageBus.h"
#include "cells/CellNames.h"
#include "menus/widgets/MenuBuilder.h"
#include "menus/widgets/ToolbarBuilder.h"
#include "menus/widgets/TreeBuilder.h"
#include "overlay/OverlayText.h"
#include "sheet/Sheet.h"
#include "sheet/widgets/SheetPane.h"
#include "sheet/widgets/SheetView.h"

namespace rtv {
namespace {

// The program's window on the shipped overlay and initial files.
struct UndoWindow : test::ProgramWindow {
  // The Edit menu's entry whose caption starts with `start`.
  QAction* EditEntry(const QString& start) {
    QAction* top = mainWindow->Menu()->ActionFor(LinkNo("CL_Menu_Edit_Top"));
    if (top == nullptr || top->menu() == nullptr) return nullptr;
    for (QAction* action : top->menu()->actions()) {
      if (action->text().startsWith(start)) return action;
    }
    return nullptr;
  }
  // The first private channel's name as the image holds it.
  std::string FirstName() const {
    std::string name;
    for (int i = 0; i < 3; ++i) {
      name += static_cast<char>(controller->CurrentDocument().Working().GetByte(0x0834 + i));
    }
    return name;
  }
  void Deliver() { clock.Advance(MessageBus::kTickMs); }
};

TEST(UndoWidgetTest, TypeClearAndTakeBothBackThroughTheMenuAndTheKeys) {
  UndoWindow w;
  w.mainWindow->show();
  ASSERT_TRUE(w.Choose("GI_Sheet_FreeCh"));
  SheetView* sheetView = w.mainWindow->CurrentSheet()->sheetView();
  const Sheet& sheet = w.mainWindow->CurrentSheet()->sheet();
  sheetView->setFocus();
  ASSERT_TRUE(
      test::WaitUntil("the sheetView has the focus", [&] { return sheetView->hasFocus(); }));
  const EepromImage start = w.controller->CurrentDocument().Working();
  ASSERT_FALSE(w.controller->CurrentDocument().IsDirty());
  QAction* undo = w.mainWindow->Undo()->Undo();
  QAction* redo = w.mainWindow->Undo()->Redo();
  EXPECT_FALSE(undo->isEnabled());  // greyed: nothing done yet
  EXPECT_FALSE(redo->isEnabled());
  // The toolbar's buttons are the same commands.
  int toolbarButtons = 0;
  for (QToolButton* button : w.mainWindow->Toolbar()->findChildren<QToolButton*>()) {
    if (button->defaultAction() == undo || button->defaultAction() == redo) ++toolbarButtons;
  }
  EXPECT_EQ(toolbarButtons, 2);

  // The cursor to the first channel's name; type a new one.
  ASSERT_TRUE(test::PressUntil("below the headings", sheetView, Qt::Key_Down,
                               [&] { return sheet.currentRow() >= sheet.fixedRows(); }));
  ASSERT_TRUE(test::PressUntil("the name column", sheetView, Qt::Key_Right, [&] {
    return sheet.CellAt(sheet.currentColumn(), sheet.currentRow()).cell.cellLink ==
           LinkNo("CL_Fch_ChName");
  }));
  ASSERT_EQ(sheet.CellAt(sheet.currentColumn(), sheet.currentRow()).cell.index, 0);
  QTest::keyClick(sheetView, 'Q');  // starts the editor with it
  ASSERT_TRUE(sheetView->EditorOpen());
  sheetView->editor()->setText("QR");
  QTest::keyClick(sheetView->editor(), Qt::Key_Return);
  ASSERT_TRUE(test::WaitUntil("the name is stored", [&] { return w.FirstName() == "QR "; }))
      << "[" << w.FirstName() << "] editor " << sheetView->EditorOpen();
  const EepromImage named = w.controller->CurrentDocument().Working();
  EXPECT_TRUE(w.controller->CurrentDocument().IsDirty());
  w.Deliver();

  // Clear Rows from the Edit menu.
  sheetView->setFocus();
  w.Deliver();
  QAction* clear = nullptr;
  ASSERT_TRUE(test::WaitUntil("the Edit menu holds the row commands", [&] {
    w.Deliver();
    clear = w.EditEntry("Clear Rows");
    return clear != nullptr;
  }));
  w.mainWindow->Menu()->RefreshMenu();
  w.prompts.answers.push_back(PromptAnswer::Ok);
  clear->trigger();
  const EepromImage cleared = w.controller->CurrentDocument().Working();
  ASSERT_TRUE(cleared.Differs(named));
  EXPECT_EQ(w.FirstName().find_first_not_of(std::string(" \0", 2)), std::string::npos);
  w.Deliver();

  // Undo twice through the Edit menu, each entry naming what it takes back.
  QAction* undoEntry = w.EditEntry("Undo");
  ASSERT_EQ(undoEntry, undo);
  EXPECT_EQ(undo->text(), "Undo Clear Rows");
  EXPECT_TRUE(undo->isEnabled());
  undo->trigger();
  EXPECT_TRUE(w.controller->CurrentDocument().Working().Equals(named));
  EXPECT_TRUE(w.controller->CurrentDocument().IsDirty());
  w.Deliver();
  EXPECT_EQ(undo->text(), "Undo Name");
  EXPECT_EQ(redo->text(), "Redo Clear Rows");
  w.EditEntry("Undo")->trigger();
  EXPECT_TRUE(w.controller->CurrentDocument().Working().Equals(start));
  EXPECT_FALSE(w.controller->CurrentDocument().IsDirty());  // back at the file as it was
  w.Deliver();
  EXPECT_FALSE(undo->isEnabled());

  // Once more with the keys: Ctrl+Y makes the name again, Ctrl+Z takes it back.
  ASSERT_TRUE(test::WaitUntil("the window has the focus",
                              [&] { return QApplication::focusWidget() != nullptr; }));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
  ASSERT_TRUE(test::WaitUntil("Ctrl+Y redid the name", [&] {
    return w.controller->CurrentDocument().Working().Equals(named);
  }));
  EXPECT_TRUE(w.controller->CurrentDocument().IsDirty());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
  ASSERT_TRUE(test::WaitUntil(
      "Ctrl+Z undid it", [&] { return w.controller->CurrentDocument().Working().Equals(start); }));
  EXPECT_FALSE(w.controller->CurrentDocument().IsDirty());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_TRUE(test::WaitUntil("Ctrl+Shift+Z redid it", [&] {
    return w.controller->CurrentDocument().Working().Equals(named);
  }));
  w.Deliver();
  EXPECT_NE(w.mainWindow->MessagePanelWidget(), nullptr);
  EXPECT_EQ(w.controller->MessagePanelText(), "Redone: Name");
}

}  // namespace
}  // namespace rtv
