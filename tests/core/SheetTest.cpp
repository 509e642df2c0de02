// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/Sheet.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FixedTextMetrics.h"
#include "MemorySettingsStore.h"
#include "SheetFixtures.h"
#include "cells/CellNames.h"
#include "overlay/OverlayText.h"
#include "sheet/ModelSheet.h"

namespace rtv {
namespace {

constexpr int kFlex0 = LinkNo("Flex0");
constexpr int kChNo = LinkNo("CL_ChList_No_INT");

const char* const kBasic = "{<-(Font=DEFAULT_CHARSET,,clWindowText,-10,,,)}";

struct SheetFixture {
  explicit SheetFixture(std::vector<test::SheetEntries> sheets,
                        std::vector<std::string> widthList = {}) {
    overlay.SetLines(test::SheetOverlay(sheets, widthList));
  }
  std::unique_ptr<ModelSheet> Build(const std::string& descriptor, int cellLink = 0,
                                    int index = 0) {
    auto sheet =
        std::make_unique<ModelSheet>(services, model, overlay, descriptor, cellLink, index);
    sheet->Build();
    return sheet;
  }
  OverlayText overlay;
  test::FixedTextMetrics metrics{8};
  test::MemorySettingsStore widths;
  test::FakeModelHost model;
  SheetServices services{overlay, metrics, nullptr, &widths, 100};
};

std::vector<int> RowLines(const Sheet& sheet) {
  std::vector<int> lines;
  for (const SheetRow& row : sheet.rows()) lines.push_back(row.line);
  return lines;
}

std::vector<std::vector<int>> Indexes(Sheet& sheet) {
  std::vector<std::vector<int>> rows;
  for (int r = 0; r < sheet.rowCount(); ++r) {
    std::vector<int>& row = rows.emplace_back();
    for (int c = 0; c < sheet.columnCount(); ++c) row.push_back(sheet.CellAt(c, r).cell.index);
  }
  return rows;
}

TEST(SheetDescriptorTest, SplitsTagKeyAndParameter) {
  struct Case {
    const char* text;
    const char* key;
    const char* parameter;
  };
  for (const Case& c :
       {Case{"GI_Sheet_A", "GI_Sheet_A", ""}, Case{"[3]GI_Sheet_A,x,y", "GI_Sheet_A", "x,y"},
        Case{"GI_Sheet_A,[p]", "GI_Sheet_A", "[p]"}, Case{"[t]GI_Sheet_B", "GI_Sheet_B", ""}}) {
    const SheetDescriptor d = SheetDescriptor::Parse(c.text);
    EXPECT_EQ(d.key, c.key) << c.text;
    EXPECT_EQ(d.parameter, c.parameter) << c.text;
  }
}

TEST(SheetBuildTest, FixedRowsAndColumnsStayInsideTheSheet) {
  struct Case {
    const char* style;
    int fixedColumns;
    int fixedRows;
  };
  for (const Case& c : {Case{"(FixedRows=5)(FixedCols=1)", 1, 2},
                        Case{"(FixedRows=1)(FixedCols=9)", 1, 1}, Case{"(FixedRows=-3)", 0, 0}}) {
    SheetFixture f({{"GI_Sheet_T", c.style, kBasic, {"A|{S}B", "C|{S}D", "E|{S}F"}}});
    auto sheet = f.Build("GI_Sheet_T");
    EXPECT_EQ(sheet->fixedRows(), c.fixedRows) << c.style;
    EXPECT_EQ(sheet->fixedColumns(), c.fixedColumns) << c.style;
  }
}

TEST(SheetBuildTest, RowBlocksRepeatTheirBody) {
  struct Case {
    const char* name;
    std::vector<std::string> cells;
    std::vector<int> lines;
  };
  const Case cases[] = {
      {"count 0 is 1", {"Head", ":(LoopFrom 0)", "Body", ":(LoopTo)", "Tail"}, {0, 2, 4}},
      {"count 1 adds nothing", {":(LoopFrom 1)", "Body", ":(LoopTo)"}, {1}},
      {"two-line body three times",
       {":(LoopFrom 3)", "A", "B", ":(LoopTo)", "C"},
       {1, 2, 1, 2, 1, 2, 4}},
      {"an empty line is a row", {"A", "", "B"}, {0, 1, 2}},
      {"the entry ends at the first #", {"A", "#x", "B"}, {0}},
  };
  for (const Case& c : cases) {
    SheetFixture f({{"GI_Sheet_T", "", kBasic, c.cells}});
    auto sheet = f.Build("GI_Sheet_T");
    EXPECT_EQ(RowLines(*sheet), c.lines) << c.name;
  }
}

TEST(SheetBuildTest, AOneLineBodyNumbersItsCopies) {
  SheetFixture f(
      {{"GI_Sheet_T",
        "",
        kBasic,
        {":(LoopFrom 4)", "{S(%Flex0[1])}a|{(%Flex0[5])}b|{(%Flex0[9])}c", ":(LoopTo)"}}});
  auto sheet = f.Build("GI_Sheet_T");
  EXPECT_EQ(Indexes(*sheet),
            (std::vector<std::vector<int>>{{1, 5, 9}, {2, 6, 10}, {3, 7, 11}, {4, 8, 12}}));
  EXPECT_EQ(sheet->CellAt(1, 3).cell.cellLink, kFlex0);
  EXPECT_EQ(*sheet->CellAt(2, 3).cell.text, "c");
}

TEST(SheetBuildTest, MultiLineBodiesNumberWithCounters) {
  SheetFixture f(
      {{"GI_Sheet_T",
        "",
        kBasic,
        {":(LoopFrom 2)", "{(@ch1++)(%Flex0[@ch1])}x", "{(%Flex0[@ch1])}y", ":(LoopTo)"}}});
  auto sheet = f.Build("GI_Sheet_T");
  EXPECT_EQ(Indexes(*sheet), (std::vector<std::vector<int>>{{1}, {1}, {2}, {2}}));
}

TEST(SheetBuildTest, SelectStateDecidesTheMultiSelectBit) {
  SheetFixture f({{"GI_Sheet_T",
                   "(MultiSelect=Line)",
                   kBasic,
                   {"{S}a", ":(SelectOFF)", "{S}b", "{S}c", ":(SelectON)", "{S}d"}}});
  auto sheet = f.Build("GI_Sheet_T");
  std::vector<bool> bits;
  for (int r = 0; r < sheet->rowCount(); ++r) bits.push_back(sheet->CellAt(0, r).multiSelect);
  EXPECT_EQ(bits, (std::vector<bool>{true, false, false, true}));
  EXPECT_EQ(sheet->multiSelect(), Sheet::MultiSelect::Line);

  SheetFixture none({{"GI_Sheet_T", "(MultiSelect=Rows)", kBasic, {"{S}a"}}});
  EXPECT_FALSE(none.Build("GI_Sheet_T")->CellAt(0, 0).multiSelect);
}

TEST(SheetBuildTest, StyleItems) {
  SheetFixture f({{"GI_Sheet_T",
                   "(TitleString=Channels)(TitleColor=clRed)(TitleFont=,,clBlue,-20,,fsBold,)"
                   "(NoPrint)(ColSizing)(ColorSelectLine)(PrintFontRatio=80)(Unknown=1)",
                   kBasic,
                   {"{S}a"}},
                  {"GI_Sheet_E", "(TitleString=)(TitleColor=noSuchColour)", kBasic, {"{S}a"}}});
  auto sheet = f.Build("GI_Sheet_T");
  EXPECT_EQ(sheet->TitleText(), "Channels");
  EXPECT_EQ(sheet->titleColour(), 0x0000FFu);
  ASSERT_TRUE(sheet->titleFont());
  EXPECT_EQ(sheet->titleFont()->height, -20);
  EXPECT_FALSE(sheet->CanPrint());
  EXPECT_TRUE(sheet->columnSizing());
  EXPECT_TRUE(sheet->colourSelectLine());
  EXPECT_EQ(sheet->printFontRatio(), 80);

  auto empty = f.Build("GI_Sheet_E");
  EXPECT_FALSE(empty->title());  // no title bar
  EXPECT_EQ(empty->titleColour(), ToColourValue(SystemColour::GreyText));
  EXPECT_TRUE(empty->CanPrint());
}

TEST(SheetBuildTest, FittingCellsSizeTheirColumnAndRow) {
  SheetFixture f(
      {{"GI_Sheet_T", "", kBasic, {"{W}abc|{H}x|{WH(Font=,,,-20,,,)}ab\\nc", "{W}abcdef|b|c"}}});
  f.services.fontSizePercentage = 150;  // the basic font becomes 15 pixels high
  auto sheet = f.Build("GI_Sheet_T");
  EXPECT_EQ(sheet->basicCell().font->height, -15);
  EXPECT_EQ(sheet->ColumnWidth(0), 6 * 8 + 8);
  EXPECT_EQ(sheet->ColumnWidth(1), 1);  // nothing fits it
  EXPECT_EQ(sheet->ColumnWidth(2), 2 * 8 + 8);
  EXPECT_EQ(sheet->RowHeight(0), 2 * 20 + 2);  // the cell's own font, two lines
  EXPECT_EQ(sheet->RowHeight(1), 1);
  EXPECT_EQ(sheet->TotalWidth(), 56 + 1 + 24);
}

TEST(SheetBuildTest, TheCursorStartsOnTheFirstSelectableCell) {
  SheetFixture f(
      {{"GI_Sheet_T",
        "(FixedRows=1)",
        kBasic,
        {"Head|Head|Head", "a|b|{S(%Flex0[7])}c", "{S(%Flex0[8])}d|e|{S(%Flex0[9])}f"}}});
  auto sheet = f.Build("GI_Sheet_T");
  EXPECT_EQ(sheet->currentColumn(), 2);
  EXPECT_EQ(sheet->currentRow(), 1);
  EXPECT_EQ(sheet->firstSelectableColumn(), 0);
  EXPECT_EQ(sheet->firstSelectableRow(), 1);
  EXPECT_TRUE(sheet->inputEnabled());

  auto initial = f.Build("GI_Sheet_T", kFlex0, 9);
  EXPECT_EQ(initial->currentColumn(), 2);
  EXPECT_EQ(initial->currentRow(), 2);
}

TEST(SheetBuildTest, RestoresARememberedSelectablePosition) {
  SheetFixture f({{"GI_Sheet_T", "", kBasic, {"{S}a|b", "{S}c|{S}d", "{S}e|f"}}});
  struct Case {
    int column;
    int row;
    int wantColumn;
    int wantRow;
  };
  for (const Case& c : {Case{1, 1, 1, 1}, Case{1, 2, 0, 0}, Case{5, 1, 0, 0}}) {
    ModelSheet sheet(f.services, f.model, f.overlay, "GI_Sheet_T", kFlex0, 0);
    sheet.SetRememberedPosition(c.column, c.row, 0, 1);
    sheet.Build();
    EXPECT_EQ(sheet.currentColumn(), c.wantColumn) << c.column << "," << c.row;
    EXPECT_EQ(sheet.currentRow(), c.wantRow) << c.column << "," << c.row;
  }
}

TEST(SheetBuildTest, ASheetWithoutSelectableCellsTakesNoInput) {
  SheetFixture f({{"GI_Sheet_T", "", kBasic, {"a|b"}}});
  EXPECT_FALSE(f.Build("GI_Sheet_T")->inputEnabled());
}

TEST(SheetBuildDeathTest, NoColumnsOrRowsIsFatal) {
  for (const std::vector<std::string>& cells :
       {std::vector<std::string>{""}, std::vector<std::string>{}}) {
    SheetFixture f({{"GI_Sheet_T", "", kBasic, cells}});
    EXPECT_EXIT(f.Build("GI_Sheet_T"), ::testing::ExitedWithCode(3), "Illegal Cell assign");
  }
}

TEST(SheetBuildDeathTest, ACellOutsideTheSheetIsFatal) {
  SheetFixture f({{"GI_Sheet_T", "", kBasic, {"{S}a|b"}}});
  auto sheet = f.Build("GI_Sheet_T");
  EXPECT_EXIT(sheet->CellAt(2, 0), ::testing::ExitedWithCode(3), "Illegal Cell selection");
  EXPECT_EXIT(sheet->CellAt(0, -1), ::testing::ExitedWithCode(3), "Illegal Cell selection");
  ModelSheet unbuilt(f.services, f.model, f.overlay, "GI_Sheet_T");
  EXPECT_EXIT(unbuilt.CellAt(0, 0), ::testing::ExitedWithCode(3), "Illegal Cell selection");
}

TEST(SheetWidthsTest, ListedSheetsRememberTheWidthsOfSelectableColumns) {
  SheetFixture f({{"GI_Sheet_T", "(FixedRows=1)", kBasic, {"{W}Head|{W}H|{W}H", "{S}a|b|{SW}c"}},
                  {"GI_Sheet_U", "", kBasic, {"{SW}abc"}}},
                 {"GI_Sheet_T:Tee", "GI_Sheet_V:Vee"});
  const std::string group = "Display/Tee/colwidth";
  f.widths.WriteInt(group, "0", 120);
  f.widths.WriteInt(group, "1", 130);  // column 1 is not selectable: not read
  f.widths.WriteInt(group, "2", 4);    // below the least width
  auto sheet = f.Build("GI_Sheet_T");
  EXPECT_EQ(sheet->ColumnWidth(0), 120);
  EXPECT_EQ(sheet->ColumnWidth(1), 16);
  EXPECT_EQ(sheet->ColumnWidth(2), 10);
  EXPECT_EQ(f.widths.ReadInt(group, "2"), 10);  // saved back

  f.widths.WriteInt("Display/Vee/colwidth", "0", 1);
  sheet->SetResetWidths(true);
  sheet->Build();
  EXPECT_EQ(sheet->ColumnWidth(0), 40);  // as computed
  EXPECT_EQ(f.widths.ReadInt(group, "0"), 40);
  EXPECT_FALSE(f.widths.HasGroup("Display/Vee/colwidth"));

  // An unlisted sheet neither reads nor writes.
  const auto before = f.widths.values;
  f.widths.WriteInt("Display/GI_Sheet_U/colwidth", "0", 300);
  auto unlisted = f.Build("GI_Sheet_U");
  EXPECT_EQ(unlisted->ColumnWidth(0), 32);
  f.widths.values.erase("Display/GI_Sheet_U/colwidth/0");
  EXPECT_EQ(f.widths.values, before);
}

TEST(SheetWidthsTest, AnEmbeddedSheetKeepsItsComputedWidths) {
  SheetFixture f({{"GI_Sheet_T", "", kBasic, {"{SW}abc"}}}, {"GI_Sheet_T:Tee"});
  f.widths.WriteInt("Display/Tee/colwidth", "0", 200);
  ModelSheet sheet(f.services, f.model, f.overlay, "GI_Sheet_T");
  sheet.SetEmbedded(true);
  sheet.Build();
  EXPECT_EQ(sheet.ColumnWidth(0), 32);
  EXPECT_EQ(f.widths.ReadInt("Display/Tee/colwidth", "0"), 200);
}

TEST(ModelSheetTest, FalseConditionsSkipTheirLines) {
  struct Case {
    const char* item;
    int modelType;
    std::uint8_t regions;
    std::vector<int> lines;
  };
  const std::vector<std::string> cells = {"A", ":(X 2)", ":(SelectOFF)", "B", "C"};
  const Case cases[] = {
      {"Only_UsaModel", 0, 0, {0, 3, 4}},
      {"Only_UsaModel", 2, 0, {0, 4}},  // the control line is one of the two skipped
      {"Only_EurModel", 2, 0, {0, 3, 4}},
      {"Only_UsaAusExpModel", 6, 0, {0, 3, 4}},
      {"Only_UkHolChnModel", 4, 0, {0, 4}},
      {"OnlyUsaCh", 0, 0x01, {0, 3, 4}},
      {"OnlyCanCh", 0, 0x01, {0, 4}},
      {"OnlyWxCh", 0, 0x02, {0, 3, 4}},
      {"OnlyOption", 0, 0xFF, {0, 4}},
      {"OnlyOpt2", 0, 0xFF, {0, 4}},
      {"Unknown", 0, 0, {0, 3, 4}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = cells;
    lines[1] = std::string(":(") + c.item + " 2)";
    SheetFixture f({{"GI_Sheet_T", "", kBasic, lines}});
    f.model.modelType = c.modelType;
    f.model.regions = c.regions;
    auto sheet = f.Build("GI_Sheet_T");
    EXPECT_EQ(RowLines(*sheet), c.lines) << c.item << " model " << c.modelType;
  }
}

TEST(ModelSheetTest, UsableTitleOnlyInTheUsableView) {
  SheetFixture f({{"GI_Sheet_T", "(TitleString=INT)(WithUsable)", kBasic, {"{S}a"}}});
  auto full = f.Build("GI_Sheet_T");
  EXPECT_EQ(full->TitleText(), "INT");
  EXPECT_FALSE(full->titleFont());
  f.model.usable = true;
  auto usable = f.Build("GI_Sheet_T");
  EXPECT_EQ(usable->TitleText(), "INT (usable)");
  ASSERT_TRUE(usable->titleFont());
  EXPECT_EQ(usable->titleFont()->height, -20);
}

// A channel table shaped like the program's: a heading row and a one-line loop body.
test::SheetEntries ChannelTable(const char* key) {
  return {
      key,
      "(FixedRows=1)(FixedCols=1)",
      "{(%CT_IntCh.)<-(Font=,,clWindowText,-10,,,)}",
      {"No.|Use|Name", ":(LoopFrom)",
       "{(%CL_ChList_No_INT[0])}|{S(%CL_ChList_Atr[0])}|{S(%CL_ChList_Comment[0])}", ":(LoopTo)"}};
}

std::vector<int> RowChannels(Sheet& sheet) {
  std::vector<int> channels;
  for (int r = 1; r < sheet.rowCount(); ++r) channels.push_back(sheet.CellAt(0, r).cell.index);
  return channels;
}

TEST(ModelSheetTest, TheFullViewListsPlanChannelsAndNamedUserChannels) {
  SheetFixture f({ChannelTable("GI_Sheet_IntCh")});
  for (int user : {0, 3, 7, 40, 69}) f.model.NameUser(user);
  EXPECT_EQ(f.Build("GI_Sheet_IntCh")->rowCount(), 1 + 356);
  f.model.channels[360].pChannel = true;  // unnamed, but the region's P channel
  auto sheet = f.Build("GI_Sheet_IntCh");
  ASSERT_EQ(sheet->rowCount(), 1 + 351 + 6);
  const std::vector<int> channels = RowChannels(*sheet);
  EXPECT_EQ(channels[350], 350);
  EXPECT_EQ(std::vector<int>(channels.begin() + 351, channels.end()),
            (std::vector<int>{351, 354, 358, 360, 391, 420}));
  EXPECT_EQ(sheet->CellAt(2, 354).cell.index, 358);  // every column follows
  EXPECT_EQ(sheet->CellAt(0, 1).cell.cellLink, kChNo);
}

TEST(ModelSheetTest, TheUsableViewListsUsableChannelsInOrder) {
  SheetFixture f({ChannelTable("GI_Sheet_IntCh_Usable")});
  f.model.usable = true;
  for (int row = 0; row <= 350; ++row)
    f.model.channels[static_cast<std::size_t>(row)].inhibited = row % 3 != 0;
  f.model.channels[4].cChannel = true;  // inhibited, but the region's C channel
  f.model.NameUser(1);
  f.model.NameUser(2);
  f.model.channels[353].inhibited = true;
  auto sheet = f.Build("GI_Sheet_IntCh_Usable");
  const std::vector<int> channels = RowChannels(*sheet);
  ASSERT_EQ(channels.size(), 117u + 1 + 1);
  EXPECT_EQ(std::vector<int>(channels.begin(), channels.begin() + 4),
            (std::vector<int>{0, 3, 4, 6}));
  EXPECT_EQ(channels.back(), 352);

  // Switching the view and rebuilding changes the rows.
  f.model.usable = false;
  sheet->Build();
  EXPECT_EQ(sheet->rowCount(), 1 + 351 + 2);
  EXPECT_EQ(sheet->CellAt(1, 3).cell.index, 2);
}

TEST(ModelSheetTest, OnlyTheChannelTablesRenumberTheirRows) {
  SheetFixture f({ChannelTable("GI_Sheet_DscCh")});
  f.model.usable = true;
  f.model.channels[0].inhibited = true;
  auto sheet = f.Build("GI_Sheet_DscCh");
  EXPECT_EQ(sheet->rowCount(), 1 + 350);  // the bare loop still counts listed channels
  EXPECT_EQ(sheet->CellAt(0, 1).cell.index, 0);
  EXPECT_EQ(sheet->CellAt(0, 350).cell.index, 349);
}

}  // namespace
}  // namespace rtv
