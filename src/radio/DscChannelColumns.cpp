// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/DscChannelColumns.h"

#include <string>

#include "base/Message.h"
#include "cells/Cell.h"
#include "cells/CellAccessHost.h"
#include "radio/ChannelRow.h"
#include "radio/ItemAccessor.h"
#include "radio/ListColumn.h"

namespace rtv {
namespace {

constexpr int kLinkNumber = LinkNo("CL_DSC_ChNo");
constexpr int kLinkTxUse = LinkNo("CL_DSC_ChAtrTX");
constexpr int kLinkRxUse = LinkNo("CL_DSC_ChAtrRX");
constexpr int kLinkPower = LinkNo("CL_DSC_Pwr");
constexpr int kLinkSimplex = LinkNo("CL_DSC_ChSimp");
constexpr int kLinkComment = LinkNo("CL_DSC_Comment");

constexpr const char* kUseList = "GI_Sheet_Sel_Misc_Used";

}  // namespace

AccessResult DscChannelColumns::Serve(CellAccess& access) {
  ChannelRow* row = ListColumn::RowOf(access, ListKind::DscChannels, ListKind::DscChannels);
  if (row == nullptr) return AccessResult::Nothing;
  const int cellLink = access.cell.cellLink;
  CellRequest& request = access.request;
  if (cellLink == kLinkNumber) {
    const int channel = ChannelRow::DscChannel(row->row) + row->row % 3 * 1000;
    request.displayText = std::to_string(channel);
    return AccessResult::Nothing;
  }

  bool changed = false;
  AccessResult result = AccessResult::Nothing;
  if (cellLink == kLinkTxUse || cellLink == kLinkRxUse) {
    if (row->fixed) access.MarkReadOnly();
    if (cellLink == kLinkTxUse && !row->simplex) access.MarkGreyed();  // a duplex channel
    bool& use = cellLink == kLinkTxUse ? row->txInhibit : row->inhibited;
    result = ListColumn::ChoiceBit(access, kUseList, use, changed);
    if (changed) {
      access.extraFlags |= ItemAccessor::kAccessUseChanged;
      access.host.PostBusMessage(msg::RedrawLink{cellLink});
    }
  } else if (row->txInhibit && row->inhibited) {
    access.ShowReadOnly("---");  // used neither way: nothing else to set
  } else if (cellLink == kLinkPower) {
    result = ListColumn::ChoiceBit(access, "GI_Sheet_Sel_ChPwr", row->power, changed);
  } else if (cellLink == kLinkSimplex) {
    if (row->IsVariantRow()) {
      access.ShowReadOnly("---");
    } else {
      result = ListColumn::ChoiceBit(access, "GI_Sheet_Sel_ChSimp", row->simplex, changed);
    }
  } else if (cellLink == kLinkComment) {
    result = ListColumn::Text(access, row->CommentBytes(), TextEditor::Charset::Radio, changed);
  }
  if (changed) row->ReloadRow();
  return result;
}

}  // namespace rtv
