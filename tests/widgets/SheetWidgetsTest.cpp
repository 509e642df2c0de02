// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <memory>
#include <string>
#include <vector>

#include "EditorAccess.h"
#include "ManualClock.h"
#include "SheetFixtures.h"
#include "base/MessageBus.h"
#include "cells/ChoiceEditor.h"
#include "cells/ChoiceLists.h"
#include "overlay/OverlayText.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtTextMetrics.h"
#include "radio/ItemAccessor.h"
#include "sheet/ModelSheet.h"
#include "sheet/widgets/ChoicePopup.h"
#include "sheet/widgets/SheetDialog.h"
#include "sheet/widgets/SheetPane.h"
#include "sheet/widgets/SheetView.h"

namespace rtv {
namespace {

constexpr int kChoiceLink = LinkNo("CL_ComSet_Light");
const char* const kBasic = "{<-(Color=clWindow)(Font=,,clWindowText,-13,,,)}";

// Sheets on screen with a test accessor: Flex0 cells show "v<index>" and record their
// inputs; CL_ComSet_Light cells edit `choice` through the choice list of GI_Sheet_Sel_Test;
// CL_FlexMarking cells answer what `markingResult` says.
struct WidgetFixture {
  explicit WidgetFixture(std::vector<test::SheetEntries> sheets) {
    sheets.push_back({"GI_Sheet_Sel_Test",
                      "(FixedCols=0)(FixedRows=0)(NoPrint)",
                      kBasic,
                      {"{SWH(%Flex0[0])}Off", "{SWH(%Flex0[1])}Low", "{SWH(%Flex0[2])}High"}});
    overlay.SetLines(test::SheetOverlay(sheets, {},
                                        {"#CellModel_BasicDialog", ",,,-12,,,",
                                         "#GI_AppInd_Button_OkCancel", "OK", "Cancel", "#"}));
    accessor.Serve(LinkFamily::Special, [this](CellAccess& access) {
      CellRequest& r = access.request;
      if (!r.key.IsNone() || r.commit != CellCommit::None) {
        keys.push_back(r.key);
        if (r.commit != CellCommit::None) edits.push_back(r.editText);
      }
      if (access.cell.cellLink == LinkNo("CL_FlexMarking")) {
        r.displayText = "m";
        return !r.key.IsNone() ? markingResult : AccessResult::Nothing;
      }
      r.displayText =
          access.cell.text ? *access.cell.text : "v" + std::to_string(access.cell.index);
      return AccessResult::Nothing;
    });
    accessor.Serve(LinkFamily::RadioSettings, [this](CellAccess& access) {
      ChoiceEditor editor(choices, "GI_Sheet_Sel_Test", LinkNo("Flex0"), choice);
      return editor.Serve(access.request);
    });
  }

  std::unique_ptr<SheetPane> Show(const std::string& key, int width = 500, int height = 300) {
    auto pane = std::make_unique<SheetPane>(
        std::make_unique<ModelSheet>(services, model, overlay, key), viewServices);
    pane->resize(width, height);
    pane->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(pane.get()));
    pane->activateWindow();
    pane->sheetView()->setFocus();
    QApplication::processEvents();
    return pane;
  }

  OverlayText overlay;
  QtTextMetrics metrics;
  test::FakeModelHost model;
  test::ManualClock clock;
  MessageBus bus{clock};
  ItemAccessor accessor;
  ChoiceLists choices{overlay};
  SheetServices services{overlay, metrics, [this](CellRequest& r, bool notify) {
                           return accessor.AccessCell(r, notify);
                         }};
  SheetViewServices viewServices{&services, &model, &bus, &clock, nullptr};
  std::vector<CellKey> keys;
  std::vector<std::string> edits;
  int choice = 1;
  AccessResult markingResult = AccessResult::Nothing;
};

std::pair<int, int> Current(const SheetPane& pane) {
  return {const_cast<SheetPane&>(pane).sheet().currentColumn(),
          const_cast<SheetPane&>(pane).sheet().currentRow()};
}

QColor PixelIn(SheetView& sheetView, int column, int row, const QImage& shot) {
  const QRect rect = sheetView.CellRect(column, row);
  const qreal ratio = shot.devicePixelRatio();
  return shot.pixelColor(QPoint(static_cast<int>((rect.left() + 2) * ratio),
                                static_cast<int>((rect.top() + 2) * ratio)));
}

QImage Shot(SheetView& sheetView) { return sheetView.viewport()->grab().toImage(); }

TEST(SheetViewTest, LeftAtTheLeftEndSendsTheKeyToTheCell) {
  WidgetFixture f({{"GI_Sheet_T", "", kBasic, {"a|b|c|{S(%Flex0[1])}d", "a|b|c|{S(%Flex0[2])}e"}}});
  auto pane = f.Show("GI_Sheet_T");
  QTest::keyClick(pane->sheetView(), Qt::Key_Left);
  QTest::keyClick(pane->sheetView(), Qt::Key_Right);
  EXPECT_EQ(f.keys, (std::vector<CellKey>{SpecialKey::Left, SpecialKey::Right}));
  QTest::keyClick(pane->sheetView(), Qt::Key_A, Qt::ControlModifier);  // not a character
  // Characters beyond the radio's are dropped, also those whose low byte is printable.
  for (const char16_t wide : {u'\u0100', u'\u0141', u'\u00E9'}) {
    QTest::sendKeyEvent(QTest::Click, pane->sheetView(), Qt::Key_unknown, QString(QChar(wide)),
                        Qt::NoModifier);
  }
  EXPECT_EQ(Current(*pane), (std::pair{3, 0}));
  QTest::keyClick(pane->sheetView(), Qt::Key_F3);
  QTest::keyClick(pane->sheetView(), 'k');
  QTest::keyClick(pane->sheetView(), Qt::Key_Return);
  EXPECT_EQ(f.keys, (std::vector<CellKey>{SpecialKey::Left, SpecialKey::Right, SpecialKey::F3,
                                          CellKey::Typed('k'), SpecialKey::Enter}));
}

TEST(SheetViewTest, PageDownStopsAtTheLastReachableRow) {
  std::vector<std::string> cells = {"Head", ":(LoopFrom 25)", "{S(%Flex0[0])}", ":(LoopTo)",
                                    "not selectable"};
  WidgetFixture f({{"GI_Sheet_T", "(FixedRows=1)", kBasic, cells}});
  auto pane = f.Show("GI_Sheet_T", 300, 150);
  QTest::keyClick(pane->sheetView(), Qt::Key_PageDown);
  EXPECT_EQ(Current(*pane), (std::pair{0, 11}));
  QTest::keyClick(pane->sheetView(), Qt::Key_PageDown);
  QTest::keyClick(pane->sheetView(), Qt::Key_PageDown);
  EXPECT_EQ(Current(*pane), (std::pair{0, 25}));
  // The cursor's row is in view.
  EXPECT_FALSE(pane->sheetView()->CellRect(0, 25).isEmpty());
  QTest::keyClick(pane->sheetView(), Qt::Key_PageUp);
  EXPECT_EQ(Current(*pane), (std::pair{0, 15}));
}

TEST(SheetViewTest, ARowTrackCellIsDrawnSelectedAndSelectsItsCellOnClick) {
  WidgetFixture f({{"GI_Sheet_T",
                    "",
                    kBasic,
                    {"{SWH(%Flex0[0])}first|{TWH}track", "{SWH(%Flex0[1])}second|{TWH}track"}}});
  auto pane = f.Show("GI_Sheet_T");
  SheetView& sheetView = *pane->sheetView();
  const QColor window = ToQColor(0x80000005);
  QImage shot = Shot(sheetView);
  EXPECT_NE(PixelIn(sheetView, 1, 0, shot), window);  // drawn with its selectable cell
  EXPECT_EQ(PixelIn(sheetView, 1, 1, shot), window);
  QTest::mouseClick(sheetView.viewport(), Qt::LeftButton, {}, sheetView.CellRect(1, 1).center());
  EXPECT_EQ(Current(*pane), (std::pair{0, 1}));
  QApplication::processEvents();
  shot = Shot(sheetView);
  EXPECT_EQ(PixelIn(sheetView, 1, 0, shot), window);
  EXPECT_NE(PixelIn(sheetView, 1, 1, shot), window);
}

TEST(SheetViewTest, AJoinedCellDrawsNothingOfItsOwn) {
  QRect joined;
  const auto render = [&joined](const char* joinedText) {
    WidgetFixture f({{"GI_Sheet_T",
                      "",
                      kBasic,
                      {std::string("{WH}wide heading|{W}x|y"),
                       std::string("{SH}A long text that runs on|{+}") + joinedText + "|z"}}});
    auto pane = f.Show("GI_Sheet_T");
    pane->sheetView()->clearFocus();
    QApplication::processEvents();
    joined = pane->sheetView()->CellRect(1, 1);
    return Shot(*pane->sheetView());
  };
  const QImage plain = render("");
  EXPECT_EQ(render("own text"), plain);
  // The lead's text runs over the joined cell.
  const QColor window = ToQColor(0x80000005);
  int inked = 0;
  const qreal ratio = plain.devicePixelRatio();
  for (int x = joined.left(); x <= joined.right(); ++x) {
    for (int y = joined.top(); y <= joined.bottom(); ++y) {
      const QPoint p(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
      if (plain.pixelColor(p) != window && plain.pixelColor(p).lightness() < 128) ++inked;
    }
  }
  EXPECT_GT(inked, 0);
}

TEST(SheetViewTest, TheEditorOpensOnlyWhenTheAccessorSaysSo) {
  WidgetFixture f({{"GI_Sheet_T", "", kBasic, {"{SW(%CL_FlexMarking[0])}mm|{SW(%Flex0[3])}vv"}}});
  auto pane = f.Show("GI_Sheet_T");
  SheetView& sheetView = *pane->sheetView();
  for (const AccessResult result : {kNothing, kPopupOpened, kStartEdit}) {
    f.markingResult = result;
    QTest::keyClick(&sheetView, 'q');
    EXPECT_EQ(sheetView.EditorOpen(), result == kStartEdit) << result;
    if (sheetView.EditorOpen()) QTest::keyClick(sheetView.editor(), Qt::Key_Escape);
  }
  EXPECT_FALSE(sheetView.EditorOpen());
  EXPECT_TRUE(f.edits.empty());
}

TEST(SheetViewTest, TheEditorCommitsOnEnterAndHoldsAtMost1024Characters) {
  WidgetFixture f({{"GI_Sheet_T", "", kBasic, {"{SW(%CL_FlexMarking[0])}mm", "{S(%Flex0[1])}x"}}});
  auto pane = f.Show("GI_Sheet_T");
  SheetView& sheetView = *pane->sheetView();
  f.markingResult = kStartEdit;
  QTest::keyClick(&sheetView, 'q');
  ASSERT_TRUE(sheetView.EditorOpen());
  sheetView.editor()->setText(QString(2000, 'x'));
  EXPECT_EQ(sheetView.editor()->text().size(), 1024);
  sheetView.editor()->setText("new");
  QTest::keyClick(sheetView.editor(), Qt::Key_Down);  // commits, then moves one row
  EXPECT_FALSE(sheetView.EditorOpen());
  EXPECT_EQ(f.edits, (std::vector<std::string>{"new"}));
  EXPECT_EQ(Current(*pane), (std::pair{0, 1}));
}

TEST(SheetViewTest, LineMarkingHighlightsTheRowButTheFixedColumns) {
  WidgetFixture f({{"GI_Sheet_T",
                    "(FixedCols=1)(FixedRows=1)(MultiSelect=Line)",
                    kBasic,
                    {"{WH}No.|{W}Name|{W}Use", "{WH}1|{S(%Flex0[1])}a|{S(%Flex0[1])}b",
                     "{WH}2|{S(%Flex0[2])}c|{S(%Flex0[2])}d"}}});
  auto pane = f.Show("GI_Sheet_T");
  SheetView& sheetView = *pane->sheetView();
  QTest::mouseClick(sheetView.viewport(), Qt::LeftButton, {}, sheetView.CellRect(1, 2).center());
  QApplication::processEvents();
  const QImage shot = Shot(sheetView);
  const QColor window = ToQColor(0x80000005);
  EXPECT_EQ(PixelIn(sheetView, 0, 2, shot), window);
  EXPECT_NE(PixelIn(sheetView, 1, 2, shot), window);
  EXPECT_NE(PixelIn(sheetView, 2, 2, shot), window);
  EXPECT_EQ(PixelIn(sheetView, 2, 1, shot), window);
}

TEST(SheetViewTest, ForwardedKeysArePacedOnTheClock) {
  WidgetFixture f({{"GI_Sheet_T", "", kBasic, {"{S(%Flex0[0])}a|{S(%Flex0[1])}b"}}});
  std::vector<std::int64_t> at;
  f.accessor.Serve(LinkFamily::Special, [&](CellAccess& access) {
    if (access.request.key == CellKey::Typed('x')) {
      at.push_back(f.clock.NowMs());
      if (at.size() < 7) {
        access.request.redirected = true;
        access.request.servedIndex = 1 - access.cell.index;
        access.request.forwardedKey = CellKey::Typed('x');
      }
    }
    return AccessResult::Nothing;
  });
  auto pane = f.Show("GI_Sheet_T");
  QTest::keyClick(pane->sheetView(), 'x');
  f.clock.Advance(500);
  EXPECT_EQ(at, (std::vector<std::int64_t>{0, 30, 54, 72, 84, 90, 90}));
}

TEST(SheetViewTest, SwitchingTheUsableViewChangesTheRows) {
  test::SheetEntries table{
      "GI_Sheet_IntCh",
      "(FixedRows=1)(TitleString=INT)(WithUsable)",
      "{(%CT_IntCh.)<-(Font=,,clWindowText,-13,,,)}",
      {"{W}Ch|{W}Name", ":(LoopFrom)", "{W(%Flex0[0])}000|{SW(%Flex0[0])}name", ":(LoopTo)"}};
  WidgetFixture f({table});
  for (int row = 0; row <= 350; row += 2)
    f.model.channels[static_cast<std::size_t>(row)].inhibited = true;
  f.model.NameUser(0);
  auto pane = f.Show("GI_Sheet_IntCh");
  EXPECT_EQ(pane->sheet().rowCount(), 1 + 352);
  EXPECT_TRUE(pane->titleBar()->isVisibleTo(pane.get()));
  EXPECT_EQ(pane->titleBar()->text(), "INT");
  f.model.usable = true;
  pane->Rebuild();
  EXPECT_EQ(pane->sheet().rowCount(), 1 + 175 + 1);
  EXPECT_EQ(pane->sheet().CellAt(1, 1).cell.index, 1);
  EXPECT_EQ(pane->titleBar()->text(), "INT (usable)");
}

TEST(SheetViewTest, AChoicePopupSetsTheValueOnEnterAndNothingOnEscape) {
  WidgetFixture f({{"GI_Sheet_T", "", kBasic, {"{SW(%CL_ComSet_Light)}wide value"}}});
  auto pane = f.Show("GI_Sheet_T");
  SheetView& sheetView = *pane->sheetView();
  QTest::keyClick(&sheetView, Qt::Key_Return);
  ChoicePopup* popup = sheetView.choicePopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->isVisible());
  EXPECT_EQ(popup->sheet().currentRow(), 1);  // the value's cell is selected first
  // The whole list, inside a border of its own.
  const QSize list(popup->sheet().TotalWidth(), popup->sheet().TotalHeight());
  const int border = ChoicePopup::kBorder;
  EXPECT_EQ(popup->size(), list + QSize(2 * border, 2 * border));
  EXPECT_EQ(popup->sheetView()->geometry(), QRect(QPoint(border, border), list));
  const QRect cell = sheetView.CellRect(0, 0);
  EXPECT_EQ(popup->pos(),
            sheetView.viewport()->mapToGlobal(QPoint(cell.left() + 8, cell.bottom() + 1)));
  QTest::keyClick(popup->sheetView(), Qt::Key_Down);
  QTest::keyClick(popup->sheetView(), Qt::Key_Return);
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(f.choice, 2);

  QTest::keyClick(&sheetView, Qt::Key_Return);
  popup = sheetView.choicePopup();
  ASSERT_NE(popup, nullptr);
  QTest::keyClick(popup->sheetView(), Qt::Key_Up);
  QTest::keyClick(popup->sheetView(), Qt::Key_Escape);
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(f.choice, 2);
}

TEST(SheetViewTest, AChoicePopupHasTheSheetsLettersAFrameAndEveryItemOnScreen) {
  WidgetFixture f({{"GI_Sheet_T",
                    "",
                    "{<-(Color=clWindow)(Font=,,clWindowText,-20,,,)}",
                    {"{SWH(%CL_ComSet_Light)}wide value"}}});
  f.services.fontSizePercentage = 150;
  auto pane = f.Show("GI_Sheet_T");
  SheetView& sheetView = *pane->sheetView();
  QTest::keyClick(&sheetView, Qt::Key_Return);
  ChoicePopup* popup = sheetView.choicePopup();
  ASSERT_NE(popup, nullptr);
  // The list's own entry asks for smaller letters than the sheet it opens from.
  EXPECT_EQ(popup->sheet().basicCell().font->height, -30);
  EXPECT_EQ(popup->sheet().basicCell().font->height, pane->sheet().basicCell().font->height);
  EXPECT_EQ(popup->sheet().RowHeight(0), pane->sheet().RowHeight(0));
  const QImage picture = popup->grab().toImage();
  const QColor frame = popup->palette().color(QPalette::Shadow);
  for (const QPoint corner : {QPoint(0, 0), QPoint(picture.width() - 1, picture.height() - 1)}) {
    EXPECT_EQ(picture.pixelColor(corner).rgb(), frame.rgb()) << corner.x() << "," << corner.y();
  }

  // Cells by every edge of the work area, also partly beyond it.
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QSize cell(80, 20);
  const QPoint places[] = {area.topLeft() - QPoint(40, 10), area.topRight() - QPoint(20, 0),
                           area.bottomLeft() - QPoint(0, 15), area.bottomRight() - QPoint(40, 10),
                           area.center()};
  const int last = popup->sheet().rowCount() - 1;
  for (const QPoint at : places) {
    SCOPED_TRACE(testing::Message() << at.x() << "," << at.y());
    popup->ShowAt(QRect(at, cell));
    EXPECT_TRUE(area.contains(popup->geometry()));
    const QRect lastItem = popup->sheetView()->CellRect(0, last);
    EXPECT_FALSE(lastItem.isEmpty());
    EXPECT_TRUE(popup->sheetView()->viewport()->rect().contains(lastItem));
  }
}

TEST(SheetViewTest, ClickingAHeadingSelectsItsColumn) {
  WidgetFixture f(
      {{"GI_Sheet_T",
        "(FixedRows=1)",
        kBasic,
        {"{WH}A|{WH}B|{WH}C", "{SWH(%Flex0[0])}a0|{SWH(%Flex0[1])}b0|{SWH(%Flex0[2])}c0",
         "{SWH(%Flex0[3])}a1|{SWH(%Flex0[4])}b1|-",
         "{SWH(%Flex0[5])}a2|{SWH(%Flex0[6])}b2|{SWH(%Flex0[7])}c2"}}});
  auto pane = f.Show("GI_Sheet_T");
  SheetView& sheetView = *pane->sheetView();
  const auto click = [&](int column, int row) {
    QTest::mouseClick(sheetView.viewport(), Qt::LeftButton, {},
                      sheetView.CellRect(column, row).center());
  };
  click(0, 3);
  ASSERT_EQ(Current(*pane), std::make_pair(0, 3));
  struct Case {
    int heading;
    std::pair<int, int> cursor;
  };
  // The row stays where the column has a cell to select, else the nearest row that has one.
  const Case cases[] = {{1, {1, 3}}, {2, {2, 3}}, {0, {0, 3}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.heading);
    click(c.heading, 0);
    EXPECT_EQ(Current(*pane), c.cursor);
    // Only the chosen column's heading stands out.
    const QImage shot = Shot(sheetView);
    const int other = (c.heading + 1) % 3;
    EXPECT_NE(PixelIn(sheetView, c.heading, 0, shot), PixelIn(sheetView, other, 0, shot));
    EXPECT_EQ(PixelIn(sheetView, other, 0, shot), PixelIn(sheetView, (c.heading + 2) % 3, 0, shot));
  }
  click(1, 2);
  click(2, 0);
  EXPECT_EQ(Current(*pane), std::make_pair(2, 1));
}

TEST(SheetViewTest, AKeystrokeRepaintsOnlyTheCellsThatChanged) {
  std::vector<std::string> cells = {"{W}Ch|{W}Name", ":(LoopFrom 60)",
                                    "{W(%Flex0[0])}000|{SW(%Flex0[0])}name", ":(LoopTo)"};
  WidgetFixture f({{"GI_Sheet_T", "(FixedRows=1)", kBasic, cells}});
  auto pane = f.Show("GI_Sheet_T", 400, 400);
  SheetView& sheetView = *pane->sheetView();
  Shot(sheetView);
  sheetView.TakePaintedCells();
  QTest::keyClick(&sheetView, 'z');  // the accessor notifies with cell link and index
  sheetView.repaint();
  const int painted = sheetView.TakePaintedCells();
  EXPECT_GE(painted, 1);
  EXPECT_LE(painted, 4);
}

TEST(SheetViewTest, TheWheelScrollsThreeVisibleRowsPerNotch) {
  // Every third row is one pixel high: the wheel does not count it.
  std::vector<std::string> cells = {"{WH}Head",          ":(LoopFrom 20)", "{SWH(%Flex0[0])}a",
                                    "{SWH(%Flex0[0])}b", "{S(%Flex0[0])}", ":(LoopTo)"};
  WidgetFixture f({{"GI_Sheet_T", "(FixedRows=1)", kBasic, cells}});
  auto pane = f.Show("GI_Sheet_T", 300, 200);
  SheetView& sheetView = *pane->sheetView();
  const auto wheel = [&](int notches) {
    const QPoint at = sheetView.viewport()->rect().center();
    QWheelEvent event(at, sheetView.viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(sheetView.viewport(), &event);
  };
  wheel(-1);
  EXPECT_EQ(pane->sheet().topRow(), 5);  // rows 2, 4, 5: row 3 is one pixel high
  wheel(-2);
  EXPECT_EQ(pane->sheet().topRow(), 14);
  wheel(5);
  EXPECT_EQ(pane->sheet().topRow(), 1);
  EXPECT_EQ(Current(*pane), (std::pair{0, 1}));  // the cursor stays
}

TEST(SheetDialogTest, ShowsItsSheetWithOneButtonWhileTheOwnerWaits) {
  WidgetFixture f({{"GI_Sheet_Info", "", kBasic, {"{WH}Model|{SWH(%Flex0[0])}RT-V612"}}});
  QMainWindow owner;
  owner.resize(600, 400);
  owner.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
  auto sheet = std::make_unique<ModelSheet>(f.services, f.model, f.overlay, "GI_Sheet_Info");
  SheetDialog dialog(std::move(sheet), f.viewServices, f.overlay, "Clone information", &owner);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_EQ(dialog.windowTitle(), "Clone information");
  EXPECT_EQ(dialog.button()->text(), "OK");
  EXPECT_TRUE(dialog.button()->isDefault());
  EXPECT_FALSE(owner.isEnabled());
  EXPECT_EQ(dialog.font().pixelSize(), 12);
  // Until the sheet view is focused its current cell shows in its own colours.
  SheetView& sheetView = *dialog.sheetView();
  EXPECT_EQ(PixelIn(sheetView, 1, 0, Shot(sheetView)), ToQColor(0x80000005));
  QTest::mouseClick(dialog.button(), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(owner.isEnabled());
}

}  // namespace
}  // namespace rtv
