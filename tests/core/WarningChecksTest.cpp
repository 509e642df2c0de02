// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/WarningChecks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MemoryAccessHost.h"
#include "cells/Cell.h"
#include "cells/CellAccess.h"

namespace rtv {
namespace {

constexpr std::uint8_t kWarning = CellRequest::kResultWarning;
constexpr std::uint8_t kError = CellRequest::kResultError;

struct WarningChecksTest : ::testing::Test {
  std::uint8_t& At(int address) { return host.image.Data()[address]; }
  std::uint8_t Check(int cellLink) {
    return host.accessor.CellFlags(TypeNo("CT_Null"), cellLink, 0);
  }

  MemoryAccessHost host{RTV_DATA_DIR "/RTV612.OVL"};
};

struct Poke {
  int address;
  std::uint8_t value;
};

TEST_F(WarningChecksTest, SettingsChecksFindTheirErrors) {
  const auto call = [](int record, int byte) { return 0x23D7 + 7 * record + byte; };
  struct Case {
    const char* name;
    int cellLink;
    std::vector<Poke> setup;
    std::uint8_t flags;
  };
  const int selfId = LinkNo("CL_Check_Dsc_SelfId");
  const int dscCall = LinkNo("CL_Check_Dsc_Call");
  const int atis = LinkNo("CL_Check_Common_AtisSet");
  const int softKey = LinkNo("CL_Check_Conf_Softkey");
  const Case cases[] = {
      {"self ID unset", selfId, {}, 0},
      {"self ID with a leading single 0", selfId, {{0x23C0, 1}, {0x23C5, 0xFE}}, kError},
      {"self ID without its check byte", selfId, {{0x23C0, 1}}, 0},
      {"DSC calls in order", dscCall, {}, 0},
      {"alarm range of the last record", dscCall, {{call(60, 4), 3}}, kError},
      {"EPIRB to all ships without its call", dscCall, {{0x240F, 1}}, kError},
      {"MOB with its call", dscCall, {{0x2416, 1}, {call(2, 0), 1}}, 0},
      {"ATIS on for INT", atis, {}, 0},
      {"ATIS off everywhere", atis, {{0x22E0, 0x07}}, kError},
      {"soft keys plain", softKey, {{0x0B26, 1}, {0x0B39, 2}}, 0},
      {"last soft key needs scan", softKey, {{0x0B39, 4}}, kError},
  };
  for (const Case& c : cases) {
    host.image.Fill(0);
    for (const Poke& p : c.setup) At(p.address) = p.value;
    EXPECT_EQ(Check(c.cellLink), c.flags) << c.name;
  }
  // ID blocking and ATIS call lists have no cells to find anything in.
  host.image.Fill(0xFF);
  EXPECT_EQ(Check(LinkNo("CL_Check_IdBlocking_Id")), 0);
  EXPECT_EQ(Check(LinkNo("CL_Check_Atis_Call")), 0);
}

TEST_F(WarningChecksTest, ACheckShowsItsOwnTextAndKeepsTheCallersBits) {
  At(0x23C0) = 1;
  At(0x23C5) = 0xFE;
  Cell cell;
  cell.cellType = TypeNo("CT_Null");
  cell.cellLink = LinkNo("CL_Check_Dsc_SelfId");
  cell.text = "DSC settings";
  CellRequest request;
  request.cell = &cell;
  request.resultFlags = 0x03;
  host.accessor.AccessCell(request, false);
  EXPECT_EQ(request.displayText, "DSC settings");
  EXPECT_EQ(request.resultFlags, 0x03 | kError);
}

// The list checks over the list cells as the memory map serves them.
TEST_F(WarningChecksTest, ListChecksFindTheErrorsOfTheirLists) {
  const int intCheck = LinkNo("CL_Check_Int_ChInh");
  const int canCheck = LinkNo("CL_Check_Can_ChInh");
  const int weatherCheck = LinkNo("CL_Check_WX_ChInh");
  const int indCheck = LinkNo("CL_Check_Dsc_IndId");
  const int grpCheck = LinkNo("CL_Check_Dsc_GrpId");
  const auto idRecord = [](int record) { return 0x25C0 + 16 * record; };
  struct Case {
    const char* name;
    int cellLink;
    std::vector<Poke> setup;
    std::uint8_t flags;
  };
  const Case cases[] = {
      {"INT channels in use", intCheck, {}, 0},
      // Row 200 (0xC8) is the INT P channel and inhibited.
      {"inhibited INT P channel", intCheck, {{0x0BA4, 0xC8}, {0x04B0 + 200, 0x80}}, kError},
      {"inhibited INT channel that is not P", intCheck, {{0x04B0 + 200, 0x80}}, 0},
      {"inhibited CAN C channel", canCheck, {{0x0AE4, 0x10}, {0x0670 + 16, 0x80}}, kError},
      {"the INT list does not see CAN", intCheck, {{0x0AE4, 0x10}, {0x0670 + 16, 0x80}}, 0},
      {"some weather channels", weatherCheck, {{0x0BA0, 0xFF}, {0x0BA1, 0x01}}, 0},
      {"every weather channel masked", weatherCheck, {{0x0BA0, 0xFF}, {0x0BA1, 0x03}}, kError},
      {"an unnamed individual ID",
       indCheck,
       {{idRecord(4), 21}, {idRecord(4) + 5, ' '}, {idRecord(4) + 15, 0}},
       kError},
      {"an unnamed individual ID in the group list",
       grpCheck,
       {{idRecord(4), 21}, {idRecord(4) + 5, ' '}, {idRecord(4) + 15, 0}},
       0},
  };
  for (const Case& c : cases) {
    host.image.Fill(0);
    // Name rows that hold an ID so that only the case's own row can be wrong.
    for (int record = 0; record < 90; ++record) {
      for (int i = 0; i < 5; ++i) At(idRecord(record) + i) = 0xFF;
      for (int i = 5; i < 15; ++i) At(idRecord(record) + i) = 'N';
      At(idRecord(record) + 15) = 0xFF;
    }
    for (const Poke& p : c.setup) At(p.address) = p.value;
    if (c.cellLink == indCheck || c.cellLink == grpCheck) {
      for (int i = 6; i < 15; ++i) At(idRecord(4) + i) = ' ';
      for (int i = 1; i < 5; ++i) At(idRecord(4) + i) = 11;
    }
    EXPECT_EQ(Check(c.cellLink) & kError, c.flags) << c.name;
  }
}

// The list checks ask the list cells row by row and stop at the first that answers.
TEST_F(WarningChecksTest, ListChecksStopEarly) {
  std::vector<std::string> asked;
  host.accessor.Serve(LinkFamily::ChannelListColumns, [&](CellAccess& access) {
    asked.push_back(std::to_string(access.cell.cellType) + ":" + std::to_string(access.cell.index));
    if (access.cell.index == 5 && access.cell.cellType == TypeNo("CT_UsaCh")) {
      access.MarkError();
    }
    access.MarkWarning();  // warnings alone do not count for the channel lists
    return AccessResult::Nothing;
  });
  EXPECT_EQ(Check(LinkNo("CL_Check_Int_ChInh")), 0);
  EXPECT_EQ(asked.size(), 421u);
  EXPECT_EQ(asked.back(), std::to_string(TypeNo("CT_IntCh")) + ":420");
  asked.clear();
  EXPECT_EQ(Check(LinkNo("CL_Check_Usa_ChInh")), kError);
  EXPECT_EQ(asked.size(), 6u);

  std::vector<int> idRows;
  host.accessor.Serve(LinkFamily::DscIdLists, [&](CellAccess& access) {
    idRows.push_back(access.cell.index);
    const bool id = access.cell.cellLink == LinkNo("CL_DscIndId_Id") ||
                    access.cell.cellLink == LinkNo("CL_DscGrpId_Id");
    if (id && access.cell.index == 3) access.MarkWarning();
    if (!id && access.cell.index == 7) access.MarkError();
    return AccessResult::Nothing;
  });
  EXPECT_EQ(Check(LinkNo("CL_Check_Dsc_IndId")), kWarning | kError);
  EXPECT_EQ(idRows.size(), 16u);  // two cells a row, rows 0–7
  idRows.clear();
  host.accessor.Serve(LinkFamily::DscIdLists, [&](CellAccess& access) {
    idRows.push_back(access.cell.index);
    if (access.cell.index == 2) access.MarkWarning();
    return AccessResult::Nothing;
  });
  EXPECT_EQ(Check(LinkNo("CL_Check_Dsc_GrpId")), kWarning);
  EXPECT_EQ(idRows.size(), 60u);  // a warning alone does not stop the list

  std::vector<int> weatherRows;
  host.accessor.Serve(LinkFamily::WeatherChannelList, [&](CellAccess& access) {
    weatherRows.push_back(access.cell.index);
    return AccessResult::Nothing;
  });
  EXPECT_EQ(Check(LinkNo("CL_Check_WX_ChInh")), 0);
  EXPECT_EQ(weatherRows.size(), 10u);
}

}  // namespace
}  // namespace rtv
