// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/CellMarkup.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cells/CellCatalog.h"
#include "overlay/OverlayText.h"
#include "radio/DebugItems.h"
#include "service/FlagBitsSheet.h"

namespace rtv {
namespace {

constexpr ColourValue kWindow = ToColourValue(SystemColour::Window);

// The cell models of the flag-bits sheet and a few of our own.
std::vector<std::string> ModelLines() {
  return {
      "#CellModel_iChI",
      "^-WH(Color=clGray)(Font=,,clWhite,,,fsBold,)",
      "#CellModel_eWh",
      "S<_WHB",
      "#CellModel_iQp",
      "(%CT_Null.CL_Misc_QuarterPillar)",
      "#CellModel_Basic",
      "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)(PopupMenu=GI_PMenu_Edit)",
      "#CellModel_Nested",
      "($eWh)X(Flag2=1)",
      "#CellModel_Loop",
      "($Loop)",
      "#End_Of_Ovl",
  };
}

struct MarkupFixture : ::testing::Test {
  MarkupFixture() { models.SetLines(ModelLines()); }

  // Parses one cell (the text up to the first unescaped bar).
  Cell Parse(const std::string& markup, const Cell* parent = nullptr) {
    Cell cell;
    ParseCell(models, cell, markup, &counters, parent);
    return cell;
  }

  OverlayText models;
  CellCounters counters{};
};

// The layout bits of a cell in a compact form: alignments, letters of the set flags,
// the right mark and the user flags.
std::string Layout(const Cell& cell) {
  std::string text = "h" + std::to_string(cell.horizontalAlign) + " v" +
                     std::to_string(cell.verticalAlign) + " m" + std::to_string(cell.rightMark);
  if (cell.fitWidth) text += " W";
  if (cell.fitHeight) text += " H";
  if (cell.joinLeft) text += " +";
  if (cell.bottomLine) text += " B";
  if (cell.selectable) text += " S";
  if (cell.rowTrack) text += " T";
  if (cell.userFlags != 0) text += " f" + std::to_string(cell.userFlags);
  return text;
}

TEST_F(MarkupFixture, AttributeLettersAndUserFlags) {
  struct Case {
    const char* markup;
    const char* layout;
  };
  const Case cases[] = {
      {"", "h0 v0 m0"},
      {"{^_WH+BXST}", "h1 v2 m1 W H + B S T"},
      {"{>~Q}", "h2 v0 m2"},
      // Later settings win; "!" clears the flag of the next byte only.
      {"{($eWh)}", "h0 v2 m0 W H B S"},
      {"{($eWh)!S}", "h0 v2 m0 W H B"},
      {"{($eWh)!W!H!B}", "h0 v2 m0 S"},
      {"{!zS}", "h0 v0 m0 S"},
      {"{X!X}", "h0 v0 m0"},
      {"{Q!X}", "h0 v0 m0"},
      {"{XQ}", "h0 v0 m2"},
      // An alignment cannot be cleared: "!" before one changes nothing.
      {"{^!<}", "h1 v0 m0"},
      {"{_!-}", "h0 v2 m0"},
      // An escaped letter is no command; unknown letters and blanks are ignored.
      {"{\\S}", "h0 v0 m0"},
      {"{azZ9 .,?}", "h0 v0 m0"},
      // A model may name models, and later letters override it.
      {"{($Nested)^}", "h1 v2 m1 W H B S f4"},
      {"{(Flag3=1)}", "h0 v0 m0 f8"},
      {"{(Flag0=1)(Flag7=1)}", "h0 v0 m0 f129"},
      {"{(Flag3=1)(Flag3=0)}", "h0 v0 m0"},
      {"{(Flag8=1)}", "h0 v0 m0"},
      {"{(Flag3=2)}", "h0 v0 m0"},
      {"{(Flag3=1 )(Flag3)(flag3=1)(Flag=1)}", "h0 v0 m0"},
      // Unterminated items and stray braces are ignored; what came before still counts.
      {"{S(Flag1=1}", "h0 v0 m0 S"},
      {"{S}}{T", "h0 v0 m0 S T"},
      {"{(Flag1=1)(}", "h0 v0 m0 f2"},
  };
  for (const Case& c : cases) EXPECT_EQ(Layout(Parse(c.markup)), c.layout) << c.markup;
}

TEST_F(MarkupFixture, ColourImageIndexAndPopupItems) {
  struct Case {
    const char* markup;
    ColourValue colour;
    int imageIndex;
    const char* popup;  // null: none
  };
  const Case cases[] = {
      {"{(Color=clRed)}", 0x0000FF, -1, nullptr},
      {"{(Color=clHightlightText)}", 0x8000000E, -1, nullptr},
      // The name is taken exactly: a blank or another case is no colour name.
      {"{(Color= clRed)}", kWindow, -1, nullptr},
      {"{(Color=clred)}", kWindow, -1, nullptr},
      {"{(Color=clRed)(Color=clNone)}", 0x0000FF, -1, nullptr},
      {"{(ImageIndex=7)}", kWindow, 7, nullptr},
      {"{(ImageIndex=x)}", kWindow, 0, nullptr},
      {"{(PopupMenu=GI_PMenu_Edit)}", kWindow, -1, "GI_PMenu_Edit"},
      // An escaped ")" stays inside the item, backslash and all.
      {"{(PopupMenu=a\\)b)}", kWindow, -1, "a\\)b"},
      {"{(Unknown=1)(=)()}", kWindow, -1, nullptr},
  };
  for (const Case& c : cases) {
    const Cell cell = Parse(c.markup);
    EXPECT_EQ(cell.colour, c.colour) << c.markup;
    EXPECT_EQ(cell.imageIndex, c.imageIndex) << c.markup;
    EXPECT_EQ(cell.popupMenu, c.popup ? std::optional<std::string>(c.popup) : std::nullopt)
        << c.markup;
  }
}

TEST_F(MarkupFixture, Bindings) {
  struct Case {
    const char* markup;
    int type;
    int cellLink;
    int index;
    const char* option;  // null: none
  };
  Cell parent;
  parent.cellType = CellTypeNumber("CT_DscCh");
  parent.index = 9;
  counters[2] = 7;
  const Case cases[] = {
      {"{(%CT_Null.CL_Misc_QuarterPillar)}", 0, 85, 9, nullptr},
      {"{(%CT_PopupMenu.)}", 1, kCellLinkNone, 9, nullptr},
      {"{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}", 1, 73, 9, "Enter"},
      {"{(%CL_FBits[12])}", 5, 3, 12, nullptr},
      {"{(%CL_FBits[@ch2])}", 5, 3, 7, nullptr},
      {"{(%Flex0[-3])}", 5, 1, -3, nullptr},
      {"{(%Flex0[5]:x y)}", 5, 1, 5, "x y"},
      {"{(%Flex0[5)}", 5, 1, 5, nullptr},
      {"{(%.Flex0)}", kCellTypeNone, 1, 9, nullptr},
      {"{(%)}", 5, kCellLinkNone, 9, nullptr},
      // Backslashes in the option escape the next byte and are dropped; an escaped "."
      // does not start a type name.
      {"{(%Flex0:a\\:b\\\\c\\))}", 5, 1, 9, "a:b\\c)"},
      {"{(%Flex0:1\\.5)}", 5, 1, 9, "1.5"},
      {"{(%Flex0:)}", 5, 1, 9, ""},
  };
  for (const Case& c : cases) {
    const Cell cell = Parse(c.markup, &parent);
    EXPECT_EQ(cell.cellType, c.type) << c.markup;
    EXPECT_EQ(cell.cellLink, c.cellLink) << c.markup;
    EXPECT_EQ(cell.index, c.index) << c.markup;
    EXPECT_EQ(cell.option, c.option ? std::optional<std::string>(c.option) : std::nullopt)
        << c.markup;
  }
}

TEST_F(MarkupFixture, CounterCommands) {
  struct Case {
    const char* markup;
    int start;
    int after;
  };
  const Case cases[] = {
      {"{(@ch4++)}", 1, 2},
      {"{(@ch4=17)}", 1, 17},
      {"{(@ch4 = 17)}", 1, 17},
      {"{(@ch4=  -2)}", 1, -2},
      {"{(@ch4=)}", 1, 1},
      {"{(@ch4+)}", 1, 1},
      {"{(@ch4++)(@ch4++)(@ch4=0)(@ch4++)}", 5, 1},
      {"{(@ch4=99999999999)}", 1, 2147483647},
      {"{(@ch4++)}", 2147483647, -2147483647 - 1},
  };
  for (const Case& c : cases) {
    counters = {};
    counters[4] = c.start;
    Parse(c.markup);
    EXPECT_EQ(counters[4], c.after) << c.markup;
    EXPECT_EQ(counters[3], 0) << c.markup;
  }
}

TEST_F(MarkupFixture, AnIncrementThenAnIndexNumbersConsecutiveRows) {
  const std::string row = "{(@ch1++)(%Flex0[@ch1])}a|{(%Flex0[@ch1])}b";
  for (int expected = 1; expected <= 3; ++expected) {
    const std::vector<Cell> cells = ParseRow(models, row, &counters, nullptr);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0].index, expected);
    EXPECT_EQ(cells[1].index, expected);
    EXPECT_EQ(cells[1].counters, nullptr);  // the block is held only while parsing
  }
}

TEST_F(MarkupFixture, DisplayText) {
  struct Case {
    const char* markup;
    const char* text;  // null: no text
  };
  counters[2] = 5;
  counters[3] = 12345678;
  counters[4] = -1234567;
  const Case cases[] = {
      {"", nullptr},
      {"   \t ", nullptr},
      {"{S} {W} ", nullptr},
      {"\\_", " "},
      {"  a  b \t", "a  b"},
      {"\\_a\\_", " a "},
      {"a\\nb\\Nc", "a\nb\nc"},
      {"\\x\\\\", "x\\"},
      // Braces cannot be escaped: the backslash escapes the byte after the group.
      {"a\\{S}b", "ab"},
      {"ab\\", "ab"},
      {"{S}Te{W}xt", "Text"},
      {"\\(@ch2+10)", "15"},
      {"\\(@ch2)", "5"},
      {"x\\(@ch0+1)y", "x1y"},
      {"\\(@ch3)", "123456"},
      {"\\(@ch4)", "-12345"},
      {"\\(@ch2+10", "15"},
      // Multi-byte characters pass whole, escaped or not.
      {"\xC3\xA9\\\xC3\xBC", "\xC3\xA9\xC3\xBC"},
      {"+Edit...\t", "+Edit..."},
  };
  for (const Case& c : cases) {
    const Cell cell = Parse(c.markup);
    EXPECT_EQ(cell.text, c.text ? std::optional<std::string>(c.text) : std::nullopt) << c.markup;
  }
}

TEST_F(MarkupFixture, RowsSplitAtUnescapedBars) {
  struct Case {
    const char* row;
    std::vector<const char*> texts;  // null: a cell without text
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a|", {"a"}},
      {"a||", {"a", nullptr}},
      {"|{($iChI)}0||{($iChI)}1|", {nullptr, "0", nullptr, "1"}},
      {"a\\|b|c", {"a|b", "c"}},
      {"\\\\|x", {"\\", "x"}},
      {"{(PopupMenu=a|b)}c", {nullptr, "b)c"}},
      {"\xE2\x94\x82|\xE2\x94\x82", {"\xE2\x94\x82", "\xE2\x94\x82"}},
  };
  for (const Case& c : cases) {
    const std::vector<Cell> cells = ParseRow(models, c.row, &counters, nullptr);
    ASSERT_EQ(cells.size(), c.texts.size()) << c.row;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const auto expected = c.texts[i] ? std::optional<std::string>(c.texts[i]) : std::nullopt;
      EXPECT_EQ(cells[i].text, expected) << c.row << " cell " << i;
    }
  }
}

TEST_F(MarkupFixture, SplitOnlyCountsCellsWithoutApplyingThem) {
  Cell cell;
  std::string_view rest = "{(%CL_Bogus)(@ch99)}x|{($Missing)}y";
  int cells = 0;
  while (!rest.empty()) {
    rest = ParseCell(models, cell, rest, &counters, nullptr, true);
    ++cells;
  }
  EXPECT_EQ(cells, 2);
  EXPECT_EQ(cell.text, std::nullopt);
}

TEST_F(MarkupFixture, RestartCopiesFromTheParentAndInheritsFontAndPopupMenu) {
  Cell basic = Parse("{($Basic)(PopupMenu=GI_PMenu_NoItem)(%CT_IntCh.Flex0[4]:opt)(Flag1=1)}base");
  ASSERT_TRUE(basic.font.has_value());
  const Cell child = Parse("{S}", &basic);
  EXPECT_EQ(child.parent, &basic);
  EXPECT_EQ(child.cellType, 2);
  EXPECT_EQ(child.cellLink, 1);
  EXPECT_EQ(child.index, 4);
  EXPECT_EQ(child.option, "opt");
  EXPECT_EQ(child.userFlags, 2);
  EXPECT_EQ(child.horizontalAlign, Cell::kLeft);
  EXPECT_EQ(child.verticalAlign, Cell::kMiddle);
  EXPECT_TRUE(child.selectable);
  // The parent's text does not survive an empty display text of the child.
  EXPECT_EQ(child.text, std::nullopt);
  // Font and popup menu are not copied but found through the parent.
  EXPECT_FALSE(child.font.has_value());
  EXPECT_FALSE(child.popupMenu.has_value());
  EXPECT_EQ(child.DrawingFont(), &*basic.font);
  EXPECT_EQ(child.PopupMenuName(), "GI_PMenu_NoItem");
  const Cell grandchild = Parse("{(PopupMenu=)}", &child);
  EXPECT_EQ(grandchild.PopupMenuName(), "GI_PMenu_NoItem");  // an empty name is no name

  // Without a parent only the type and index are kept.
  Cell reused = basic;
  reused.Restart(nullptr);
  EXPECT_EQ(reused.cellType, 2);
  EXPECT_EQ(reused.index, 4);
  EXPECT_EQ(reused.cellLink, kCellLinkNone);
  EXPECT_EQ(reused.option, std::nullopt);
  EXPECT_EQ(reused.text, std::nullopt);
  EXPECT_EQ(reused.font, std::nullopt);
  EXPECT_EQ(reused.popupMenu, std::nullopt);
  EXPECT_EQ(reused.colour, kWindow);
  EXPECT_EQ(Layout(reused), "h0 v0 m0");
  EXPECT_EQ(reused.DrawingFont(), nullptr);
  EXPECT_EQ(reused.PopupMenuName(), "");
}

TEST_F(MarkupFixture, AFontItemStartsFromTheParentsOwnFont) {
  Cell basic = Parse("{($Basic)}");
  const Cell heading = Parse("{($iChI)}0", &basic);
  ASSERT_TRUE(heading.font.has_value());
  FontDesc expected = *basic.font;
  expected.colour = 0xFFFFFF;
  expected.style = FontDesc::kBold;
  EXPECT_EQ(*heading.font, expected);
  EXPECT_EQ(basic.font->style, 0u);  // the parent's font is untouched

  // Without a font on the parent the cell starts from a new default font.
  const Cell orphan = Parse("{(Font=,,clRed,,,,)}");
  FontDesc fresh;
  fresh.colour = 0x0000FF;
  EXPECT_EQ(orphan.font, fresh);
  // A second font item works on the cell's own font.
  const Cell twice = Parse("{(Font=,,clRed,,,,)(Font=,,,,,fsItalic,)}");
  fresh.style = FontDesc::kItalic;
  EXPECT_EQ(twice.font, fresh);
}

TEST_F(MarkupFixture, CellsWithoutParentCarryTypeAndIndexOfTheCellBefore) {
  Cell cell;
  std::string_view rest = "{(%CT_IntCh.Flex0[4])}a|{(%Flex0)}b|{(%CT_Null.Flex0[2])}c";
  std::vector<std::pair<int, int>> seen;
  while (!rest.empty()) {
    rest = ParseCell(models, cell, rest, &counters, nullptr);
    seen.emplace_back(cell.cellType, cell.index);
  }
  const std::vector<std::pair<int, int>> expected = {{2, 4}, {2, 4}, {0, 2}};
  EXPECT_EQ(seen, expected);
}

// The flag-bits window's own sheet, a private store, parses into the cells it describes.
TEST(FlagBitsSheetTest, WorkedExampleParses) {
  OverlayText store;
  store.SetLines(FlagBitsSheet::Lines(2));
  const std::string sheet = FlagBitsSheet::kSheetName;
  const std::string cells = sheet + "_Cells";
  CellCounters counters{};
  Cell basic;
  ParseCell(store, basic, store.GetFirstLine(sheet + "_BasicCell"), &counters, nullptr);
  EXPECT_EQ(Layout(basic), "h0 v1 m0");
  EXPECT_EQ(basic.colour, 0x80000005u);
  EXPECT_EQ(basic.popupMenu, "GI_PMenu_NoItem");
  EXPECT_EQ(basic.cellType, kCellTypeNone);
  EXPECT_EQ(basic.cellLink, kCellLinkNone);
  FontDesc basicFont;
  basicFont.charset = 1;
  basicFont.colour = 0x80000008;
  basicFont.height = -17;
  EXPECT_EQ(basic.font, basicFont);

  EXPECT_TRUE(ParseRow(store, store.GetLine(cells, 0), &counters, &basic).empty());

  const std::vector<Cell> headings = ParseRow(store, store.GetLine(cells, 1), &counters, &basic);
  ASSERT_EQ(headings.size(), 4u);
  FontDesc headingFont = basicFont;
  headingFont.colour = 0xFFFFFF;
  headingFont.style = FontDesc::kBold;
  for (int i : {0, 2}) {
    EXPECT_EQ(headings[i].text, std::nullopt);
    EXPECT_EQ(Layout(headings[i]), "h0 v1 m0");
    EXPECT_EQ(headings[i].DrawingFont(), &*basic.font);
  }
  for (int i : {1, 3}) {
    EXPECT_EQ(headings[i].text, std::to_string(i / 2));
    EXPECT_EQ(Layout(headings[i]), "h1 v1 m0 W H");
    EXPECT_EQ(headings[i].colour, 0x808080u);
    EXPECT_EQ(headings[i].font, headingFont);
    EXPECT_EQ(headings[i].PopupMenuName(), "GI_PMenu_NoItem");
  }

  const std::vector<Cell> bits = ParseRow(store, store.GetLine(cells, 3), &counters, &basic);
  ASSERT_EQ(bits.size(), 4u);
  EXPECT_EQ(bits[0].text, std::nullopt);
  for (int i : {1, 3}) {
    EXPECT_EQ(Layout(bits[i]), "h1 v2 m0 W H B S");
    EXPECT_EQ(bits[i].cellLink, CellLinkNumber("CL_FBits"));
    EXPECT_EQ(bits[i].index, (i + 1) / 2);
    EXPECT_EQ(bits[i].cellType, kCellTypeNone);  // inherited from the basic cell
    EXPECT_EQ(bits[i].text, "9");
  }
  EXPECT_EQ(bits[2].cellType, CellTypeNumber("CT_Null"));
  EXPECT_EQ(bits[2].cellLink, CellLinkNumber("CL_Misc_QuarterPillar"));
  EXPECT_EQ(bits[2].text, std::nullopt);
  for (int line : {2, 4, 5}) {
    EXPECT_TRUE(ParseRow(store, store.GetLine(cells, line), &counters, &basic).empty());
  }

  // The popup menus' basic cells and items.
  Cell noItemBasic;
  ParseCell(store, noItemBasic, store.GetFirstLine("GI_PMenu_NoItem_BasicCell"), &counters,
            nullptr);
  const std::vector<Cell> noItem =
      ParseRow(store, store.GetFirstLine("GI_PMenu_NoItem_Body"), &counters, &noItemBasic);
  ASSERT_EQ(noItem.size(), 1u);
  EXPECT_EQ(noItem[0].cellType, CellTypeNumber("CT_PopupMenu"));
  EXPECT_EQ(noItem[0].cellLink, CellLinkNumber("CL_PMenu_NoItem"));
  EXPECT_EQ(noItem[0].text, "+No item");

  Cell editBasic;
  ParseCell(store, editBasic, store.GetFirstLine("GI_PMenu_Edit_BasicCell"), &counters, nullptr);
  EXPECT_EQ(editBasic.cellType, CellTypeNumber("CT_PopupMenu"));
  EXPECT_EQ(editBasic.cellLink, kCellLinkNone);
  // The Edit menu's items are the main overlay's; the sheet brings only its basic cell.
  EXPECT_FALSE(store.HasKey("GI_PMenu_Edit_Body"));
  const std::vector<Cell> edit =
      ParseRow(store, "+Edit...\t{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}", &counters, &editBasic);
  ASSERT_EQ(edit.size(), 1u);
  EXPECT_EQ(edit[0].cellType, CellTypeNumber("CT_PopupMenu"));
  EXPECT_EQ(edit[0].cellLink, CellLinkNumber("CL_PMenu_Edit"));
  EXPECT_EQ(edit[0].option, "Enter");
  EXPECT_EQ(edit[0].text, "+Edit...");
  EXPECT_EQ(edit[0].PopupMenuName(), "GI_PMenu_Edit");
}

// The window's sheet has a heading and a bound cell for every flag bit, in order, and no more.
TEST(FlagBitsSheetTest, OneColumnPerFlagBit) {
  OverlayText store;
  store.SetLines(FlagBitsSheet::Lines(DebugItems::kFlagBits));
  const std::string sheet = FlagBitsSheet::kSheetName;
  CellCounters counters{};
  Cell basic;
  ParseCell(store, basic, store.GetFirstLine(sheet + "_BasicCell"), &counters, nullptr);
  const std::vector<Cell> headings =
      ParseRow(store, store.GetLine(sheet + "_Cells", 1), &counters, &basic);
  const std::vector<Cell> bits =
      ParseRow(store, store.GetLine(sheet + "_Cells", 3), &counters, &basic);
  ASSERT_EQ(headings.size(), 2u * DebugItems::kFlagBits);
  ASSERT_EQ(bits.size(), 2u * DebugItems::kFlagBits);
  std::vector<std::string> titles;
  std::vector<int> bound;
  for (const Cell& cell : headings) {
    if (cell.text) titles.push_back(*cell.text);
  }
  for (const Cell& cell : bits) {
    if (cell.cellLink == CellLinkNumber("CL_FBits")) bound.push_back(cell.index);
  }
  std::vector<std::string> expectedTitles;
  std::vector<int> expectedBound;
  for (int bit = 0; bit < DebugItems::kFlagBits; ++bit) {
    expectedTitles.push_back(std::to_string(bit));
    expectedBound.push_back(bit + 1);
  }
  EXPECT_EQ(titles, expectedTitles);
  EXPECT_EQ(bound, expectedBound);
}

TEST(CellMarkupDeathTest, OverlayFaultsAreFatal) {
  struct Case {
    const char* markup;
    const char* message;
  };
  const Case cases[] = {
      {"{(%CT_Bogus.Flex0)}", "Cannot use the specified category\\.\n'CT_Bogus'"},
      {"{(%ct_intch.Flex0)}", "Cannot use the specified category\\.\n'ct_intch'"},
      {"{(%Flex0:a.b)}", "Cannot use the specified category\\.\n'Flex0:a'"},
      {"{(%CL_Bogus[1])}", "Cannot use the specified cell\\.\n'CL_Bogus'"},
      {"{(%CT_Null.flex0)}", "Cannot use the specified cell\\.\n'flex0'"},
      {"{(%Flex0[@ch12])}", "Ch No\\. Error"},
      {"{(%Flex0[@c1])}", "Ch No\\. Error"},
      {"{(%Flex0[@ch])}", "Ch No\\. Error"},
      {"{(@ch)}", "Ch No\\. Error"},
      {"{(@x1++)}", "Ch No\\. Error"},
      {"{(@ch10++)}", "Ch No\\. Error"},
      {"\\(@ch10)", "Ch No\\. Error"},
      {"\\(x)", "Ch No\\. Error"},
      {"a\\(", "Ch No\\. Error"},
      {"{($Missing)}", "OverlayText Error !\nThe index 'CellModel_Missing' was not found\\."},
      {"{($Loop)}", "Cell model nesting too deep\\.\n'CellModel_Loop'"},
  };
  for (const Case& c : cases) {
    EXPECT_EXIT(
        {
          OverlayText models;
          models.SetLines(ModelLines());
          CellCounters counters{};
          Cell cell;
          ParseCell(models, cell, c.markup, &counters, nullptr);
        },
        ::testing::ExitedWithCode(3), c.message)
        << c.markup;
  }
}

}  // namespace
}  // namespace rtv
