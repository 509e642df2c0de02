// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/FreeChannelColumns.h"

#include "cells/Cell.h"
#include "cells/FrequencyEditor.h"
#include "radio/ChannelRow.h"
#include "radio/ListColumn.h"

namespace rtv {
namespace {

constexpr int kLinkRx = LinkNo("CL_Fch_FreqR");
constexpr int kLinkTx = LinkNo("CL_Fch_FreqT");
constexpr int kLinkName = LinkNo("CL_Fch_ChName");

AccessResult ServeFrequency(CellAccess& access, ChannelRow& row, bool tx) {
  FreeFrequencies frequencies{row.rxFrequency, row.txFrequency, row.rxEmpty, row.txEmpty};
  FrequencyEditor editor(frequencies, tx, row.valid);
  const AccessResult result = editor.Serve(access.request);
  if (editor.changed()) {
    row.rxFrequency = frequencies.rx;
    row.txFrequency = frequencies.tx;
    row.rxEmpty = frequencies.rxBlank;
    row.txEmpty = frequencies.txBlank;
    row.ReloadRow();
  }
  return result;
}

}  // namespace

AccessResult FreeChannelColumns::Serve(CellAccess& access) {
  ChannelRow* row = ListColumn::RowOf(access, ListKind::FreeChannels, ListKind::FreeChannels);
  const int cellLink = access.cell.cellLink;
  if (cellLink != kLinkRx && cellLink != kLinkTx && cellLink != kLinkName) {
    ListColumn::ShowNotServed(access);
    return AccessResult::Nothing;
  }
  if (row == nullptr) return AccessResult::Nothing;
  if (cellLink != kLinkName) return ServeFrequency(access, *row, cellLink == kLinkTx);
  bool changed = false;
  const AccessResult result =
      ListColumn::Text(access, row->FreeNameBytes(), TextEditor::Charset::FreeName, changed);
  if (changed) row->ReloadRow();
  return result;
}

}  // namespace rtv
