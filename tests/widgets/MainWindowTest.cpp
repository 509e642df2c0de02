// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a user meets it: the shipped overlay, the generated initial files,
// the tree, the sheets and the menus.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>

#include "CloneFiles.h"
#include "ManualClock.h"
#include "ProgramWindow.h"
#include "ScriptedPrompts.h"
#include "TempFolder.h"
#include "WaitUntil.h"
#include "app/AppSettings.h"
#include "app/FileCommands.h"
#include "app/MainController.h"
#include "app/widgets/MainWindow.h"
#include "app/widgets/MessagePanel.h"
#include "base/MessageBus.h"
#include "cells/CellCatalog.h"
#include "cells/CellNames.h"
#include "compare/widgets/ImportPreviewWindow.h"
#include "menus/widgets/MenuBuilder.h"
#include "menus/widgets/TreeBuilder.h"
#include "overlay/OverlayText.h"
#include "radio/MemoryLayout.h"
#include "sheet/Sheet.h"
#include "sheet/SheetExporter.h"
#include "sheet/widgets/SheetPane.h"
#include "sheet/widgets/SheetView.h"

namespace rtv {
namespace {

namespace fs = std::filesystem;
using test::ProgramWindow;

TEST(MainWindowTest, TheTreeOpensSheetsAndEachSheetKeepsItsPlace) {
  ProgramWindow w;
  w.mainWindow->show();
  ASSERT_TRUE(w.Choose("GI_Sheet_IntCh"));
  ASSERT_NE(w.mainWindow->CurrentSheet(), nullptr);
  SheetView* sheetView = w.mainWindow->CurrentSheet()->sheetView();
  sheetView->setFocus();
  for (int i = 0; i < 40; ++i) QTest::keyClick(sheetView, Qt::Key_Down);
  QTest::keyClick(sheetView, Qt::Key_Right);
  const int column = w.mainWindow->CurrentSheet()->sheet().currentColumn();
  const int row = w.mainWindow->CurrentSheet()->sheet().currentRow();
  const int top = w.mainWindow->CurrentSheet()->sheet().topRow();
  EXPECT_GT(row, 30);
  EXPECT_GT(top, 0);

  ASSERT_TRUE(w.Choose("GI_Sheet_DscSet"));
  ASSERT_NE(w.mainWindow->CurrentSheet(), nullptr);
  EXPECT_EQ(w.mainWindow->CurrentSheet()->sheet().descriptor(), "GI_Sheet_DscSet");

  ASSERT_TRUE(w.Choose("GI_Sheet_IntCh"));
  ASSERT_NE(w.mainWindow->CurrentSheet(), nullptr);
  EXPECT_EQ(w.mainWindow->CurrentSheet()->sheet().currentColumn(), column);
  EXPECT_EQ(w.mainWindow->CurrentSheet()->sheet().currentRow(), row);
  EXPECT_EQ(w.mainWindow->CurrentSheet()->sheet().topRow(), top);
}

// A choice in the tree opens its sheet once it has stood for the tree's delay; a newer
// choice within the delay starts it again, and only the last one opens.
TEST(MainWindowTest, TheTreeOpensTheLastChoiceOnceItsDelayHasPassed) {
  ProgramWindow w;
  w.mainWindow->show();
  ASSERT_TRUE(w.Choose("GI_Sheet_IntCh"));
  const int delay = w.TreeDelayMs();
  ASSERT_GT(delay, 1);
  const auto select = [&](const char* sheet) {
    QTreeWidgetItem* node = w.mainWindow->Tree()->FindNode(sheet);
    ASSERT_NE(node, nullptr) << sheet;
    w.mainWindow->Tree()->setCurrentItem(node);
  };

  select("GI_Sheet_DscSet");
  w.clock.Advance(delay - 1);
  QApplication::processEvents();
  EXPECT_TRUE(w.Shows("GI_Sheet_IntCh"));
  select("GI_Sheet_WxCh");
  w.clock.Advance(delay - 1);
  QApplication::processEvents();
  EXPECT_TRUE(w.Shows("GI_Sheet_IntCh"));  // the delay began again
  // The delay runs on the program's timers: the test's clock ends it, not the wall clock.
  w.clock.Advance(1);
  QApplication::processEvents();
  EXPECT_TRUE(w.Shows("GI_Sheet_WxCh"));
  // Only a sheet that was on show has a place to come back to.
  EXPECT_NE(w.controller->FindSheetPosition("GI_Sheet_IntCh"), nullptr);
  EXPECT_EQ(w.controller->FindSheetPosition("GI_Sheet_DscSet"), nullptr);
}

TEST(MainWindowTest, ASheetClosedByACommandComesBackOnTheControllersTick) {
  ProgramWindow w;
  w.mainWindow->show();
  ASSERT_TRUE(w.Choose("GI_Sheet_WxCh"));
  ASSERT_NE(w.mainWindow->CurrentSheet(), nullptr);
  w.controller->Files().New();  // closes the sheet: the new image may change it
  EXPECT_EQ(w.mainWindow->CurrentSheet(), nullptr);
  ASSERT_TRUE(w.TickUntilASheetShows());
  ASSERT_NE(w.mainWindow->CurrentSheet(), nullptr);
  EXPECT_EQ(w.mainWindow->CurrentSheet()->sheet().descriptor(), "GI_Sheet_WxCh");
}

TEST(MainWindowTest, MenuStatesFollowTheProgram) {
  ProgramWindow w;
  QAction* debug = w.MenuItem("CL_Menu_Debug_EeWindow");
  ASSERT_NE(debug, nullptr);
  w.mainWindow->Menu()->RefreshMenu();
  EXPECT_FALSE(debug->isVisible());  // maker mode only
  EXPECT_TRUE(w.MenuItem("CL_Model", 0)->isChecked());
  EXPECT_FALSE(w.MenuItem("CL_Model", 3)->isChecked());

  // A file of model 3 moves the check without a question.
  ASSERT_TRUE(w.controller->Files().OpenFile(w.folder.Path() + "/RTV612M3.rtv"));
  w.mainWindow->Menu()->RefreshMenu();
  EXPECT_TRUE(w.prompts.shown.empty());
  EXPECT_TRUE(w.MenuItem("CL_Model", 3)->isChecked());
  EXPECT_FALSE(w.MenuItem("CL_Model", 0)->isChecked());

  // The recent file shows its name; the empty slots after it are gone.
  QAction* first = w.MenuItem("CL_Menu_File_Recent", 0);
  EXPECT_EQ(first->text(), "&1 RTV612M3.rtv");
  EXPECT_TRUE(first->isEnabled());
  EXPECT_FALSE(w.MenuItem("CL_Menu_File_Recent", 1)->isVisible());

  w.prompts.answers.push_back(PromptAnswer::Ok);
  w.controller->Modes().MakerOn();
  w.mainWindow->Menu()->RefreshMenu();
  EXPECT_TRUE(debug->isVisible());
}

// The File menu's CSV items work on the sheet on show: the export holds what the sheet view
// shows, the import changes the image and the title's dirty mark.
TEST(MainWindowTest, TheFileMenuExportsAndImportsTheSheetOnShow) {
  ProgramWindow w;
  w.mainWindow->show();
  ASSERT_TRUE(w.Choose("GI_Sheet_IntCh"));
  ASSERT_NE(w.mainWindow->CurrentSheet(), nullptr);
  w.mainWindow->Menu()->RefreshMenu();
  QAction* exportItem = w.MenuItem("CL_Menu_File_Exp", 0);
  QAction* importItem = w.MenuItem("CL_Menu_File_Exp", 1);
  ASSERT_NE(exportItem, nullptr);
  ASSERT_NE(importItem, nullptr);
  EXPECT_EQ(exportItem->text(), QString::fromUtf8("Export sheet as CSV\u2026"));
  EXPECT_TRUE(exportItem->isEnabled());

  const std::string path = w.folder.File("int.csv");
  w.prompts.fileNames.push_back(path);
  exportItem->trigger();
  std::ifstream in(path, std::ios::binary);
  std::string csv{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::string channel = "\r\n16,PC,-,TX/RX,25 W,Simplex,DISTRESS\r\n";
  const auto at = csv.find(channel);
  ASSERT_NE(at, std::string::npos) << csv.substr(0, 200);

  csv.replace(at, channel.size(), "\r\n16,PC,FAV,TX/RX,25 W,Simplex,DISTRESS\r\n");
  std::ofstream(path, std::ios::binary) << csv;
  EXPECT_FALSE(w.controller->CurrentDocument().IsDirty());
  w.prompts.fileNames.push_back(path);
  importItem->trigger();
  // The preview first; Apply lets the import in.
  auto* preview = w.mainWindow->findChild<ImportPreviewWindow*>("ImportPreviewWindow");
  ASSERT_NE(preview, nullptr);
  EXPECT_FALSE(w.controller->CurrentDocument().IsDirty());
  QTest::mouseClick(preview->applyButton(), Qt::LeftButton);
  EXPECT_TRUE(w.controller->CurrentDocument().IsDirty());
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_EQ(w.prompts.shown[0].text, "1 cell taken.\n  line 50, column 3: now \"FAV\"\n");
  ASSERT_TRUE(w.TickUntilASheetShows());  // the sheet is built again
  ASSERT_NE(w.mainWindow->CurrentSheet(), nullptr);
  EXPECT_EQ(SheetExporter(w.mainWindow->CurrentSheet()->sheet()).Csv(), csv);
}

// The row of a sheet whose first column shows `number`, or -1.
int RowShowing(const Sheet& sheet, const std::string& number) {
  const auto table = SheetExporter(sheet).Table();
  for (std::size_t row = 0; row < table.size(); ++row) {
    if (!table[row].empty() && table[row][0] == number) return static_cast<int>(row);
  }
  return -1;
}

std::vector<std::string> RowTexts(const Sheet& sheet, int row) {
  return SheetExporter(sheet).Table()[static_cast<std::size_t>(row)];
}

// Remembers why a widget last lost the focus.
struct FocusWatch : QObject {
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusOut) lostFor = static_cast<QFocusEvent*>(event)->reason();
    return false;
  }
  Qt::FocusReason lostFor = Qt::NoFocusReason;
};

// The Edit menu holds the current cell's popup items; chosen there or by their shortcut
// they act on the row of the cell with the cursor, as in the sheet view's own popup.
TEST(MainWindowTest, EditMenuItemsActOnTheCurrentRow) {
  ProgramWindow w;
  w.mainWindow->show();
  ASSERT_TRUE(w.Choose("GI_Sheet_IntCh"));
  ASSERT_NE(w.mainWindow->CurrentSheet(), nullptr);
  SheetView* sheetView = w.mainWindow->CurrentSheet()->sheetView();
  const Sheet& sheet = w.mainWindow->CurrentSheet()->sheet();
  const int first = RowShowing(sheet, "1");
  const int second = RowShowing(sheet, "2");
  ASSERT_GT(first, 0);
  ASSERT_GT(second, first);
  sheetView->setFocus();
  ASSERT_TRUE(test::PressUntil("channel 1's row", sheetView, Qt::Key_Down,
                               [&] { return sheet.currentRow() >= first; }));
  QTest::keyClick(sheetView, Qt::Key_Right);
  // The sheet view with the focus posts its cell's popup items for the Edit menu.
  ASSERT_TRUE(
      test::WaitUntil("the sheetView has the focus", [&] { return sheetView->hasFocus(); }));
  w.DeliverPosted();
  // Channels 1 and 2 as the user changed them; a clear puts the model's row back.
  const std::vector<std::string> original = RowTexts(sheet, first);
  const auto* changed = reinterpret_cast<const std::uint8_t*>("CHANGED   ");
  w.controller->CurrentDocument().Working().WriteBlock(0x0F10 + 11 * 3, changed, 10);
  w.controller->CurrentDocument().Working().WriteBlock(0x0F10 + 11 * 6, changed, 10);
  const std::vector<std::string> before = RowTexts(sheet, first);
  const std::vector<std::string> secondBefore = RowTexts(sheet, second);
  ASSERT_EQ(before[3], "TX/RX");

  // Opening the Edit menu takes the focus from the sheet view; the items stay.
  QAction* editTop = w.mainWindow->Menu()->ActionFor(CellLinkNumber("CL_Menu_Edit_Top"));
  ASSERT_NE(editTop, nullptr);
  QMenu* edit = editTop->menu();
  ASSERT_NE(edit, nullptr);
  const auto itemCount = edit->actions().size();
  EXPECT_GE(itemCount, 8);
  FocusWatch watch;
  sheetView->installEventFilter(&watch);
  edit->popup(w.mainWindow->mapToGlobal(QPoint(40, 20)));
  ASSERT_TRUE(test::WaitUntil("the sheetView loses the focus",
                              [&] { return watch.lostFor != Qt::NoFocusReason; }));
  w.DeliverPosted();  // what losing the focus posted
  EXPECT_EQ(watch.lostFor, Qt::PopupFocusReason);
  EXPECT_EQ(edit->actions().size(), itemCount);
  edit->close();
  ASSERT_TRUE(
      test::WaitUntil("the sheetView has the focus again", [&] { return sheetView->hasFocus(); }));
  w.DeliverPosted();

  QAction* clear = w.MenuItem("CL_PMenu_Clear");
  QAction* paste = w.MenuItem("CL_PMenu_Paste");
  ASSERT_NE(clear, nullptr);
  ASSERT_NE(paste, nullptr);
  w.mainWindow->Menu()->RefreshMenu();
  ASSERT_TRUE(clear->isEnabled());
  EXPECT_FALSE(paste->isEnabled());               // nothing copied yet
  w.prompts.answers.push_back(PromptAnswer::Ok);  // the clear question
  clear->trigger();
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  const std::vector<std::string> cleared = RowTexts(sheet, first);
  EXPECT_NE(cleared, before);
  EXPECT_EQ(cleared, original);
  EXPECT_EQ(RowTexts(sheet, second), secondBefore);  // only the cursor's row
  EXPECT_TRUE(w.controller->CurrentDocument().IsDirty());

  // Ctrl+C on the cleared row, Ctrl+V on the next channel: it becomes a cleared row too.
  QTest::keyClick(sheetView, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(paste->isEnabled());
  ASSERT_TRUE(test::PressUntil("channel 2's row", sheetView, Qt::Key_Down,
                               [&] { return sheet.currentRow() >= second; }));
  w.prompts.answers.push_back(PromptAnswer::Ok);  // overwrite channel 2
  QTest::keyClick(sheetView, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(w.prompts.shown.size(), 2u);
  std::vector<std::string> pasted = RowTexts(sheet, second);
  ASSERT_EQ(pasted.size(), cleared.size());
  EXPECT_NE(pasted, secondBefore);
  pasted[0] = cleared[0];  // the channel number stays the row's own
  EXPECT_EQ(pasted, cleared);
}

// Every menu item, on every sheet the tree offers, after keys typed into the sheet: the
// window survives it all and still shows a sheet. Dialogs that open are closed again.
TEST(MainWindowTest, EveryMenuItemAndKeyOnEverySheetLeavesAWorkingWindow) {
  ProgramWindow w;
  w.mainWindow->show();
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  closer.start(5);
  // Every sheet and menu there is: the maker's and the adjuster's too.
  w.controller->Modes().MakerOn();
  w.controller->Modes().AdjustOn();
  QApplication::processEvents();

  std::vector<std::string> sheets;
  for (QTreeWidgetItemIterator it(w.mainWindow->Tree()); *it != nullptr; ++it) {
    const Cell* cell = TreeBuilder::CellOf(*it);
    if (cell != nullptr && cell->option) sheets.push_back(*cell->option);
  }
  ASSERT_GE(sheets.size(), 16u);

  const std::vector<std::pair<int, Qt::KeyboardModifiers>> keys = {{Qt::Key_Down, {}},
                                                                   {Qt::Key_Right, {}},
                                                                   {Qt::Key_F2, {}},
                                                                   {Qt::Key_A, {}},
                                                                   {Qt::Key_7, {}},
                                                                   {Qt::Key_Return, {}},
                                                                   {Qt::Key_PageDown, {}},
                                                                   {Qt::Key_End, {}},
                                                                   {Qt::Key_Space, {}},
                                                                   {Qt::Key_Return, {}},
                                                                   {Qt::Key_Escape, {}},
                                                                   {Qt::Key_Delete, {}},
                                                                   {Qt::Key_C, Qt::ControlModifier},
                                                                   {Qt::Key_Up, Qt::ShiftModifier},
                                                                   {Qt::Key_V, Qt::ControlModifier},
                                                                   {Qt::Key_Home, {}},
                                                                   {Qt::Key_Backspace, {}},
                                                                   {Qt::Key_Left, {}}};
  // Leaving the program and the browser for the help are not for a test run.
  const std::set<int> skipped = {CellLinkNumber("CL_Menu_File_Exit"),
                                 CellLinkNumber("CL_Help_Contents"),
                                 CellLinkNumber("CL_PMenu_Help")};
  for (const std::string& name : sheets) {
    SCOPED_TRACE(name);
    w.mainWindow->OpenSheet(name);  // as the tree would, without its delay
    QApplication::processEvents();
    ASSERT_NE(w.mainWindow->CurrentSheet(), nullptr);
    SheetView* sheetView = w.mainWindow->CurrentSheet()->sheetView();
    sheetView->setFocus();
    for (const auto& [key, modifiers] : keys) {
      QWidget* target =
          QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : sheetView;
      QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    }
    QApplication::processEvents();
    w.mainWindow->Menu()->RefreshMenu();
    std::vector<QAction*> items;
    std::function<void(QMenu*)> collect = [&](QMenu* menu) {
      for (QAction* action : menu->actions()) {
        if (action->menu() != nullptr) collect(action->menu());
        const Cell* cell = MenuBuilder::CellOf(action);
        if (cell != nullptr && action->isEnabled() && action->isVisible() &&
            action->menu() == nullptr && !skipped.contains(cell->cellLink)) {
          items.push_back(action);
        }
      }
    };
    for (QAction* top : w.mainWindow->menuBar()->actions()) {
      if (top->menu() != nullptr) collect(top->menu());
    }
    for (QAction* item : items) {
      item->trigger();
      QApplication::processEvents();
    }
    ASSERT_TRUE(w.mainWindow->isVisible());
  }
  ASSERT_TRUE(w.Choose("GI_Sheet_IntCh"));
  EXPECT_NE(w.mainWindow->CurrentSheet(), nullptr);
}

// The File menu of the real window: New, Save As, Open, the recent files and the
// questions and messages on the way, with the shipped texts.
TEST(MainWindowTest, TheFileMenuGuardsTheImageAndTheRecentList) {
  ProgramWindow w;
  w.mainWindow->show();
  const QString appTitle = QString::fromStdString(w.overlay.GetFirstLine("GI_Sys_AppTitle"));
  const auto message = [&](const char* key) { return w.overlay.GetFirstLine(key); };
  const auto touch = [&] {
    w.controller->CurrentDocument().Working().SetByte(0x0F10, 0x41);  // a channel comment byte
    w.controller->CurrentDocument().CheckDirty();
  };
  w.mainWindow->Menu()->RefreshMenu();

  w.MenuItem("CL_Menu_File_New")->trigger();  // a clean image: no question
  EXPECT_TRUE(w.prompts.shown.empty());
  EXPECT_EQ(w.mainWindow->windowTitle(), "Untitled[*] - " + appTitle);

  const std::string path = w.folder.File("R&D boat.rtv");
  w.prompts.fileNames.push_back(path);
  w.MenuItem("CL_Menu_File_SaveAs")->trigger();
  ASSERT_TRUE(fs::exists(path));
  EXPECT_EQ(w.mainWindow->windowTitle(), "R&D boat.rtv[*] - " + appTitle);
  w.mainWindow->Menu()->RefreshMenu();
  EXPECT_EQ(w.MenuItem("CL_Menu_File_Recent", 0)->text(), "&1 R&&D boat.rtv");  // shows "&"

  // The current file again, with changes: Yes saves them elsewhere first, then it opens.
  touch();
  const std::string copy = w.folder.File("copy.rtv");
  w.prompts.fileNames.push_back(path);
  w.prompts.fileNames.push_back(copy);
  w.MenuItem("CL_Menu_File_Open")->trigger();
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_EQ(w.prompts.shown[0].text, message("GI_Mess_Confirm_WriteAnother"));
  EXPECT_TRUE(fs::exists(copy));
  EXPECT_FALSE(w.controller->CurrentDocument().IsDirty());
  EXPECT_NE(w.controller->CurrentDocument().Working().GetByte(0x0F10), 0x41);

  // A file whose image-valid byte is not 1: the Data message; image, name and state stay.
  EepromImage invalid(w.controller->CurrentDocument().Working());
  invalid.SetByte(MemoryLayout::kValidFlag, 0);
  const std::string bad = w.folder.File("bad.rtv");
  std::ofstream(bad) << test::CloneFileText(invalid);
  touch();
  const EepromImage before(w.controller->CurrentDocument().Working());
  w.prompts.answers.push_back(PromptAnswer::No);  // keep the changes unsaved
  w.prompts.fileNames.push_back(bad);
  w.MenuItem("CL_Menu_File_Open")->trigger();
  EXPECT_NE(w.prompts.shown.back().text.find(message("GI_Mess_FileErr_Data")), std::string::npos);
  EXPECT_TRUE(w.controller->CurrentDocument().Working().Equals(before));
  EXPECT_TRUE(w.controller->CurrentDocument().IsDirty());
  EXPECT_EQ(w.mainWindow->windowTitle(), "R&D boat.rtv[*] - " + appTitle);

  // A recent file that is gone: the FileOpen message, and it stays in the list.
  w.settings.AddRecentFront(w.folder.File("gone.rtv"));
  w.mainWindow->Menu()->RefreshMenu();
  w.prompts.answers.push_back(PromptAnswer::No);
  w.MenuItem("CL_Menu_File_Recent", 0)->trigger();
  EXPECT_NE(w.prompts.shown.back().text.find(message("GI_Mess_FileErr_FileOpen")),
            std::string::npos);
  w.mainWindow->Menu()->RefreshMenu();
  EXPECT_EQ(w.MenuItem("CL_Menu_File_Recent", 0)->text(), "&1 gone.rtv");
  EXPECT_TRUE(w.controller->CurrentDocument().Working().Equals(before));
}

// The maker switch on the command line, in any case, shows the maker panel and the
// maker's menu; with the wrong lead character it does nothing.
TEST(MainWindowTest, TheMakerSwitchShowsTheMakerPanel) {
  const auto panels = [](ProgramWindow& w) {
    return w.mainWindow->statusBar()->findChildren<MessagePanel*>().size();
  };
  ProgramWindow plain({"rtv612", "-kalvorn"});
  plain.mainWindow->show();
  plain.mainWindow->Menu()->RefreshMenu();
  EXPECT_EQ(panels(plain), 1);
  EXPECT_FALSE(plain.MenuItem("CL_Menu_Debug_EeWindow")->isVisible());

  ProgramWindow maker({"rtv612", "/KALVORN"});
  maker.mainWindow->show();
  maker.mainWindow->Menu()->RefreshMenu();
  EXPECT_EQ(panels(maker), 2);
  EXPECT_TRUE(maker.MenuItem("CL_Menu_Debug_EeWindow")->isVisible());
}

}  // namespace
}  // namespace rtv
