// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/ChoiceItems.h"

#include <gtest/gtest.h>

#include "MemoryAccessHost.h"
#include "cells/Cell.h"
#include "cells/CellAccess.h"
#include "cells/CellCatalog.h"
#include "cells/CellNames.h"

namespace rtv {
namespace {

struct ColourCanvas : CellCanvas {
  void SetFontColour(ColourValue colour) override { last = colour; }
  void FillRect(const CellRect&, ColourValue) override {}
  void DrawLine(int, int, int, int, ColourValue) override {}
  ColourValue last = 0;
};

Cell Item(const char* cellLink, int index, const char* text) {
  Cell cell;
  cell.cellLink = CellLinkNumber(cellLink);
  cell.index = index;
  cell.text = text;
  return cell;
}

TEST(ChoiceItemsTest, ItemsShowTheirTextAndAskTheirOwnerWhetherTheyCanBeChosen) {
  MemoryAccessHost host(RTV_DATA_DIR "/RTV612.OVL");
  // Soft key 0 of a radio with no region scanning: the "scan" item (4) cannot be chosen.
  Cell owner;
  owner.cellType = TypeNo("CT_Null");
  owner.cellLink = LinkNo("CL_ComConf_KeyAssign_SoftKey");
  owner.index = 0;

  struct Case {
    Cell item;
    bool withOwner;
    const char* text;
    bool unavailable;
  };
  const Case cases[] = {
      {Item("CL_Null", 0, "ignored"), true, "", false},
      {Item("Flex0", 1, "Low"), false, "Low", false},
      {Item("CL_FlexMarking", 4, "Scan"), true, "Scan", true},
      {Item("CL_FlexMarking", 0, "None"), true, "None", false},
      {Item("CL_FlexMarking", 4, "Scan"), false, "Scan", false},  // no owner to ask
  };
  for (const Case& c : cases) {
    ColourCanvas canvas;
    CellRequest request;
    request.cell = &c.item;
    request.canvas = &canvas;
    if (c.withOwner) request.ownerCell = &owner;
    host.accessor.AccessCell(request, false);
    EXPECT_EQ(request.displayText, c.text) << c.text;
    EXPECT_EQ(request.itemState == ChoiceState::Unavailable, c.unavailable) << c.text;
    EXPECT_EQ(canvas.last == CellAccess::kGreyedColour, c.unavailable) << c.text;
  }
  EXPECT_EQ(host.imageWrites, 0);
}

}  // namespace
}  // namespace rtv
