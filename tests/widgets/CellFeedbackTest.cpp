// SPDX-License-Identifier: GPL-3.0-or-later
// What the sheet view says about typed input and marked cells, on the shipped overlay: the
// editor holds only what the field stores, every refusal is said in the status bar, marks
// explain themselves, and the keyboard's current cell shows.

#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>
#include <string>
#include <vector>

#include "ProgramWindow.h"
#include "app/FileCommands.h"
#include "base/Message.h"
#include "base/MessageBus.h"
#include "cells/CellNames.h"
#include "radio/EepromImage.h"
#include "sheet/SheetController.h"
#include "sheet/widgets/SheetView.h"

namespace rtv {
namespace {

struct FeedbackWindow : test::SettingsStoreFirst, test::ProgramWindow {
  FeedbackWindow() : test::ProgramWindow(store) {
    mainWindow->resize(1100, 800);
    mainWindow->show();
  }
  SheetView& ShownView() { return *mainWindow->CurrentSheet()->sheetView(); }
  const Sheet& CurrentSheet() { return mainWindow->CurrentSheet()->sheet(); }
  // Puts the cursor on the cell of `cellLink` and `index`; false when the sheet has none.
  bool GoTo(const char* cellLink, int index, int& column, int& row) {
    if (!mainWindow->CurrentSheet()->sheet().FindSelectable(CellLinkNumber(cellLink), index, column,
                                                            row)) {
      return false;
    }
    ShownView().setFocus();
    ShownView().controller().SelectCell(column, row, true);
    ShownView().ShowCell(column, row, false, false);
    QApplication::processEvents();
    return true;
  }
  // Types into the cell: the first key opens the editor, the rest go to it.
  void Type(const QString& text) {
    QTest::keyClick(&ShownView(), text.at(0).toLatin1());
    if (text.size() > 1 && ShownView().EditorOpen())
      QTest::keyClicks(ShownView().editor(), text.mid(1));
  }
  std::string Status() {
    Tick();
    return controller->MessagePanelText();
  }
  std::string EditorText() { return ShownView().editor()->text().toStdString(); }
};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(CellFeedbackTest, TheNameEditorTakesOnlyWhatTheNameStoresAndSaysWhy) {
  FeedbackWindow w;
  ASSERT_TRUE(w.Choose("GI_Sheet_FreeCh"));
  int column = 0;
  int row = 0;
  ASSERT_TRUE(w.GoTo("CL_Fch_ChName", 0, column, row));
  w.Type("ma");
  ASSERT_TRUE(w.ShownView().EditorOpen());
  EXPECT_EQ(w.EditorText(), "MA");  // upper-cased as typed
  QTest::keyClicks(w.ShownView().editor(), "r");
  EXPECT_EQ(w.EditorText(), "MA");
  EXPECT_TRUE(Contains(w.Status(), "third character of a private channel name")) << w.Status();
  QTest::keyClicks(w.ShownView().editor(), "bx");
  EXPECT_EQ(w.EditorText(), "MAB");  // the field is full
  EXPECT_TRUE(Contains(w.Status(), "holds 3 characters")) << w.Status();
  QTest::keyClick(w.ShownView().editor(), Qt::Key_Return);
  EXPECT_FALSE(w.ShownView().EditorOpen());
  EXPECT_EQ(w.ShownView().controller().DrawRequest(column, row, false).displayText, "MAB");
  // The heading says the rule.
  const QString rule = w.ShownView().ToolTipText(column, 0);
  EXPECT_TRUE(rule.contains("up to 3 characters")) << rule.toStdString();
}

TEST(CellFeedbackTest, RefusedEntriesLeaveTheEditorOpenWithTheirReason) {
  FeedbackWindow w;
  ASSERT_TRUE(w.Choose("GI_Sheet_FreeCh"));
  int column = 0;
  int row = 0;
  // A channel without a name takes no frequency.
  ASSERT_TRUE(w.GoTo("CL_Fch_ChName", 1, column, row));
  ASSERT_EQ(w.ShownView().controller().DrawRequest(column, row, false).displayText, "");
  ASSERT_TRUE(w.GoTo("CL_Fch_FreqR", 1, column, row));
  w.Type("1");
  EXPECT_FALSE(w.ShownView().EditorOpen());
  EXPECT_TRUE(Contains(w.Status(), "Enter the name first")) << w.Status();

  ASSERT_TRUE(w.GoTo("CL_Fch_ChName", 1, column, row));
  w.Type("B");
  QTest::keyClick(w.ShownView().editor(), Qt::Key_Return);
  ASSERT_TRUE(w.GoTo("CL_Fch_FreqR", 1, column, row));
  w.Type("156.013");
  QTest::keyClick(w.ShownView().editor(), Qt::Key_Return);
  EXPECT_TRUE(w.ShownView().EditorOpen());
  EXPECT_EQ(w.EditorText(), "156.013");
  EXPECT_TRUE(Contains(w.Status(), "156.013 MHz is not on the 6.25 kHz raster: nearest 156.0125"))
      << w.Status();
  // Corrected in place, it is taken.
  w.ShownView().editor()->backspace();
  QTest::keyClicks(w.ShownView().editor(), "25");
  QTest::keyClick(w.ShownView().editor(), Qt::Key_Return);
  EXPECT_FALSE(w.ShownView().EditorOpen());
  EXPECT_EQ(w.ShownView().controller().DrawRequest(column, row, false).displayText, "156.01250");

  ASSERT_TRUE(w.Choose("GI_Sheet_DscIndId"));
  ASSERT_TRUE(w.GoTo("CL_DscIndId_Id", 0, column, row));
  w.Type("12345");
  QTest::keyClicks(w.ShownView().editor(), "A");
  EXPECT_EQ(w.EditorText(), "12345");
  EXPECT_TRUE(Contains(w.Status(), "is not a digit")) << w.Status();
  QTest::keyClick(w.ShownView().editor(), Qt::Key_Return);
  EXPECT_TRUE(w.ShownView().EditorOpen());
  EXPECT_TRUE(Contains(w.Status(), "An MMSI has 9 digits.")) << w.Status();
  QTest::keyClick(w.ShownView().editor(), Qt::Key_Escape);
  EXPECT_FALSE(w.ShownView().EditorOpen());
}

TEST(CellFeedbackTest, ARefusalIsSaidOnceAndWithTheCellsName) {
  FeedbackWindow w;
  ASSERT_TRUE(w.Choose("GI_Sheet_FreeCh"));
  std::vector<std::string> said;
  const BusSubscription listening =
      w.bus.SubscribeTo<msg::StatusText>([&said](const msg::StatusText& status) {
        if (!status.text.empty()) said.push_back(status.text);
      });
  int column = 0;
  int row = 0;
  ASSERT_TRUE(w.GoTo("CL_Fch_FreqR", 1, column, row));  // a channel without a name
  w.Type("1");
  w.Tick();
  ASSERT_EQ(said.size(), 1u) << (said.empty() ? "" : said.front());
  EXPECT_TRUE(Contains(said[0], "Enter the name first")) << said[0];
  EXPECT_NE(said[0].find(": "), std::string::npos) << said[0];  // the cell's name first
  EXPECT_FALSE(said[0].starts_with("Enter")) << said[0];
}

TEST(CellFeedbackTest, AMarkSaysWhyInItsTooltipAndAsTheCursorEntersIt) {
  FeedbackWindow w;
  ASSERT_TRUE(w.Choose("GI_Sheet_DscIndId"));
  int column = 0;
  int row = 0;
  ASSERT_TRUE(w.GoTo("CL_DscIndId_Id", 0, column, row));
  w.Type("211123456");
  QTest::keyClick(w.ShownView().editor(), Qt::Key_Return);
  ASSERT_FALSE(w.ShownView().EditorOpen());
  int nameColumn = 0;
  int nameRow = 0;
  ASSERT_TRUE(w.GoTo("CL_DscIndId_Comment", 0, nameColumn, nameRow));
  EXPECT_TRUE(Contains(w.Status(), "An ID needs a name.")) << w.Status();
  EXPECT_EQ(w.ShownView().ToolTipText(nameColumn, nameRow).toStdString(), "An ID needs a name.");
  EXPECT_EQ(w.ShownView().ToolTipText(column, row).toStdString(), "");  // the ID itself is fine
  // The tooltip event shows it over the cell.
  const QPoint at = w.ShownView().CellRect(nameColumn, nameRow).center();
  QHelpEvent help(QEvent::ToolTip, at, w.ShownView().viewport()->mapToGlobal(at));
  QApplication::sendEvent(w.ShownView().viewport(), &help);
  EXPECT_EQ(QToolTip::text().toStdString(), "An ID needs a name.");
  QToolTip::hideText();
}

TEST(CellFeedbackTest, OpeningAFileWithAnIdErrorMarksTheTreeAtOnce) {
  FeedbackWindow w;
  QTreeWidgetItem* node = w.mainWindow->Tree()->FindNode("GI_Sheet_DscIndId");
  ASSERT_NE(node, nullptr);
  const QImage clean = node->icon(0).pixmap(16).toImage();
  // An individual ID that starts with a single 0, with its name.
  EepromImage& image = w.controller->CurrentDocument().Working();
  const std::uint8_t id[] = {1, 23, 45, 67, 80};
  for (int i = 0; i < 5; ++i) image.SetByte(0x25C0 + i, id[i]);
  image.WriteBlock(0x25C0 + 5, reinterpret_cast<const std::uint8_t*>("GROUPISH  "), 10);
  image.SetByte(0x25C0 + 15, 0);
  const std::string path = w.folder.File("marked.rtv");
  ASSERT_TRUE(w.controller->Files().SaveFile(path));
  ASSERT_TRUE(w.controller->Files().New());
  ASSERT_TRUE(w.controller->Warnings().ErrorSheets().empty());
  EXPECT_EQ(node->icon(0).pixmap(16).toImage(), clean);
  ASSERT_TRUE(w.controller->Files().OpenFile(path));
  // No click, no timer: the marks are there.
  node = w.mainWindow->Tree()->FindNode("GI_Sheet_DscIndId");
  ASSERT_NE(node, nullptr);
  EXPECT_NE(node->icon(0).pixmap(16).toImage(), clean);
  ASSERT_TRUE(w.controller->Warnings().FirstError().has_value());
  EXPECT_EQ(w.controller->Warnings().FirstError()->sheet, "GI_Sheet_DscIndId");
  EXPECT_EQ(w.controller->Warnings().FirstError()->index, 0);
  EXPECT_TRUE(Contains(w.controller->Warnings().FirstError()->reason, "single 0"));
}

TEST(CellFeedbackTest, LeftAndRightMoveThePaintedCurrentCellInALineMarkedSheet) {
  FeedbackWindow w;
  ASSERT_TRUE(w.Choose("GI_Sheet_IntCh"));
  SheetView& sheetView = w.ShownView();
  ASSERT_EQ(w.CurrentSheet().multiSelect(), Sheet::MultiSelect::Line);
  sheetView.setFocus();
  ASSERT_TRUE(test::WaitUntil("the sheetView has the focus", [&] { return sheetView.hasFocus(); }));
  QTest::keyClick(&sheetView, Qt::Key_Down);
  const int row = w.CurrentSheet().currentRow();
  const int left = w.CurrentSheet().currentColumn();
  const auto cells = [&](int column) {
    return sheetView.viewport()->grab(sheetView.CellRect(column, row)).toImage();
  };
  QApplication::processEvents();
  const QImage leftBefore = cells(left);
  const QImage rightBefore = cells(left + 1);
  QTest::keyClick(&sheetView, Qt::Key_Right);
  QApplication::processEvents();
  ASSERT_EQ(w.CurrentSheet().currentColumn(), left + 1);
  EXPECT_NE(cells(left), leftBefore);
  EXPECT_NE(cells(left + 1), rightBefore);
  // With the row marked as well.
  QTest::keyClick(&sheetView, Qt::Key_Down, Qt::ShiftModifier);
  QApplication::processEvents();
  const int marked = w.CurrentSheet().currentRow();
  const QImage here = sheetView.viewport()->grab(sheetView.CellRect(left + 1, marked)).toImage();
  const QImage beside = sheetView.viewport()->grab(sheetView.CellRect(left + 2, marked)).toImage();
  QTest::keyClick(&sheetView, Qt::Key_Right);
  QApplication::processEvents();
  EXPECT_NE(sheetView.viewport()->grab(sheetView.CellRect(left + 1, marked)).toImage(), here);
  EXPECT_NE(sheetView.viewport()->grab(sheetView.CellRect(left + 2, marked)).toImage(), beside);
}

TEST(CellFeedbackTest, TheTitleCarriesTheModifiedMarkWhileChangesAreUnsaved) {
  FeedbackWindow w;
  EXPECT_FALSE(w.mainWindow->isWindowModified());
  EXPECT_TRUE(w.mainWindow->windowTitle().contains("[*]"));
  ASSERT_TRUE(w.Choose("GI_Sheet_FreeCh"));
  int column = 0;
  int row = 0;
  ASSERT_TRUE(w.GoTo("CL_Fch_ChName", 2, column, row));
  w.Type("Q");
  QTest::keyClick(w.ShownView().editor(), Qt::Key_Return);
  EXPECT_TRUE(w.mainWindow->isWindowModified());
  ASSERT_TRUE(w.controller->Files().SaveFile(w.folder.File("saved.rtv")));
  EXPECT_FALSE(w.mainWindow->isWindowModified());
}

}  // namespace
}  // namespace rtv
