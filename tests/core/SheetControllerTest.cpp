// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/SheetController.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "EditorAccess.h"
#include "FixedTextMetrics.h"
#include "ManualClock.h"
#include "MessageLog.h"
#include "SheetFixtures.h"
#include "base/MessageBus.h"
#include "overlay/OverlayText.h"
#include "radio/ItemAccessor.h"
#include "sheet/ModelSheet.h"
#include "sheet/SheetViewport.h"

namespace rtv {
namespace {

constexpr int kFlex0 = LinkNo("Flex0");
constexpr int kFlexMarking = LinkNo("CL_FlexMarking");
const char* const kBasic = "{<-(Font=,,clWindowText,-10,,,)}";

// Records what the sheet controller asks of its widget.
struct RecordingView : SheetViewport {
  void RedrawCell(int column, int row) override { redrawn.insert({column, row}); }
  void RedrawRow(int row) override { redrawnRows.insert(row); }
  void RedrawAll() override { ++fullRedraws; }
  void VisibleCells(int& lastColumn, int& lastRow) const override {
    lastColumn = visibleColumns;
    lastRow = visibleRows;
  }
  void ShowCell(int, int, bool, bool) override {}
  void OpenEditor(const std::string& text, int start, int length) override {
    editor = text + "@" + std::to_string(start) + "+" + std::to_string(length);
  }
  void CloseEditor(bool) override { editor.clear(); }
  bool EditorOpen() const override { return !editor.empty(); }
  bool HasFocus() const override { return true; }
  ChoicePopupHost* PopupHost() override { return nullptr; }
  void CurrentCellChanged() override { ++cellChanges; }
  void ChoiceMade() override { ++choices; }

  std::set<std::pair<int, int>> redrawn;
  std::set<int> redrawnRows;
  int fullRedraws = 0;
  int visibleColumns = 100;
  int visibleRows = 100;
  std::string editor;
  int cellChanges = 0;
  int choices = 0;
};

// One sheet with its sheet controller; the cells bound to Flex0 and CL_FlexMarking are served by
// the test's handler, which records every input.
struct ControllerFixture {
  struct Input {
    int cellLink;
    int index;
    CellKey key;
    std::int64_t at;
  };

  explicit ControllerFixture(std::vector<std::string> cells, const std::string& style = "") {
    overlay.SetLines(test::SheetOverlay({{"GI_Sheet_T", style, kBasic, std::move(cells)}}));
    accessor.Serve(LinkFamily::Special, [this](CellAccess& access) {
      CellRequest& r = access.request;
      r.displayText = "v" + std::to_string(access.cell.index);
      if (!r.key.IsNone() || r.commit != CellCommit::None) {
        inputs.push_back({access.cell.cellLink, access.cell.index, r.key, clock.NowMs()});
      }
      return handler ? handler(access) : AccessResult::Nothing;
    });
    sheet = std::make_unique<ModelSheet>(services, model, overlay, "GI_Sheet_T");
    sheet->Build();
    controller = std::make_unique<SheetController>(*sheet, view, &bus, &clock);
  }
  std::pair<int, int> Current() const { return {sheet->currentColumn(), sheet->currentRow()}; }

  OverlayText overlay;
  test::FixedTextMetrics metrics;
  test::FakeModelHost model;
  test::ManualClock clock;
  MessageBus bus{clock};
  ItemAccessor accessor;
  SheetServices services{overlay, metrics, [this](CellRequest& r, bool notify) {
                           return accessor.AccessCell(r, notify);
                         }};
  std::function<AccessResult(CellAccess&)> handler;
  std::vector<Input> inputs;
  std::unique_ptr<ModelSheet> sheet;
  RecordingView view;
  std::unique_ptr<SheetController> controller;
};

using Key = SheetController::NavigationKey;
constexpr CellKey kX = CellKey::Typed('x');

TEST(SheetControllerTest, ArrowsAtTheEndSendTheirKeyToTheCell) {
  ControllerFixture f({"a|b|c|{S(%Flex0[1])}d", "a|b|c|{S(%Flex0[2])}d"});
  ASSERT_EQ(f.Current(), (std::pair{3, 0}));
  f.controller->KeyDown(Key::Left);
  f.controller->KeyDown(Key::Right);
  ASSERT_EQ(f.inputs.size(), 2u);
  EXPECT_EQ(f.inputs[0].key, SpecialKey::Left);
  EXPECT_EQ(f.inputs[1].key, SpecialKey::Right);
  EXPECT_EQ(f.Current(), (std::pair{3, 0}));
  f.controller->KeyDown(Key::Down);
  EXPECT_EQ(f.Current(), (std::pair{3, 1}));
  f.controller->KeyDown(Key::Down, true);  // Ctrl+Down belongs to someone else
  f.controller->KeyDown(Key::Up, true);
  EXPECT_EQ(f.Current(), (std::pair{3, 1}));
  EXPECT_EQ(f.inputs.size(), 2u);
}

TEST(SheetControllerTest, CellKeysGoToTheCurrentCell) {
  ControllerFixture f({"a|{S(%Flex0[1])}b"});
  struct Case {
    CellKey key;
    bool sent;
  };
  const Case cases[] = {
      {CellKey::Function(1), true},
      {CellKey::Function(2), true},
      {CellKey::Function(12), true},
      {CellKey::Function(0), false},
      {CellKey::Function(13), false},
      {CellKey::Typed('k'), true},
      {CellKey::Typed('\x7F'), false},
      {SpecialKey::Backspace, true},
      {CellKey(), false},
  };
  for (const Case& c : cases) {
    f.inputs.clear();
    f.controller->KeyDown(c.key);
    ASSERT_EQ(f.inputs.size(), c.sent ? 1u : 0u) << c.key;
    if (c.sent) {
      EXPECT_EQ(f.inputs[0].key, c.key);
    }
  }
  EXPECT_EQ(CellKey::Function(1), SpecialKey::F1);
  EXPECT_EQ(CellKey::Function(12), SpecialKey::F12);
}

TEST(SheetControllerTest, CursorStepsFindTheNextSelectableCell) {
  // Columns:          0     1      2     3
  ControllerFixture f({"{S}a|b|{S}c|d",  //
                       "e|f|g|h",        //
                       "i|{S}j|k|{S}l",  //
                       "m|n|o|p",        //
                       "{S}q|r|s|t"});
  struct Case {
    std::vector<Key> keys;
    std::pair<int, int> at;
  };
  const Case cases[] = {
      {{Key::Right}, {2, 0}},
      {{Key::Right, Key::Right}, {3, 2}},  // no cell ahead: the next column's
      {{Key::Down}, {0, 4}},               // straight down over the empty rows
      {{Key::Right, Key::Down}, {1, 2}},   // nearest column, ties to the lower one
      {{Key::PageDown}, {0, 4}},           // stops at the last reachable row
      {{Key::PageDown, Key::PageUp}, {0, 0}},
      {{Key::Right, Key::Right, Key::Up}, {2, 0}},  // nearest column to the last step
      {{Key::Home, Key::End}, {2, 0}},              // the ends of the row: the last selectable cell
  };
  for (const Case& c : cases) {
    f.sheet->SetCurrent(0, 0);
    f.controller = std::make_unique<SheetController>(*f.sheet, f.view, &f.bus, &f.clock);
    for (Key key : c.keys) f.controller->KeyDown(key);
    EXPECT_EQ(f.Current(), c.at) << "after " << c.keys.size() << " keys";
  }
}

TEST(SheetControllerTest, AnEmbeddedSheetWrapsAround) {
  ControllerFixture f({"{S(%Flex0[0])}a", "{S(%Flex0[1])}b", "c"});
  f.sheet->SetEmbedded(true);
  f.controller->KeyDown(Key::Up);
  EXPECT_EQ(f.Current(), (std::pair{0, 1}));
  f.controller->KeyDown(Key::Down);
  EXPECT_EQ(f.Current(), (std::pair{0, 0}));
  const Cell* chosen = nullptr;
  Cell copy;
  f.controller->onChoose = [&](const Cell& cell) {
    copy = cell;
    chosen = &copy;
  };
  f.controller->KeyDown(SpecialKey::Enter);
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->index, 0);
  EXPECT_EQ(f.view.choices, 1);
  EXPECT_TRUE(f.inputs.empty());  // an embedded sheet never edits its own cells
}

TEST(SheetControllerTest, RowTrackCellsFollowTheirSelectableCell) {
  ControllerFixture f({"{S(%Flex0[0])}a|{T}b|{T}c|d|{T}e", "{S(%Flex0[1])}f|{T}g|h|i|j"});
  EXPECT_TRUE(f.controller->IsSelected(1, 0));
  EXPECT_TRUE(f.controller->IsSelected(2, 0));
  EXPECT_FALSE(f.controller->IsSelected(3, 0));
  EXPECT_FALSE(f.controller->IsSelected(4, 0));  // its run ends at a plain cell
  EXPECT_FALSE(f.controller->IsSelected(1, 1));
  f.controller->LeftDown(2, 1);  // not a row-track cell there: nothing happens
  EXPECT_EQ(f.Current(), (std::pair{0, 0}));
  f.controller->LeftDown(1, 1);
  f.controller->LeftUp(1, 1);
  EXPECT_EQ(f.Current(), (std::pair{0, 1}));
  EXPECT_TRUE(f.controller->IsSelected(1, 1));
  f.controller->DoubleClick(1, 1);  // on the current cell: activate
  ASSERT_EQ(f.inputs.size(), 1u);
  EXPECT_EQ(f.inputs[0].key, SpecialKey::Enter);  // the accessor reads Activate as Enter
}

TEST(SheetControllerTest, TheEditorOpensOnlyOnStartEdit) {
  ControllerFixture f({"{S(%Flex0[4])}a"});
  for (const AccessResult result : {kNothing, kPopupOpened, kStartEdit}) {
    f.handler = [result](CellAccess& access) {
      access.request.displayText = "text";
      access.request.selectionStart = 1;
      access.request.selectionLength = 2;
      return result;
    };
    f.view.editor.clear();
    EXPECT_EQ(f.controller->SendToCell(0, 0, kX), result);
    EXPECT_EQ(f.view.editor, result == kStartEdit ? "text@1+2" : "") << result;
  }
  // A committed text goes without a key.
  f.handler = nullptr;
  f.controller->CommitEditText("hello");
  EXPECT_EQ(f.inputs.back().key, CellKey());
}

TEST(SheetControllerTest, ForwardedKeysAreReplayedWithShorteningPauses) {
  ControllerFixture f({"{S(%Flex0[0])}a|{S(%Flex0[1])}b"});
  int forwards = 0;
  f.handler = [&](CellAccess& access) {
    if (forwards < 7) {
      ++forwards;
      access.request.redirected = true;
      access.request.servedIndex = 1 - access.cell.index;
      access.request.forwardedKey = access.request.key;
    }
    return AccessResult::Nothing;
  };
  f.controller->SendToCell(0, 0, kX);
  f.clock.Advance(1000);
  std::vector<std::int64_t> pauses;
  for (std::size_t i = 1; i < f.inputs.size(); ++i) {
    pauses.push_back(f.inputs[i].at - f.inputs[i - 1].at);
  }
  EXPECT_EQ(pauses, (std::vector<std::int64_t>{30, 24, 18, 12, 6, 0, 0}));
  EXPECT_EQ(f.inputs.back().key, kX);
  EXPECT_EQ(f.Current(), (std::pair{1, 0}));  // the redirections moved the cursor
}

TEST(SheetControllerTest, AnEndlessForwardStops) {
  ControllerFixture f({"{S(%Flex0[0])}a"});
  f.handler = [](CellAccess& access) {
    access.request.forwardedKey = CellKey::Typed('y');
    return AccessResult::Nothing;
  };
  f.controller->SendToCell(0, 0, kX);
  f.clock.Advance(10000);
  EXPECT_EQ(f.inputs.size(), 1u + SheetController::kMaxForwards);
}

TEST(SheetControllerTest, LineMarkingHighlightsWholeRowsButFixedColumns) {
  ControllerFixture f({"H|H|H", "1|{S(%Flex0[1])}a|{S(%Flex0[1])}b",
                       "2|{S(%Flex0[2])}c|{S(%Flex0[2])}d", "3|{S(%Flex0[3])}e|{S(%Flex0[3])}f"},
                      "(FixedRows=1)(FixedCols=1)(MultiSelect=Line)");
  ASSERT_EQ(f.Current(), (std::pair{1, 1}));
  f.controller->LeftDown(2, 2);
  f.controller->LeftUp(2, 2);
  const auto selectedRow = [&](int row) {
    std::string marks;
    for (int c = 0; c < 3; ++c) marks += f.controller->IsSelected(c, row) ? 'x' : '.';
    return marks;
  };
  EXPECT_EQ(selectedRow(1), "...");
  EXPECT_EQ(selectedRow(2), ".xx");
  EXPECT_FALSE(f.controller->markingActive());
  // Shift extends from the anchor; the range goes with every input.
  f.controller->SetShift(true);
  f.controller->KeyDown(Key::Down);
  f.controller->SetShift(false);
  EXPECT_EQ(selectedRow(2), ".xx");
  EXPECT_EQ(selectedRow(3), ".xx");
  EXPECT_TRUE(f.controller->markingActive());
  CellRequest request = f.controller->MakeRequest(2, 3);
  EXPECT_EQ(request.rangeFlags & CellRequest::kRangeSelected, CellRequest::kRangeSelected);
  EXPECT_EQ(request.rangeFirst, 2);
  EXPECT_EQ(request.rangeLast, 3);
  // A popup opened by the accessor clears the marks.
  f.handler = [](CellAccess&) { return AccessResult::PopupOpened; };
  f.controller->SendToCell(2, 3, SpecialKey::Enter);
  EXPECT_FALSE(f.controller->markingActive());
  EXPECT_EQ(selectedRow(2), "...");
}

TEST(SheetControllerTest, ARebuildWithFewerRowsForgetsTheMarks) {
  ControllerFixture f({":(Only_EurModel 2)", "{S(%Flex0[5])}x", "{S(%Flex0[6])}y",
                       "{S(%Flex0[1])}a", "{S(%Flex0[2])}b"},
                      "(MultiSelect=Cell)");
  ASSERT_EQ(f.sheet->rowCount(), 2);  // model 0: the first two rows are left out
  f.model.modelType = 2;
  f.sheet->Build();
  f.controller->SheetRebuilt();
  f.sheet->SetCurrent(0, 3);
  f.controller->SetShift(true);
  f.controller->KeyDown(Key::Up);
  f.controller->SetShift(false);
  ASSERT_TRUE(f.controller->markingActive());
  EXPECT_EQ(f.controller->anchorRow(), 3);
  f.model.modelType = 0;
  f.sheet->Build();
  f.controller->SheetRebuilt();
  EXPECT_FALSE(f.controller->markingActive());
  f.controller->SendToCell(0, 1, kX);  // no range from rows that are gone
  EXPECT_EQ(f.inputs.back().index, 2);
}

TEST(SheetControllerTest, ARangeLeftByTheAccessorIsMarkedAgain) {
  ControllerFixture f({"{S(%Flex0[0])}a", "{S(%Flex0[1])}b", "{S(%Flex0[2])}c", "{S(%Flex0[3])}d"},
                      "(MultiSelect=Cell)");
  f.handler = [](CellAccess& access) {
    access.request.rangeFlags |= CellRequest::kRangeReselect;
    access.request.rangeFirst = 1;
    access.request.rangeLast = 2;
    return AccessResult::Nothing;
  };
  f.sheet->SetCurrent(0, 1);
  f.controller->SendToCell(0, 1, SpecialKey::Enter);
  std::string marks;
  for (int r = 0; r < 4; ++r) marks += f.sheet->CellAt(0, r).marked ? 'x' : '.';
  EXPECT_EQ(marks, ".xx.");
  EXPECT_EQ(f.controller->anchorRow(), 2);
}

TEST(SheetControllerTest, ChangedNotificationCriteria) {
  const auto cell = [](int type, int cellLink, int index) {
    Cell c;
    c.cellType = type;
    c.cellLink = cellLink;
    c.index = index;
    return c;
  };
  constexpr int kNone = kCellTypeNone;
  constexpr int kNoLink = kCellLinkNone;
  struct Case {
    int flags;
    Cell changed;
    Cell other;
    bool redrawn;
  };
  const Case cases[] = {
      {0x01, cell(2, 5, 7), cell(3, 5, 7), true},
      {0x01, cell(2, 5, 7), cell(2, 5, 8), false},
      {0x02, cell(2, 5, 7), cell(2, 9, 1), true},
      {0x04, cell(2, 5, 7), cell(4, 5, 1), true},
      {0x08, cell(2, 5, 7), cell(4, 9, 7), true},
      {0x08, cell(kNone, 5, 7), cell(4, 9, 7), false},  // the changed cell has no type
      {0x08, cell(2, 5, 7), cell(4, kNoLink, 7), false},
      {0x10, cell(2, 5, 7), cell(2, 9, 8), true},
      {0x10, cell(2, 5, 7), cell(2, 9, 9), false},
      {0x10, cell(2, 5, 7), cell(3, 9, 6), false},
      {0x20, cell(kNone, 5, 7), cell(0, 1, 0), true},
      {0x20, cell(2, 5, 7), cell(2, kNoLink, 7), false},
      {0x40, cell(2, 5, 7), cell(0, 1, 7), true},
      {0x40, cell(2, 5, 7), cell(0, 1, 6), false},
      {0x80, cell(2, 5, 7), cell(0, 1, 6), true},
      {0x80, cell(2, 5, 7), cell(0, 1, 8), false},
      {0x00, cell(2, 5, 7), cell(2, 5, 7), false},
  };
  int n = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(SheetController::MeetsCriteria(c.flags, c.changed, c.other), c.redrawn)
        << "case " << n;
    ++n;
  }
}

TEST(SheetControllerTest, AnInputRedrawsOnlyWhatChanged) {
  ControllerFixture f(
      {"{S(%Flex0[0])}a|{S(%Flex0[1])}b|c", "{S(%Flex0[1])}d|{S(%CL_FlexMarking[1])}e|f"});
  f.controller->SendToCell(0, 0,
                           kX);  // the accessor notifies with flags 1: same cell link and index
  EXPECT_EQ(f.view.redrawn, (std::set<std::pair<int, int>>{{0, 0}}));
  EXPECT_EQ(f.view.fullRedraws, 0);

  f.view.redrawn.clear();
  f.bus.Send(msg::RedrawIndex{1});
  EXPECT_EQ(f.view.redrawn, (std::set<std::pair<int, int>>{{1, 0}, {0, 1}, {1, 1}}));
  f.view.redrawn.clear();
  f.bus.Send(msg::RedrawLink{kFlexMarking});
  EXPECT_EQ(f.view.redrawn, (std::set<std::pair<int, int>>{{1, 1}}));
  f.view.redrawn.clear();
  f.view.visibleRows = 0;  // only the first row shows
  f.bus.Send(msg::DataChanged{});
  EXPECT_EQ(f.view.redrawn, (std::set<std::pair<int, int>>{{0, 0}, {1, 0}}));
}

TEST(SheetControllerTest, UserWidthsStayWithinBounds) {
  ControllerFixture f({"{W}Fixed|{S}a|b"}, "(FixedCols=1)");
  struct Case {
    int column;
    int width;
    int client;
    int want;
  };
  for (const Case& c : {Case{1, 5, 800, 10}, Case{1, 700, 2000, 650}, Case{1, 300, 200, 152},
                        Case{1, 300, 30, 10}, Case{2, 3, 800, 3}}) {
    EXPECT_EQ(f.controller->UserColumnWidth(c.column, c.width, c.client), c.want) << c.width;
    EXPECT_EQ(f.sheet->ColumnWidth(c.column), c.want);
  }
}

TEST(SheetControllerTest, FittedWidthMeasuresHeadingsAndShownValues) {
  ControllerFixture f({"Heading", "{S(%Flex0[1])}", "{S(%Flex0[12345678])}"}, "(FixedRows=1)");
  EXPECT_EQ(f.controller->FittedColumnWidth(0), 9 * 8 + 8);  // "v12345678"
  ControllerFixture heading({"Long heading", "{S(%Flex0[1])}"}, "(FixedRows=1)");
  EXPECT_EQ(heading.controller->FittedColumnWidth(0), 12 * 8 + 8);
}

TEST(SheetControllerTest, SelectingPostsTheNewCell) {
  ControllerFixture f({"{S(%Flex0[0])}a", "{S(%Flex0[9])}b"});
  test::MessageLog log(f.bus);
  f.controller->KeyDown(Key::Down);
  EXPECT_EQ(log.Count<msg::CurrentCellChanged>(), 0);  // posted
  f.clock.Advance(10);
  const std::vector<msg::CurrentCellChanged> seen = log.Of<msg::CurrentCellChanged>();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].cellLink, kFlex0);
  EXPECT_EQ(seen[0].index, 9);
  EXPECT_EQ(f.view.cellChanges, 1);
  EXPECT_EQ(f.view.redrawnRows, (std::set<int>{0, 1}));
}

}  // namespace
}  // namespace rtv
