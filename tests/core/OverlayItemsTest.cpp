// SPDX-License-Identifier: GPL-3.0-or-later
#include "menus/OverlayItems.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cells/CellNames.h"
#include "menus/ItemStates.h"
#include "overlay/OverlayText.h"
#include "radio/ItemAccessor.h"

namespace rtv {
namespace {

// "A(B,C)" for a tree of captions.
std::string Shape(const std::vector<OverlayItem>& items) {
  std::string out;
  for (const OverlayItem& item : items) {
    if (!out.empty()) out += ",";
    out += OverlayItems::Caption(item.cell);
    if (!item.children.empty()) out += "(" + Shape(item.children) + ")";
  }
  return out;
}

TEST(OverlayItemsTest, LinesNestByTheBytesBeforeTheirPlus) {
  struct Case {
    const char* name;
    std::vector<std::string> body;
    const char* shape;
  };
  const Case cases[] = {
      {"empty body", {"#"}, ""},
      {"two levels", {"+A", " +B", " +C", "+D", "#"}, "A(B,C),D"},
      {"two levels deeper still nests once", {"+A", "   +B", "   +C", "+D", "#"}, "A(B,C),D"},
      {"three levels", {"+A", " +B", "  +C", " +D", "+E", "#"}, "A(B(C),D),E"},
      {"a jump of two levels", {"+A", " +B", "   +C", " +D", "#"}, "A(B(C),D)"},
      {"a first level that is indented", {" +A", " +B", "+C", "#"}, "A,B,C"},
      {"lines without a plus carry nothing", {"+A", "comment", "+B", "#"}, "A,B"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> lines = {"#GI_Menu_Test_BasicCell", "{}", "#GI_Menu_Test_Body"};
    lines.insert(lines.end(), c.body.begin(), c.body.end());
    lines.push_back("#End_Of_Ovl");
    OverlayText store;
    store.SetLines(lines);
    OverlayItems items;
    items.BuildNested(store, "GI_Menu_Test");
    EXPECT_EQ(Shape(items.Items()), c.shape);
  }
}

TEST(OverlayItemsTest, AMissingEntryGivesNoItems) {
  OverlayText store;
  store.SetLines({"#GI_Other", "x", "#End_Of_Ovl"});
  OverlayItems items;
  items.BuildNested(store, "GI_Menu_Main");
  EXPECT_TRUE(items.Items().empty());
  items.BuildFlat(store, "GI_ToolBar_Main");
  EXPECT_TRUE(items.Items().empty());
}

TEST(OverlayItemsTest, ItemsTakeTheirCellFromTheMarkupWithTheBasicCellAsParent) {
  OverlayText store;
  store.SetLines({"#GI_PMenu_Edit_BasicCell", "{(%CT_PopupMenu.)}", "#GI_PMenu_Edit_Body",
                  "+Edit...\t{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}", "#GI_ToolBar_Test_BasicCell",
                  "{}", "#GI_ToolBar_Test_Body", "New{(%.CL_Menu_File_New)(ImageIndex=0)}", "-",
                  "/", "Open{(%.CL_Menu_File_Open)(ImageIndex=1)}", "#End_Of_Ovl"});
  OverlayItems menu;
  menu.BuildNested(store, "GI_PMenu_Edit");
  ASSERT_EQ(menu.Items().size(), 1u);
  const Cell& edit = menu.Items()[0].cell;
  EXPECT_EQ(OverlayItems::Caption(edit), "Edit...");
  EXPECT_EQ(edit.cellType, TypeNo("CT_PopupMenu"));
  EXPECT_EQ(edit.cellLink, LinkNo("CL_PMenu_Edit"));
  EXPECT_EQ(edit.option.value_or(""), "Enter");
  EXPECT_EQ(edit.parent, &menu.BasicCell());

  OverlayItems toolbar;
  toolbar.BuildFlat(store, "GI_ToolBar_Test");
  ASSERT_EQ(toolbar.Items().size(), 4u);
  EXPECT_EQ(toolbar.Items()[0].cell.cellLink, LinkNo("CL_Menu_File_New"));
  EXPECT_EQ(toolbar.Items()[0].cell.imageIndex, 0);
  EXPECT_EQ(OverlayItems::Caption(toolbar.Items()[1].cell), "-");
  EXPECT_EQ(OverlayItems::Caption(toolbar.Items()[2].cell), "/");
  EXPECT_EQ(toolbar.Items()[3].cell.imageIndex, 1);
}

TEST(OverlayItemsTest, StatesComeFromTheAccessorAndAreClearedBeforeEachRefresh) {
  ItemAccessor accessor;
  std::uint8_t flagsToSet = 0;
  const Cell* ownerSeen = nullptr;
  int enters = 0;
  accessor.Serve(LinkFamily::MenuCommands, [&](CellAccess& access) {
    EXPECT_EQ(access.request.userFlags & 0x0F, 0);  // cleared before every refresh
    access.request.userFlags |= flagsToSet;
    access.request.displayText = "&1 boat.rtv";
    ownerSeen = access.request.popupChoice;
    if (access.request.key == SpecialKey::Enter) ++enters;
    return AccessResult::Nothing;
  });
  Cell owner;
  Cell item;
  item.cellLink = LinkNo("CL_Menu_File_Recent");
  item.text = "Recent";
  item.imageIndex = 7;
  item.SetUserFlag(5, true);  // flags above 3 belong to the overlay and stay

  struct Case {
    std::uint8_t flags;
    bool checked, visible, enabled, relabelled;
  };
  const Case cases[] = {{0x00, false, true, true, false},  {0x01, true, true, true, false},
                        {0x02, false, false, true, false}, {0x04, false, true, false, false},
                        {0x08, false, true, true, true},   {0x00, false, true, true, false}};
  for (const Case& c : cases) {
    flagsToSet = c.flags;
    const ItemState state = RefreshItemState(accessor, item, &owner);
    EXPECT_EQ(state.checked, c.checked);
    EXPECT_EQ(state.visible, c.visible);
    EXPECT_EQ(state.enabled, c.enabled);
    EXPECT_EQ(state.relabelled, c.relabelled);
    EXPECT_EQ(state.caption, c.relabelled ? "&1 boat.rtv" : "");
    EXPECT_EQ(state.imageIndex, 7);
    EXPECT_TRUE(item.UserFlag(5));
    EXPECT_EQ(ownerSeen, &owner);
  }
  EXPECT_EQ(enters, 0);
  ClickItem(accessor, item, &owner);
  EXPECT_EQ(enters, 1);
}

}  // namespace
}  // namespace rtv
