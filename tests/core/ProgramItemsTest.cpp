// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/ProgramItems.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CellProbe.h"
#include "MemoryAccessHost.h"
#include "cells/Cell.h"

namespace rtv {
namespace {

struct ProgramItemsTest : ::testing::Test {
  // One access to a cell with its own text, as a menu or a sheet has it.
  CellRequest Access(int cellLink, int index, CellKey key, const char* text = "Caption",
                     int command = 0) {
    Cell cell;
    cell.cellType = TypeNo("CT_Null");
    cell.cellLink = cellLink;
    cell.index = index;
    cell.text = text;
    CellRequest request;
    request.cell = &cell;
    request.canvas = &canvas;
    request.cellRect = {0, 0, 100, 20};
    request.key = key;
    request.command = command;
    host.accessor.AccessCell(request, false);
    request.cell = nullptr;
    return request;
  }

  MemoryAccessHost host{RTV_DATA_DIR "/RTV612.OVL"};
  RecordingCanvas canvas;
};

TEST_F(ProgramItemsTest, CommandsRunOnEnterAndShowTheirCaption) {
  for (int cellLink = LinkNo("CL_Menu_File_New"); cellLink <= LinkNo("CallSheet"); ++cellLink) {
    host.commands.clear();
    const CellRequest shown = Access(cellLink, 3, CellKey());
    EXPECT_EQ(shown.displayText, "Caption") << CellLinkName(cellLink);
    EXPECT_TRUE(host.commands.empty());
    const CellRequest run = Access(cellLink, 3, SpecialKey::Enter);
    EXPECT_EQ(run.key, CellKey());
    ASSERT_EQ(host.commands.size(), 1u) << CellLinkName(cellLink);
    EXPECT_EQ(host.commands[0].cellLink, cellLink);
    EXPECT_EQ(host.commands[0].index, 3);
  }
}

TEST_F(ProgramItemsTest, CommandItemsTakeTheirStateAndCaptionFromTheProgram) {
  const int cellLink = LinkNo("CL_Menu_File_Recent");
  host.commandStates[cellLink] = {CellAccessHost::kCommandRelabelled, "&1 boats/a&&b.rtv"};
  CellRequest relabelled = Access(cellLink, 0, CellKey(), "Recent file");
  EXPECT_EQ(relabelled.displayText, "&1 boats/a&&b.rtv");
  EXPECT_EQ(relabelled.userFlags, CellAccessHost::kCommandRelabelled);

  // Without the relabel flag the caption stays the item's own.
  host.commandStates[cellLink] = {
      CellAccessHost::kCommandChecked | CellAccessHost::kCommandDisabled, "ignored"};
  CellRequest checked = Access(cellLink, 0, CellKey(), "Recent file");
  EXPECT_EQ(checked.displayText, "Recent file");
  EXPECT_EQ(checked.userFlags, CellAccessHost::kCommandChecked | CellAccessHost::kCommandDisabled);
}

TEST_F(ProgramItemsTest, CloneInformationShowsWhatTheRadioReported) {
  CellProbe probe(host);
  const int esn = LinkNo("CL_CloneInfo_Esn");
  EXPECT_EQ(probe.Show(esn).text, "");
  EXPECT_EQ(probe.Type(LinkNo("CL_CloneInfo_Comment"), 0, "x").text, "");

  CloneInformation info;
  info.esn = "0A000186A0";  // 0x0A and 0x000186A0
  info.modelType = 2;
  info.revision = 3;
  info.option = "GPS";
  host.cloneInformation = info;
  struct Case {
    int cellLink;
    const char* shown;
  };
  const Case cases[] = {{esn, "10100000"},
                        {LinkNo("CL_CloneInfo_Model"), "Europe"},
                        {LinkNo("CL_CloneInfo_Revision"), "3"},
                        {LinkNo("CL_CloneInfo_Option"), "GPS"},
                        {LinkNo("CL_CloneInfo_Dummy"), ""}};
  for (const Case& c : cases) {
    const CellOutcome out = probe.Show(c.cellLink);
    EXPECT_EQ(out.text, c.shown) << CellLinkName(c.cellLink);
    EXPECT_TRUE(out.ReadOnly()) << CellLinkName(c.cellLink);
  }
  host.cloneInformation->modelType = 9;
  EXPECT_EQ(probe.Show(LinkNo("CL_CloneInfo_Model")).text, "9");

  probe.Command(esn, 0, LinkNo("CL_PMenu_WinCopy"));
  EXPECT_EQ(host.clipboard, std::vector<std::string>{"10100000"});
  host.cloneInformation->esn = "0A000186AZ";
  EXPECT_EQ(probe.Command(esn, 0, LinkNo("CL_PMenu_WinCopy")).text, "");
  EXPECT_EQ(host.clipboard.size(), 1u);

  probe.Type(LinkNo("CL_CloneInfo_Comment"), 0, "Dock 4\t");
  const auto& comment = host.cloneInformation->comment;
  EXPECT_EQ(std::string(comment.begin(), comment.end()), "Dock 4          ");
  EXPECT_EQ(probe.Show(LinkNo("CL_CloneInfo_Comment")).text, "Dock 4");
}

TEST_F(ProgramItemsTest, LayoutHelpers) {
  EXPECT_EQ(Access(LinkNo("CL_Misc_ChNo_0Base"), 7, CellKey()).displayText, "7");
  EXPECT_EQ(Access(LinkNo("CL_Misc_ChNo_1Base"), 7, CellKey()).displayText, "8");

  Access(LinkNo("CL_Misc_QuarterPillar"), 0, CellKey());
  ASSERT_EQ(canvas.fills.size(), 1u);
  EXPECT_EQ(canvas.fills[0].rect.top, 14);  // the lowest 30 % of 20 pixels
  EXPECT_EQ(canvas.fills[0].rect.bottom, 20);
  EXPECT_EQ(canvas.fills[0].rect.left, 0);
  EXPECT_EQ(canvas.fills[0].rect.right, 100);
  EXPECT_EQ(canvas.fills[0].colour, 8421504u);

  const CellRequest cannot = Access(LinkNo("CL_CannotEdit"), 0, CellKey::Typed('x'));
  EXPECT_EQ(canvas.lines, (std::vector<std::vector<int>>{{0, 20, 100, 0, 8421504}}));
  EXPECT_EQ(cannot.key, CellKey());
  EXPECT_EQ(host.LastStatus(), host.overlay.GetFirstLine("GI_Botttom_EditRestrected"));
}

TEST_F(ProgramItemsTest, FixedTextsShowTheirOwnTextReadOnly) {
  for (int cellLink = LinkNo("CL_Dummy"); cellLink <= LinkNo("CL_Dummy_DscCall_Alarm_IntSp");
       ++cellLink) {
    canvas.colours.clear();
    host.statusTexts.clear();
    const CellRequest request = Access(cellLink, 0, CellKey::Typed('a'), "Alarm");
    EXPECT_EQ(request.displayText, "Alarm");
    EXPECT_EQ(canvas.colours, std::vector<ColourValue>{CellAccess::kReadOnlyColour});
    EXPECT_FALSE(host.LastStatus().empty());
  }
}

}  // namespace
}  // namespace rtv
