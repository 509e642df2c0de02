// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <string>

#include "EditorAccess.h"
#include "MemoryAccessHost.h"
#include "cells/Cell.h"
#include "radio/ChannelRow.h"

namespace rtv {
namespace {

// The bytes a row of a list may change: its own fields, and for a free channel the simplex
// bit of its row in the three channel lists.
std::set<std::int32_t> RowBytes(ListKind kind, int row) {
  std::set<std::int32_t> bytes;
  const auto span = [&bytes](std::int32_t first, int count) {
    for (int i = 0; i < count; ++i) bytes.insert(first + i);
  };
  const int region = ChannelRow::RegionIndex(kind);
  if (region >= 0) {
    span(0x02F0 + 448 * region + row, 1);
    span(0x0BA2 + 2 * region, 2);  // P
    span(0x0AE0 + 2 * region, 2);  // C
    span(0x0F10 + 11 * row, 11);
    if (row >= ChannelRow::kFirstFreeRow) span(0x0834 + 9 * (row - 351), 3);
  } else if (kind == ListKind::DscChannels) {
    span(0x2300 + row, 1);
    span(0x0F10 + 11 * (row < 84 ? row + 3 : row + 96), 11);
  } else if (kind == ListKind::WeatherChannels) {
    span(0x0BA0, 2);
    span(0x2250 + 11 * row, 11);
  } else if (kind == ListKind::FreeChannels) {
    span(0x0830 + 9 * row, 9);
    for (const std::int32_t table : {0x02F0, 0x04B0, 0x0670}) span(table + 351 + row, 1);
  } else {
    span(0x25C0 + 16 * ChannelRow::IdRecord(kind, row), 16);
  }
  return bytes;
}

struct Family {
  int type;
  ListKind kind;
  int firstLink;
  int lastLink;
};

TEST(ListColumnsPropertyTest, RandomInputChangesOnlyTheRowsOwnBytes) {
  const Family families[] = {
      {TypeNo("CT_IntCh"), ListKind::IntChannels, LinkNo("CL_ChList_No_INT"),
       LinkNo("CL_ChList_Comment")},
      {TypeNo("CT_UsaCh"), ListKind::UsaChannels, LinkNo("CL_ChList_No_INT"),
       LinkNo("CL_ChList_Comment")},
      {TypeNo("CT_CanCh"), ListKind::CanChannels, LinkNo("CL_ChList_No_INT"),
       LinkNo("CL_ChList_Comment")},
      {TypeNo("CT_DscCh"), ListKind::DscChannels, LinkNo("CL_DSC_ChNo"), LinkNo("CL_DSC_Comment")},
      {TypeNo("CT_WxCh"), ListKind::WeatherChannels, LinkNo("CL_WX_ChAtr"),
       LinkNo("CL_WX_ChComment")},
      {TypeNo("CT_FreeCh"), ListKind::FreeChannels, LinkNo("CL_Fch_FreqR"),
       LinkNo("CL_Fch_ChName")},
      {TypeNo("CT_DscIndId"), ListKind::DscIndividualIds, LinkNo("CL_DscIndId_Id"),
       LinkNo("CL_DscIndId_Comment")},
      {TypeNo("CT_DscGrpId"), ListKind::DscGroupIds, LinkNo("CL_DscGrpId_Id"),
       LinkNo("CL_DscGrpId_Comment")},
  };
  const CellKey keys[] = {
      CellKey(),           CellKey::Typed('a'),  CellKey::Typed('5'), CellKey::Typed('.'),
      CellKey::Typed('='), CellKey::Typed('-'),  CellKey::Typed(' '), SpecialKey::Backspace,
      SpecialKey::Enter,   SpecialKey::Activate, SpecialKey::F1,      SpecialKey::F5,
      CellKey::Typed('~'), SpecialKey::Left,     SpecialKey::Right,   SpecialKey::F2,
      SpecialKey::F3,      SpecialKey::F4,       SpecialKey::F11,     SpecialKey::F12};
  const char* const texts[] = {
      "",      "156.8", "123456789", "12345678",     "abc",     "\xC3\xA9t\xFF", "99", "200",
      "-5:30", "0",     "161.775",   "999999999999", " 1 2 3 ", "off",           "<-"};

  std::mt19937 random(612);
  const auto pick = [&random](int n) {
    return static_cast<int>(random() % static_cast<unsigned>(n));
  };
  MemoryAccessHost host(RTV_DATA_DIR "/RTV612.OVL");
  RecordingPopupHost popupHost;
  for (int round = 0; round < 4; ++round) {
    // Zero, then random images: the accessor meets whatever a file holds.
    for (std::int32_t a = 0; a < kMemoryMapExtent; ++a) {
      host.image.SetByte(a, round == 0 ? 0 : static_cast<std::uint8_t>(random()));
    }
    host.usedOnly = round % 2 == 1;
    for (int step = 0; step < 1500; ++step) {
      const Family& family = families[pick(8)];
      Cell cell;
      cell.cellType = family.type;
      cell.cellLink = family.firstLink + pick(family.lastLink - family.firstLink + 1);
      const int rows = ListRowCount(family.kind);
      cell.index = pick(20) == 0 ? rows + pick(3) - 1 : pick(rows);
      Cell chosen;
      chosen.cellLink = pick(4) == 0 ? pick(3) : 1;
      chosen.index = pick(9) - 2;
      CellRequest request;
      request.cell = &cell;
      request.popupHost = pick(5) == 0 ? nullptr : &popupHost;
      request.key = keys[pick(std::size(keys))];
      switch (pick(4)) {
        case 0:
          request.commit = CellCommit::Text;
          request.editText = texts[pick(std::size(texts))];
          break;
        case 1:
          request.commit = CellCommit::Choice;
          request.popupChoice = pick(6) == 0 ? nullptr : &chosen;
          break;
        default:
          break;
      }
      const int commands[] = {
          0, 0, 0, LinkNo("CL_PMenu_Edit"), LinkNo("CL_PMenu_Help"), LinkNo("CL_PMenu_WinCopy")};
      request.command = commands[pick(std::size(commands))];

      const EepromImage before = host.image;
      host.accessor.AccessCell(request, true);
      const std::set<std::int32_t> allowed = cell.index >= 0 && cell.index < rows
                                                 ? RowBytes(family.kind, cell.index)
                                                 : std::set<std::int32_t>{};
      const std::uint8_t* now = host.image.Data();
      const std::uint8_t* then = before.Data();
      const bool same = std::memcmp(now, then, static_cast<std::size_t>(host.image.Size())) == 0;
      for (std::int32_t a = 0; !same && a < host.image.Size(); ++a) {
        if (now[a] != then[a] && allowed.count(a) == 0) {
          ADD_FAILURE() << "cellLink " << cell.cellLink << " row " << cell.index << " key "
                        << request.key << " changed " << std::hex << a;
          return;
        }
      }
      for (const char c : request.displayText) {
        ASSERT_TRUE(c >= 0x20 && c < 0x7F) << "cellLink " << cell.cellLink << " shows a byte "
                                           << static_cast<int>(static_cast<unsigned char>(c));
      }
    }
  }
}

}  // namespace
}  // namespace rtv
