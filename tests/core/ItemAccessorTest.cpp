// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/ItemAccessor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorAccess.h"
#include "MemoryAccessHost.h"
#include "RecordingCanvas.h"
#include "cells/Cell.h"
#include "cells/CellAccessHost.h"

namespace rtv {
namespace {

struct CountingHost : CellAccessHost {
  int writes = 0;
  void AfterImageWrite() override { ++writes; }
};

Cell Bound(int type, int cellLink, int index = 0) {
  Cell cell;
  cell.cellType = type;
  cell.cellLink = cellLink;
  cell.index = index;
  return cell;
}

TEST(ItemAccessorTest, LinksWithoutHandlerShowTheirNumber) {
  ItemAccessor accessor;
  struct Case {
    int cellLink;
    const char* text;
  };
  const Case cases[] = {{LinkNo("CL_INT_ChNo"), "110 *Yet*"},
                        {LinkNo("CL_Null"), "0 *Yet*"},
                        {LinkNo("CL_WinAD_AFDV"), "566 *Yet*"},
                        {kCellLinkNone, "567 *Yet*"},
                        {-4, "-4 *Yet*"}};
  for (const Case& c : cases) {
    const Cell cell = Bound(TypeNo("CT_IntCh"), c.cellLink, 5);
    CellRequest request;
    request.cell = &cell;
    request.displayText = "stale";
    EXPECT_EQ(accessor.AccessCell(request, false), AccessResult::Nothing);
    EXPECT_EQ(request.displayText, c.text);
    EXPECT_EQ(accessor.CellText(TypeNo("CT_IntCh"), c.cellLink, 5), c.text);
  }
}

TEST(ItemAccessorTest, DispatchesByFamilyWithTheRequestPrepared) {
  ItemAccessor accessor;
  std::vector<int> served;
  accessor.Serve(LinkFamily::RadioSettings, [&](CellAccess& access) {
    served.push_back(access.cell.cellLink);
    EXPECT_EQ(access.request.displayText, "");
    EXPECT_EQ(access.request.resultFlags, 0x03);       // warning and error cleared, bits 0–1 kept
    EXPECT_EQ(access.request.key, SpecialKey::Enter);  // Activate is Enter
    EXPECT_EQ(access.request.servedType, access.cell.cellType);
    EXPECT_EQ(access.request.servedLink, access.cell.cellLink);
    EXPECT_EQ(access.request.servedIndex, access.cell.index);
    EXPECT_EQ(access.kind, ListKind::None);
    access.request.displayText = "value";
    return AccessResult::StartEdit;
  });
  for (int cellLink : {150, 200, 329}) {
    const Cell cell = Bound(TypeNo("CT_Null"), cellLink, 2);
    CellRequest request;
    request.cell = &cell;
    request.key = SpecialKey::Activate;
    request.resultFlags = 0x0F;
    request.displayText = "stale";
    EXPECT_EQ(accessor.AccessCell(request, false), AccessResult::StartEdit);
    EXPECT_EQ(request.displayText, "value");
  }
  EXPECT_EQ(served, (std::vector<int>{150, 200, 329}));
  // Neighbouring families stay unserved.
  EXPECT_EQ(accessor.CellText(TypeNo("CT_Null"), 149, 0), "149 *Yet*");
  EXPECT_EQ(accessor.CellText(TypeNo("CT_Null"), 330, 0), "330 *Yet*");
}

TEST(ItemAccessorTest, ChangedNotificationCarriesTheAccessFlags) {
  ItemAccessor accessor;
  accessor.Serve(LinkFamily::ChannelListColumns, [](CellAccess& access) {
    if (access.cell.index == 7) access.extraFlags |= ItemAccessor::kAccessUseChanged;
    return AccessResult::Nothing;
  });
  struct Case {
    int type;
    int index;
    bool notify;
    std::vector<int> calls;
  };
  const Case cases[] = {
      {TypeNo("CT_Null"), 0, true, {0x01}},
      {TypeNo("CT_IntCh"), 0, true, {0x09}},
      {TypeNo("CT_IntCh"), 7, true, {0x29}},
      {TypeNo("CT_IntCh"), 7, false, {}},
  };
  for (const Case& c : cases) {
    const Cell cell = Bound(c.type, LinkNo("CL_ChList_Atr"), c.index);
    std::vector<int> calls;
    CellRequest request;
    request.cell = &cell;
    request.changed = [&calls](int flags) { calls.push_back(flags); };
    accessor.AccessCell(request, c.notify);
    EXPECT_EQ(calls, c.calls) << c.type << " " << c.index;
  }
}

TEST(ItemAccessorTest, InputsReachTheHost) {
  CountingHost host;
  ItemAccessor accessor(&host);
  const Cell cell = Bound(TypeNo("CT_Null"), LinkNo("CL_ComSet_Light"));
  struct Case {
    CellKey key;
    CellCommit commit;
    int command;
    int writes;
  };
  const Case cases[] = {{CellKey(), CellCommit::None, 0, 0},
                        {CellKey::Typed('5'), CellCommit::None, 0, 1},
                        {CellKey(), CellCommit::Text, 0, 1},
                        {CellKey(), CellCommit::None, 78, 1},
                        {SpecialKey::Enter, CellCommit::Choice, 0, 1}};
  for (const Case& c : cases) {
    host.writes = 0;
    CellRequest request;
    request.cell = &cell;
    request.key = c.key;
    request.commit = c.commit;
    request.command = c.command;
    accessor.AccessCell(request, true);
    EXPECT_EQ(host.writes, c.writes)
        << c.key << " " << static_cast<int>(c.commit) << " " << c.command;
  }
  // The conveniences ask without input.
  host.writes = 0;
  accessor.CellText(TypeNo("CT_Null"), LinkNo("CL_ComSet_Light"), 0);
  EXPECT_EQ(host.writes, 0);
}

TEST(ItemAccessorTest, CheckCellReportsTheErrorBit) {
  ItemAccessor accessor;
  accessor.Serve(LinkFamily::DscIdLists, [](CellAccess& access) {
    access.request.resultFlags |= static_cast<std::uint8_t>(access.cell.index);
    return AccessResult::Nothing;
  });
  const int cellLink = LinkNo("CL_DscIndId_Id");
  const int type = TypeNo("CT_DscIndId");
  EXPECT_EQ(accessor.CellFlags(type, cellLink, 0x04), CellRequest::kResultWarning);
  EXPECT_FALSE(accessor.CheckCell(type, cellLink, 0x04));
  EXPECT_TRUE(accessor.CheckCell(type, cellLink, 0x08));
  EXPECT_EQ(accessor.CellFlags(type, cellLink, 0x0F), 0x0C);  // only warning and error
}

TEST(ItemAccessorTest, AReadOnlyCellRefusesEditKeysAndSaysSoInTheStatusBar) {
  MemoryAccessHost host(RTV_DATA_DIR "/RTV612.OVL");
  CellKey keySeen;
  host.accessor.Serve(LinkFamily::FixedTexts, [&](CellAccess& access) {
    access.MarkReadOnly();
    keySeen = access.request.key;
    return AccessResult::Nothing;
  });
  const Cell cell = Bound(TypeNo("CT_Null"), LinkNo("CL_Dummy"));
  struct Case {
    CellKey key;
    bool refused;
  };
  const Case cases[] = {{CellKey::Typed('a'), true}, {CellKey::Typed(' '), true},
                        {CellKey::Typed('~'), true}, {SpecialKey::Backspace, true},
                        {SpecialKey::F2, true},      {SpecialKey::F3, false},
                        {SpecialKey::Enter, true},   {SpecialKey::Activate, true},
                        {SpecialKey::Left, false},   {SpecialKey::Right, false}};
  for (const Case& c : cases) {
    host.statusTexts.clear();
    RecordingCanvas canvas;
    CellRequest request;
    request.cell = &cell;
    request.canvas = &canvas;
    request.key = c.key;
    host.accessor.AccessCell(request, false);
    EXPECT_EQ(keySeen, c.refused ? CellKey() : c.key) << c.key;
    EXPECT_EQ(canvas.colours, std::vector<ColourValue>{CellAccess::kReadOnlyColour});
    // Every key first clears the status bar; a refusal then explains itself.
    ASSERT_EQ(host.statusTexts.size(), c.refused ? 2u : 1u) << c.key;
    EXPECT_EQ(host.statusTexts[0].text, "");
    if (c.refused) {
      EXPECT_EQ(host.statusTexts[1].text, host.overlay.GetFirstLine("GI_Botttom_EditRestrected"));
      EXPECT_EQ(host.statusTexts[1].textColour, 0xFFFFu);
      EXPECT_EQ(host.statusTexts[1].background, 128u);
    }
  }
  // Drawing alone says nothing.
  host.statusTexts.clear();
  host.accessor.CellText(TypeNo("CT_Null"), LinkNo("CL_Dummy"), 0);
  EXPECT_TRUE(host.statusTexts.empty());
}

TEST(ItemAccessorDeathTest, ACellTypeOutsideTheTableIsFatal) {
  EXPECT_EXIT(
      {
        ItemAccessor accessor;
        accessor.CellText(14, 0, 0);
      },
      ::testing::ExitedWithCode(3), "Unknown Cell Category\\. \\(14\\)");
}

}  // namespace
}  // namespace rtv
