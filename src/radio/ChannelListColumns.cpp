// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/ChannelListColumns.h"

#include <cstdio>

#include "base/Message.h"
#include "cells/Cell.h"
#include "cells/CellAccessHost.h"
#include "cells/MarkFlagsEditor.h"
#include "radio/ChannelRow.h"
#include "radio/EepromImage.h"
#include "radio/ItemAccessor.h"
#include "radio/ListColumn.h"
#include "radio/MemoryLayout.h"

namespace rtv {
namespace {

constexpr int kLinkNumberInt = LinkNo("CL_ChList_No_INT");
constexpr int kLinkNumberUsa = LinkNo("CL_ChList_No_USA");
constexpr int kLinkNumberCan = LinkNo("CL_ChList_No_CAN");
constexpr int kLinkAttributes = LinkNo("CL_ChList_Atr");
constexpr int kLinkFavourite = LinkNo("CL_ChList_Fav");
constexpr int kLinkTxInhibit = LinkNo("CL_ChList_TxInh");
constexpr int kLinkPower = LinkNo("CL_ChList_Pwr");
constexpr int kLinkSimplex = LinkNo("CL_ChList_Simp");
constexpr int kLinkComment = LinkNo("CL_ChList_Comment");

constexpr const char* kAttributesUsedList = "GI_Sheet_Sel_ChATRUse";
constexpr const char* kAttributesAllList = "GI_Sheet_Sel_ChATRAll";

// The region whose simplified display setting a number column follows.
ListKind NumberRegion(int cellLink) {
  if (cellLink == kLinkNumberUsa) return ListKind::UsaChannels;
  if (cellLink == kLinkNumberCan) return ListKind::CanChannels;
  return ListKind::IntChannels;
}

}  // namespace

AccessResult ChannelListColumns::Serve(CellAccess& access) {
  ChannelRow* row = ListColumn::RowOf(access, ListKind::IntChannels, ListKind::CanChannels);
  if (row == nullptr) return AccessResult::Nothing;
  const int cellLink = access.cell.cellLink;
  bool changed = false;
  AccessResult result = AccessResult::Nothing;
  switch (cellLink) {
    case kLinkNumberInt:
    case kLinkNumberUsa:
    case kLinkNumberCan:
      ShowNumber(access, *row);
      return AccessResult::Nothing;
    case kLinkAttributes:
      return ServeAttributes(access, *row);
    case kLinkFavourite:
      result = ListColumn::ChoiceBit(access, "GI_Sheet_Sel_ChFav", row->favourite, changed);
      break;
    case kLinkTxInhibit:
      result = ListColumn::ChoiceBit(access, "GI_Sheet_Sel_ChTxInh", row->txInhibit, changed);
      break;
    case kLinkPower:
      result = ListColumn::ChoiceBit(access, "GI_Sheet_Sel_ChPwr", row->power, changed);
      break;
    case kLinkSimplex:
      result = ListColumn::ChoiceBit(access, "GI_Sheet_Sel_ChSimp", row->simplex, changed);
      break;
    case kLinkComment:
      result = ListColumn::Text(access, row->CommentBytes(), TextEditor::Charset::Radio, changed);
      break;
    default:
      break;
  }
  if (changed) row->ReloadRow();
  return result;
}

void ChannelListColumns::ShowNumber(CellAccess& access, const ChannelRow& row) {
  char text[16];
  if (row.IsFreeRow()) {
    // The free name as the radio shows it; bytes it cannot show are spaces.
    int n = 0;
    for (const char c : row.freeName) {
      if (c == '\0') break;
      const auto u = static_cast<unsigned char>(c);
      text[n++] = u >= 0x20 && u < 0x7F ? c : ' ';
    }
    text[n++] = ' ';
    text[n] = '\0';
  } else {
    const int channel = row.row / 3;
    const int variant = row.row % 3;
    const int region = ChannelRow::RegionIndex(NumberRegion(access.cell.cellLink));
    const EepromImage& image = row.image();
    if (image.GetByte(MemoryLayout::kSimplifiedDisplay + region) != 0) {
      static constexpr const char* kMarks[] = {"  ", "A", "B"};
      std::snprintf(text, sizeof text, "%d%s", channel, kMarks[variant]);
    } else {
      std::snprintf(text, sizeof text, "%d", channel + variant * 1000);
    }
  }
  access.ShowReadOnly(text);
}

AccessResult ChannelListColumns::ServeAttributes(CellAccess& access, ChannelRow& row) {
  const bool usedOnly = access.host.ChannelSheetsUsedOnly();
  int marks = (row.pFlag ? MarkFlagsEditor::kFlagP : 0) | (row.cFlag ? MarkFlagsEditor::kFlagC : 0);
  MarkFlagsEditor editor(usedOnly ? kAttributesUsedList : kAttributesAllList, marks, !usedOnly);
  const AccessResult result = editor.Serve(access.request);
  bool changed = false;
  if (editor.changed()) {
    // Making a channel the P or C channel puts it in use.
    row.pFlag = (marks & MarkFlagsEditor::kFlagP) != 0;
    row.cFlag = (marks & MarkFlagsEditor::kFlagC) != 0;
    row.inhibited = false;
    changed = true;
  }
  if (editor.action() == MarkFlagsEditor::Action::Toggle) {
    row.inhibited = !row.inhibited;
    changed = true;
  }
  if (changed) {
    row.ReloadRow();
    access.extraFlags |= ItemAccessor::kAccessUseChanged;
    access.host.PostBusMessage(msg::ChannelsInUseChanged{});
  }
  if (editor.action() == MarkFlagsEditor::Action::Jump) {
    access.host.PostBusMessage(msg::SwitchChannelView{});
  }
  const bool unusable = row.inhibited || (row.IsFreeRow() && row.FreeNameBlank());
  if (unusable && (row.pFlag || row.cFlag)) access.MarkError(CellMarkReason::PriorityChannelUnused);
  return result;
}

}  // namespace rtv
