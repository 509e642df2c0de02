// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/WeatherColumns.h"

#include "base/Message.h"
#include "cells/Cell.h"
#include "cells/CellAccessHost.h"
#include "radio/ChannelRow.h"
#include "radio/EepromImage.h"
#include "radio/ItemAccessor.h"
#include "radio/ListColumn.h"
#include "radio/MemoryLayout.h"
#include "radio/ModelFixedFields.h"

namespace rtv {
namespace {

constexpr int kLinkUse = LinkNo("CL_WX_ChAtr");
constexpr int kLinkComment = LinkNo("CL_WX_ChComment");
constexpr int kAllRowsUnused = (1 << ChannelRow::kWeatherRows) - 1;

}  // namespace

AccessResult WeatherColumns::Serve(CellAccess& access) {
  ChannelRow* row = ListColumn::RowOf(access, ListKind::WeatherChannels, ListKind::WeatherChannels);
  if (row == nullptr) return AccessResult::Nothing;
  const int cellLink = access.cell.cellLink;
  bool changed = false;
  AccessResult result = AccessResult::Nothing;
  if (cellLink == kLinkUse) {
    // Some models put their own weather channels back on saving.
    if (ModelFixedFields::Covers(access.host.CellModelType(), MemoryLayout::kWeatherMask,
                                 MemoryLayout::kWeatherMask + 1, 0xFF)) {
      access.MarkFixedByModel();
    }
    result = ListColumn::ChoiceBit(access, "GI_Sheet_Sel_Misc_Used", row->inhibited, changed);
    if (changed) {
      row->ReloadRow();
      access.extraFlags |= ItemAccessor::kAccessUseChanged;
      access.host.PostBusMessage(msg::RedrawLink{cellLink});
    }
    // The radio needs at least one weather channel.
    const EepromImage& image = row->image();
    const int mask = image.GetByte(MemoryLayout::kWeatherMask) |
                     image.GetByte(MemoryLayout::kWeatherMask + 1) << 8;
    if ((mask & kAllRowsUnused) == kAllRowsUnused)
      access.MarkError(CellMarkReason::NoWeatherChannel);
  } else if (cellLink == kLinkComment) {
    if (row->inhibited) {
      access.ShowReadOnly("---");
    } else {
      result = ListColumn::Text(access, row->CommentBytes(), TextEditor::Charset::Radio, changed);
      if (changed) row->ReloadRow();
    }
  }
  return result;
}

}  // namespace rtv
