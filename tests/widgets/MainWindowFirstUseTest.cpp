// SPDX-License-Identifier: GPL-3.0-or-later
// What a first-time user meets in the main window: the recent files after a restart, the
// window's place, the Edit menu and the cell popup menu, the tree beside the sheet.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <string>
#include <vector>

#include "ProgramWindow.h"
#include "app/FileCommands.h"
#include "app/widgets/HelpWindow.h"
#include "app/widgets/StartPage.h"
#include "sheet/SheetExporter.h"
#include "sheet/widgets/SheetView.h"

namespace rtv {
namespace {

// One menu entry as the user sees it.
struct Entry {
  bool separator = false;
  std::string text;
  bool enabled = false;
  bool operator==(const Entry&) const = default;
};

std::vector<Entry> VisibleEntries(const QMenu& menu) {
  std::vector<Entry> entries;
  for (const QAction* action : menu.actions()) {
    if (!action->isVisible()) continue;
    entries.push_back({action->isSeparator(), action->text().toStdString(), action->isEnabled()});
  }
  return entries;
}

// Opens the Edit menu as a click on the menu bar does, and reads it.
std::vector<Entry> OpenEditMenu(test::ProgramWindow& w) {
  QAction* top = w.mainWindow->Menu()->ActionFor(CellLinkNumber("CL_Menu_Edit_Top"));
  if (top == nullptr || top->menu() == nullptr) return {};
  QMenu* edit = top->menu();
  edit->popup(w.mainWindow->mapToGlobal(QPoint(40, 20)));
  EXPECT_TRUE(test::WaitUntil("the Edit menu opens", [&] { return edit->isVisible(); }));
  std::vector<Entry> entries = VisibleEntries(*edit);
  edit->close();
  return entries;
}

// The Edit menu's items without its own Undo and Redo head: what the cell offers.
std::vector<Entry> CellItems(std::vector<Entry> entries) {
  if (entries.size() >= 3 && entries[0].text.rfind("Undo", 0) == 0 &&
      entries[1].text.rfind("Redo", 0) == 0 && entries[2].separator) {
    entries.erase(entries.begin(), entries.begin() + 3);
  }
  return entries;
}

// Right-clicks a cell and reads the popup menu that opens, then closes it unchosen.
std::vector<Entry> RightClickMenu(SheetView* sheetView, int column, int row) {
  std::vector<Entry> entries;
  QTimer reader;
  reader.setInterval(5);
  QObject::connect(&reader, &QTimer::timeout, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr || !menu->isVisible()) return;
    entries = VisibleEntries(*menu);
    reader.stop();
    menu->close();
  });
  reader.start();
  QTest::mouseClick(sheetView->viewport(), Qt::RightButton, {},
                    sheetView->CellRect(column, row).center());
  return entries;
}

int RowShowing(const Sheet& sheet, const std::string& number) {
  const auto table = SheetExporter(sheet).Table();
  for (std::size_t row = 0; row < table.size(); ++row) {
    if (!table[row].empty() && table[row][0] == number) return static_cast<int>(row);
  }
  return -1;
}

TEST(MainWindowFirstUseTest, ARestartShowsOnlyTheRecentFilesThereAre) {
  for (const bool saveOne : {false, true}) {
    SCOPED_TRACE(saveOne ? "one file saved" : "nothing saved");
    test::MemorySettingsStore store;
    std::string fresh;
    {
      test::ProgramWindow first(store);
      fresh = first.folder.File("fresh.rtv");
      if (saveOne) {
        ASSERT_TRUE(first.controller->Files().SaveFile(fresh));
      }
      first.Quit();
    }
    test::ProgramWindow again(store);
    again.mainWindow->Menu()->RefreshMenu();
    QAction* slot0 = again.MenuItem("CL_Menu_File_Recent", 0);
    ASSERT_NE(slot0, nullptr);
    EXPECT_EQ(slot0->text().toStdString(), saveOne ? "&1 fresh.rtv" : "No Recent Files");
    EXPECT_EQ(slot0->isEnabled(), saveOne);
    for (int i = 1; i < 10; ++i) {
      EXPECT_FALSE(again.MenuItem("CL_Menu_File_Recent", i)->isVisible()) << i;
    }
  }
}

TEST(MainWindowFirstUseTest, StartAndQuitLeaveTheWindowWhereItWas) {
  test::MemorySettingsStore store;
  std::vector<QRect> stored;
  for (int start = 0; start < 4; ++start) {
    test::ProgramWindow w(store);
    w.mainWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.mainWindow.get()));
    EXPECT_EQ(w.mainWindow->pos(), QPoint(w.settings.left, w.settings.top)) << start;
    w.Quit();
    stored.emplace_back(w.settings.left, w.settings.top, w.settings.width, w.settings.height);
  }
  // The first start places the default window; every later one keeps that place.
  for (std::size_t i = 1; i < stored.size(); ++i) EXPECT_EQ(stored[i], stored[0]) << i;
}

TEST(MainWindowFirstUseTest, ARestoredWindowFitsItsScreen) {
  test::MemorySettingsStore store;
  {
    test::ProgramWindow w(store);
    w.settings.left = 5000;  // a monitor that is gone
    w.settings.width = 5000;
    w.settings.height = 4000;
    w.settings.Save();
  }
  test::ProgramWindow w(store);
  w.mainWindow->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.mainWindow.get()));
  const QRect area = w.mainWindow->screen()->availableGeometry();
  EXPECT_TRUE(area.contains(w.mainWindow->frameGeometry())) << w.mainWindow->frameGeometry().x();
}

TEST(MainWindowFirstUseTest, FilesWhoseNamesDifferInCaseAreTwoRecentEntries) {
  test::MemorySettingsStore store;
  test::ProgramWindow w(store);
  const std::string upper = w.folder.File("Boat.rtv");
  const std::string lower = w.folder.File("boat.rtv");
  ASSERT_TRUE(w.controller->Files().SaveFile(upper));
  ASSERT_TRUE(w.controller->Files().SaveFile(lower));
  w.mainWindow->Menu()->RefreshMenu();
  EXPECT_EQ(w.MenuItem("CL_Menu_File_Recent", 0)->text(), "&1 boat.rtv");
  EXPECT_EQ(w.MenuItem("CL_Menu_File_Recent", 1)->text(), "&2 Boat.rtv");
  // Opening the other file is not opening the current one again: no write-another question.
  ASSERT_TRUE(w.controller->Files().OpenFile(upper));
  EXPECT_TRUE(w.prompts.shown.empty());
}

TEST(MainWindowFirstUseTest, TheEditMenuActsOnTheSheetOnShowWhateverHasTheFocus) {
  test::MemorySettingsStore store;
  test::ProgramWindow w(store);
  w.mainWindow->show();
  // No sheet on show: the menu says there is nothing.
  const std::vector<Entry> nothing = CellItems(OpenEditMenu(w));
  ASSERT_EQ(nothing.size(), 1u);
  EXPECT_EQ(nothing[0].text, "No item");
  EXPECT_FALSE(nothing[0].enabled);

  ASSERT_TRUE(w.Choose("GI_Sheet_IntCh"));
  w.mainWindow->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.mainWindow.get()));
  w.mainWindow->Tree()->setFocus();
  ASSERT_TRUE(
      test::WaitUntil("the tree has the focus", [&] { return w.mainWindow->Tree()->hasFocus(); }));
  const std::vector<Entry> rows = OpenEditMenu(w);
  const auto has = [&](const std::vector<Entry>& entries, const char* text) {
    return std::any_of(entries.begin(), entries.end(),
                       [&](const Entry& e) { return e.text.find(text) == 0; });
  };
  EXPECT_TRUE(has(rows, "Copy Rows"));
  EXPECT_TRUE(has(rows, "Insert Blank Rows"));
  EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](const Entry& e) { return e.separator; }));
}

TEST(MainWindowFirstUseTest, TheCellMenuHasTheEditMenusItemsAndActsOnTheRowClicked) {
  test::MemorySettingsStore store;
  test::ProgramWindow w(store);
  w.mainWindow->resize(1100, 800);
  w.mainWindow->show();
  ASSERT_TRUE(w.Choose("GI_Sheet_IntCh"));
  SheetView* sheetView = w.mainWindow->CurrentSheet()->sheetView();
  const Sheet& sheet = w.mainWindow->CurrentSheet()->sheet();
  sheetView->setFocus();
  const int first = RowShowing(sheet, "1");
  ASSERT_GT(first, 0);
  ASSERT_TRUE(test::PressUntil("channel 1's row", sheetView, Qt::Key_Down,
                               [&] { return sheet.currentRow() >= first; }));
  const int column = sheet.currentColumn();
  // Two rows marked, then a right click on a row outside them: the menu is that row's.
  QTest::keyClick(sheetView, Qt::Key_Down, Qt::ShiftModifier);
  const int outside = first + 4;
  const std::vector<Entry> popup = RightClickMenu(sheetView, column, outside);
  EXPECT_EQ(sheet.currentRow(), outside);
  EXPECT_FALSE(sheet.CellAt(column, first).marked);
  ASSERT_FALSE(popup.empty());
  EXPECT_TRUE(std::any_of(popup.begin(), popup.end(), [](const Entry& e) { return e.separator; }));
  EXPECT_TRUE(
      std::none_of(popup.begin(), popup.end(), [](const Entry& e) { return e.text == "-"; }));
  // The same items in the same states as the Edit menu shows for that cell.
  EXPECT_EQ(CellItems(OpenEditMenu(w)), popup);

  // A right click inside a marked block keeps the block as the menu's target.
  QTest::keyClick(sheetView, Qt::Key_Down, Qt::ShiftModifier);
  ASSERT_TRUE(sheet.CellAt(column, outside).marked);
  RightClickMenu(sheetView, column, outside + 1);
  EXPECT_EQ(sheet.currentRow(), outside + 1);
  EXPECT_TRUE(sheet.CellAt(column, outside).marked);
}

std::vector<int> ColumnWidths(const Sheet& sheet) {
  std::vector<int> widths;
  for (int column = 0; column < sheet.columnCount(); ++column) {
    widths.push_back(sheet.ColumnWidth(column));
  }
  return widths;
}

// Widths remembered in one font size never pin the columns of another: after a change the
// sheet has the widths of a first start in the new size, headings included.
TEST(MainWindowFirstUseTest, ColumnWidthsFollowAFontSizeChange) {
  std::vector<int> fresh;
  {
    test::MemorySettingsStore store;
    test::ProgramWindow w(store);
    w.settings.fontSizePercentage = 150;
    w.mainWindow->show();
    ASSERT_TRUE(w.Choose("GI_Sheet_IntCh"));
    fresh = ColumnWidths(w.mainWindow->CurrentSheet()->sheet());
  }
  test::MemorySettingsStore store;
  test::ProgramWindow w(store);
  w.mainWindow->show();
  ASSERT_TRUE(w.Choose("GI_Sheet_IntCh"));
  const std::vector<int> normal = ColumnWidths(w.mainWindow->CurrentSheet()->sheet());
  ASSERT_NE(normal, fresh);
  w.MenuItem("CL_Menu_View_FontSize", 150)->trigger();
  w.Tick();
  ASSERT_TRUE(test::WaitUntil("the sheet again", [&] { return w.Shows("GI_Sheet_IntCh"); }));
  EXPECT_EQ(ColumnWidths(w.mainWindow->CurrentSheet()->sheet()), fresh);
}

// The row keys run the row commands where the cell's menu offers them, and nothing else.
TEST(MainWindowFirstUseTest, RowKeysRunTheRowCommandsTheRowOffers) {
  test::MemorySettingsStore store;
  test::ProgramWindow w(store);
  w.mainWindow->show();
  ASSERT_TRUE(w.Choose("GI_Sheet_IntCh"));
  SheetView* sheetView = w.mainWindow->CurrentSheet()->sheetView();
  const Sheet& sheet = w.mainWindow->CurrentSheet()->sheet();
  sheetView->setFocus();
  const int first = RowShowing(sheet, "1");
  ASSERT_TRUE(test::PressUntil("channel 1's row", sheetView, Qt::Key_Down,
                               [&] { return sheet.currentRow() >= first; }));
  QTest::keyClick(sheetView, Qt::Key_Right);
  const auto texts = [&](int row) { return SheetExporter(sheet).Table()[row]; };
  const std::vector<std::string> before = texts(first);
  // Clear gives the row back as the model has it: change it first.
  ASSERT_TRUE(test::PressUntil("column 4", sheetView, Qt::Key_Right,
                               [&] { return sheet.currentColumn() >= 4; }));
  QTest::keyClick(sheetView, Qt::Key_Space);
  ASSERT_NE(texts(first), before);
  w.prompts.answers.push_back(PromptAnswer::Ok);  // the clear question
  QTest::keyClick(sheetView, Qt::Key_Delete);
  EXPECT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_EQ(texts(first), before);
  EXPECT_TRUE(w.controller->CurrentDocument().IsDirty());

  // A sheet of settings has no rows to clear: Delete leaves it alone.
  ASSERT_TRUE(w.Choose("GI_Sheet_DscSet"));
  SheetView* settings = w.mainWindow->CurrentSheet()->sheetView();
  settings->setFocus();
  const auto shown = w.prompts.shown.size();
  const auto table = SheetExporter(w.mainWindow->CurrentSheet()->sheet()).Table();
  QTest::keyClick(settings, Qt::Key_Delete);
  EXPECT_EQ(w.prompts.shown.size(), shown);
  EXPECT_EQ(SheetExporter(w.mainWindow->CurrentSheet()->sheet()).Table(), table);
}

// View › channels in use only, and the choice popup's item that asks for the other view,
// change the rows and keep the cursor on its channel; the setting remembers the view.
TEST(MainWindowFirstUseTest, TheChannelsInUseViewKeepsTheCursorOnItsChannel) {
  test::MemorySettingsStore store;
  test::ProgramWindow w(store);
  w.mainWindow->show();
  ASSERT_TRUE(w.Choose("GI_Sheet_IntCh"));
  SheetView* sheetView = w.mainWindow->CurrentSheet()->sheetView();
  sheetView->setFocus();
  const auto sheet = [&]() -> const Sheet& { return w.mainWindow->CurrentSheet()->sheet(); };
  // Down to a channel in use with unused ones above it.
  for (int i = 0; i < 60; ++i) QTest::keyClick(sheetView, Qt::Key_Down);
  QTest::keyClick(sheetView, Qt::Key_Right);
  const auto cursorChannel = [&] {
    return sheet().CellAt(sheet().currentColumn(), sheet().currentRow()).cell.index;
  };
  const auto channelText = [&] { return SheetExporter(sheet()).Table()[sheet().currentRow()][0]; };
  const int allRows = sheet().rowCount();
  const int channel = cursorChannel();
  QAction* inUse = w.mainWindow->ChannelsInUseAction();
  ASSERT_NE(inUse, nullptr);
  EXPECT_FALSE(inUse->isChecked());

  inUse->trigger();
  EXPECT_TRUE(inUse->isChecked());
  EXPECT_EQ(w.settings.channelsInUseOnly, 1);
  ASSERT_TRUE(w.Shows("GI_Sheet_IntCh"));
  const int usedRows = sheet().rowCount();
  EXPECT_LT(usedRows, allRows);
  // The cursor is on the same channel, or, when that is not in use, on the next one.
  EXPECT_GE(cursorChannel(), channel);
  const int usedChannel = cursorChannel();
  const std::string usedNumber = channelText();

  // The choice popup's "show all channels" asks for the other view.
  w.bus.Post(msg::SwitchChannelView{});
  w.Tick();
  EXPECT_EQ(w.settings.channelsInUseOnly, 0);
  EXPECT_EQ(sheet().rowCount(), allRows);
  EXPECT_EQ(cursorChannel(), usedChannel);
  EXPECT_EQ(channelText(), usedNumber);
}

// Help on This Item opens the program's own help window at the anchor of the cell in focus;
// Help › Contents at the start of the page; find searches the page on show.
TEST(MainWindowFirstUseTest, HelpOnThisItemOpensTheHelpWindowAtTheCellsAnchor) {
  test::MemorySettingsStore store;
  test::ProgramWindow w(store);
  w.mainWindow->show();
  ASSERT_TRUE(w.Choose("GI_Sheet_DscSet"));
  SheetView* sheetView = w.mainWindow->CurrentSheet()->sheetView();
  w.mainWindow->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.mainWindow.get()));
  sheetView->setFocus();
  ASSERT_TRUE(
      test::WaitUntil("the sheetView has the focus", [&] { return sheetView->hasFocus(); }));
  QTest::keyClick(sheetView, Qt::Key_Down);
  w.Tick();  // the Edit menu takes the cell's items
  const Cell* cell = sheetView->CurrentCell();
  ASSERT_NE(cell, nullptr);
  const int context = w.help.HelpContextId(CellLinkName(cell->cellLink));
  ASSERT_NE(context, 0) << CellLinkName(cell->cellLink);

  QTest::keyClick(sheetView, Qt::Key_F1, Qt::ShiftModifier);
  ASSERT_TRUE(test::WaitUntil("the help window", [&] {
    return w.mainWindow->Help() != nullptr && w.mainWindow->Help()->isVisible();
  }));
  QTextBrowser* browser = w.mainWindow->Help()->Browser();
  EXPECT_EQ(browser->source().fragment(), QString("c%1").arg(context));
  EXPECT_TRUE(browser->source().path().endsWith("help/index.html"));
  EXPECT_FALSE(browser->toPlainText().isEmpty());

  w.MenuItem("CL_Help_Contents")->trigger();
  EXPECT_FALSE(browser->source().hasFragment());
  EXPECT_TRUE(browser->isBackwardAvailable());
  w.mainWindow->Help()->FindField()->setText("DSC");
  EXPECT_TRUE(w.mainWindow->Help()->FindNext());
  EXPECT_EQ(browser->textCursor().selectedText(), "DSC");
  w.mainWindow->Help()->FindField()->setText("no such words in the help");
  EXPECT_FALSE(w.mainWindow->Help()->FindNext());
}

// A radio that did not say its serial number leaves that part out of the line.
TEST(MainWindowFirstUseTest, TheStartPageNamesTheSerialNumberOnlyWhenTheRadioGaveOne) {
  test::MemorySettingsStore store;
  test::ProgramWindow w(store);
  StartPage page(w.overlay, [](StartPage::Action) {});
  struct Case {
    const char* serial;
    const char* line;
  };
  const Case cases[] = {{"1234567890", "USA, version 1203, serial number 1234567890"},
                        {"", "USA, version 1203"}};
  for (const Case& c : cases) {
    StartFacts facts;
    facts.radioRead = true;
    facts.radioModel = "USA";
    facts.radioRevision = 1203;
    facts.radioSerial = c.serial;
    page.Show(facts);
    const QStringList lines = page.FactsText().split('\n');
    EXPECT_EQ(lines.value(3).toStdString(), c.line);
  }
}

// The tree's first node has a page that says what the program works on and how to begin.
TEST(MainWindowFirstUseTest, TheFirstNodeShowsTheStartPage) {
  test::MemorySettingsStore store;
  test::ProgramWindow w(store);
  w.mainWindow->show();
  StartPage* start = w.mainWindow->Start();
  ASSERT_NE(start, nullptr);
  ASSERT_TRUE(test::WaitUntil("the start page", [&] { return start->isVisible(); }));
  const QString facts = start->FactsText();
  EXPECT_TRUE(facts.contains("USA")) << facts.toStdString();
  EXPECT_TRUE(facts.contains("Untitled")) << facts.toStdString();
  EXPECT_TRUE(facts.contains("1: /dev/ttyS0")) << facts.toStdString();

  w.prompts.fileNames.push_back("");  // the open dialog, cancelled
  QTest::mouseClick(start->Button(StartPage::Action::OpenFile), Qt::LeftButton);
  EXPECT_EQ(w.prompts.dialogs.size(), 1u);

  ASSERT_TRUE(w.Choose("GI_Sheet_IntCh"));
  EXPECT_FALSE(start->isVisible());
  w.mainWindow->Tree()->setCurrentItem(w.mainWindow->Tree()->topLevelItem(0));
  w.clock.Advance(w.TreeDelayMs());
  ASSERT_TRUE(test::WaitUntil("the start page again", [&] { return start->isVisible(); }));
  w.Tick();  // no sheet comes back while the first node is chosen
  EXPECT_EQ(w.mainWindow->CurrentSheet(), nullptr);

  // The status bar names the port's device; a new port shows at once.
  EXPECT_TRUE(w.mainWindow->PortPanel()->text().startsWith("Port 1: /dev/ttyS0"))
      << w.mainWindow->PortPanel()->text().toStdString();
  w.MenuItem("CL_Menu_Port_Com", 2)->trigger();
  EXPECT_TRUE(w.mainWindow->PortPanel()->text().startsWith("Port 2: /dev/ttyS1"))
      << w.mainWindow->PortPanel()->text().toStdString();
  EXPECT_TRUE(start->FactsText().contains("2: /dev/ttyS1")) << start->FactsText().toStdString();

  // A model change shows on the page at once.
  w.prompts.answers.push_back(PromptAnswer::Ok);
  w.MenuItem("CL_Model", 2)->trigger();
  w.Tick();
  EXPECT_TRUE(start->FactsText().contains("Europe")) << start->FactsText().toStdString();
}

// On a 1280 × 1024 screen the first window shows the INT sheet whole, beside the tree.
TEST(MainWindowFirstUseTest, TheDefaultWindowShowsEveryColumnOfTheIntSheet) {
  test::MemorySettingsStore store;
  test::ProgramWindow w(store);
  w.mainWindow->show();
  ASSERT_TRUE(w.Choose("GI_Sheet_IntCh"));
  const Sheet& sheet = w.mainWindow->CurrentSheet()->sheet();
  int sheetWidth = 0;
  for (int column = 0; column < sheet.columnCount(); ++column)
    sheetWidth += sheet.ColumnWidth(column);
  // Beside the sheet: the tree, the splitter, the panels' bevels, the vertical scroll bar.
  const int besides =
      w.settings.treeWidth + MainWindow::kSplitterWidth + 4 * 4 +
      w.mainWindow->CurrentSheet()->sheetView()->verticalScrollBar()->sizeHint().width();
  AppSettings defaults(false);
  defaults.ApplyDefaults(1280, 1024);
  EXPECT_GE(defaults.width, sheetWidth + besides) << sheetWidth << " + " << besides;
  EXPECT_LE(defaults.width, 1280);
}

// Home and End go to the ends of the row, with Ctrl to the ends of the column.
TEST(MainWindowFirstUseTest, HomeAndEndGoToTheEndsOfTheRowOrColumn) {
  test::MemorySettingsStore store;
  test::ProgramWindow w(store);
  w.mainWindow->show();
  ASSERT_TRUE(w.Choose("GI_Sheet_IntCh"));
  SheetView* sheetView = w.mainWindow->CurrentSheet()->sheetView();
  const Sheet& sheet = w.mainWindow->CurrentSheet()->sheet();
  sheetView->setFocus();
  for (int i = 0; i < 5; ++i) QTest::keyClick(sheetView, Qt::Key_Down);
  QTest::keyClick(sheetView, Qt::Key_Right);
  const int row = sheet.currentRow();
  const auto selectable = [&](int column, int r) {
    return sheet.CellAt(column, r).cell.selectable;
  };
  int first = 0;
  while (first < sheet.columnCount() && !selectable(first, row)) ++first;
  int last = sheet.columnCount() - 1;
  while (last >= 0 && !selectable(last, row)) --last;
  ASSERT_LT(first, last);
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int column;  // -1: the cursor's column stays
    int row;
  };
  const Case cases[] = {{Qt::Key_End, Qt::NoModifier, last, row},
                        {Qt::Key_Home, Qt::NoModifier, first, row},
                        {Qt::Key_End, Qt::ControlModifier, -1, sheet.rowCount() - 1},
                        {Qt::Key_Home, Qt::ControlModifier, -1, sheet.fixedRows()}};
  for (const Case& c : cases) {
    const int column = sheet.currentColumn();
    QTest::keyClick(sheetView, c.key, c.modifiers);
    EXPECT_EQ(sheet.currentColumn(), c.column < 0 ? column : c.column) << c.key;
    EXPECT_EQ(sheet.currentRow(), c.row) << c.key;
  }
}

// The service-only Adjust menu is on the menu bar in adjust mode only.
TEST(MainWindowFirstUseTest, TheAdjustMenuShowsInAdjustModeOnly) {
  for (const bool adjust : {false, true}) {
    SCOPED_TRACE(adjust ? "adjust mode" : "plain start");
    test::MemorySettingsStore store;
    std::vector<std::string> arguments = {"rtv612"};
    if (adjust) arguments.push_back("/bluefin_kor");
    test::ProgramWindow w(store, arguments);
    w.mainWindow->Menu()->RefreshMenu();
    QAction* read = w.MenuItem("CL_Menu_Adjust_Read");
    ASSERT_NE(read, nullptr);
    QAction* adjustMenu = nullptr;
    for (QAction* top : w.mainWindow->menuBar()->actions()) {
      if (top->menu() != nullptr && top->menu()->actions().contains(read)) adjustMenu = top;
    }
    ASSERT_NE(adjustMenu, nullptr);
    EXPECT_EQ(adjustMenu->isVisible(), adjust);
    // The File menu, whose items all show, stays.
    EXPECT_TRUE(w.mainWindow->menuBar()->actions().front()->isVisible());
  }
}

TEST(MainWindowFirstUseTest, TheTreeShowsTheSheetOnShowAfterANewImage) {
  struct Case {
    const char* what;
    void (*replace)(test::ProgramWindow&);
  };
  const Case cases[] = {
      {"open",
       [](test::ProgramWindow& w) {
         ASSERT_TRUE(w.controller->Files().OpenFile(w.folder.File("RTV612M0.rtv")));
       }},
      {"model change",
       [](test::ProgramWindow& w) {
         w.prompts.answers.push_back(PromptAnswer::Ok);
         w.MenuItem("CL_Model", 2)->trigger();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::MemorySettingsStore store;
    test::ProgramWindow w(store);
    w.mainWindow->show();
    ASSERT_TRUE(w.Choose("GI_Sheet_DscSet"));
    c.replace(w);
    w.Tick();
    ASSERT_TRUE(test::WaitUntil("a sheet on show",
                                [&] { return w.mainWindow->CurrentSheet() != nullptr; }));
    EXPECT_TRUE(w.Shows("GI_Sheet_DscSet"));
    QTreeWidgetItem* node = w.mainWindow->Tree()->currentItem();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(w.mainWindow->SelectedTreeSheet(), "GI_Sheet_DscSet");
    ASSERT_NE(node->parent(), nullptr);
    EXPECT_TRUE(node->parent()->isExpanded());
  }
}

}  // namespace
}  // namespace rtv
