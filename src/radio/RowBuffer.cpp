// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/RowBuffer.h"

#include <algorithm>

namespace rtv {
namespace {

bool IsChannelKind(ListKind kind) {
  return kind == ListKind::IntChannels || kind == ListKind::UsaChannels ||
         kind == ListKind::CanChannels || kind == ListKind::DscChannels ||
         kind == ListKind::WeatherChannels;
}

}  // namespace

void RowBuffer::Clear() {
  rows_.clear();
  kind_ = ListKind::None;
  firstRow_ = 0;
}

void RowBuffer::Capture(EepromImage& image, ListKind kind, int firstRow, int count) {
  Clear();
  if (ListRowCount(kind) == 0) return;
  for (int row = firstRow; row < firstRow + count; ++row) {
    if (!InList(kind, row)) continue;
    rows_.emplace_back(values_);
    LoadOne(image, kind, row, rows_.back());
  }
  if (!rows_.empty()) {
    kind_ = kind;
    firstRow_ = std::max(firstRow, 0);
  }
}

void RowBuffer::MakeBlank(ListKind kind, int firstRow, int count) {
  Clear();
  if (ListRowCount(kind) == 0 || count < 1) return;
  for (int i = 0; i < count; ++i) {
    rows_.emplace_back(values_);
    MakeBlankRow(rows_.back());
    rows_.back().kind = kind;
    rows_.back().row = firstRow + i;
  }
  kind_ = kind;
  firstRow_ = firstRow;
}

void RowBuffer::Put(EepromImage& image, ListKind kind, int firstRow, int n) const {
  if (!Holds(kind)) return;
  const int count = std::min(Count(), n);
  for (int i = 0; i < count; ++i) {
    if (InList(kind, firstRow + i)) StoreOne(image, kind, firstRow + i, Row(i));
  }
}

void RowBuffer::LoadOne(EepromImage& image, ListKind kind, int row, ChannelRow& record) {
  ChannelRow loaded(image);
  loaded.LoadRow(kind, row);
  Transfer(loaded, record);
  record.kind = kind;
  record.row = row;
  record.fixed = loaded.fixed;
}

void RowBuffer::StoreOne(EepromImage& image, ListKind kind, int row, const ChannelRow& record) {
  if (!InList(kind, row)) return;
  ChannelRow target(image);
  target.LoadRow(kind, row);
  const bool fixed = target.fixed;
  const bool rxUse = target.inhibited;
  const bool txUse = target.txInhibit;
  Transfer(record, target);
  if (fixed) {
    target.inhibited = rxUse;
    target.txInhibit = txUse;
  }
  target.StoreRow();
}

void RowBuffer::MakeBlankRow(ChannelRow& record) {
  record.pFlag = false;
  record.cFlag = false;
  record.inhibited = false;
  record.fixed = false;
  record.favourite = false;
  record.txInhibit = false;
  record.power = false;
  record.simplex = false;
  record.comment.fill('\0');
  record.idKind = ChannelRow::kIdEmpty;
  record.id.fill(0xFF);
  record.valid = false;
  record.rxEmpty = true;
  record.txEmpty = true;
  record.rxFrequency = 0;
  record.txFrequency = 0;
  record.freeName.fill('\0');
}

void RowBuffer::Transfer(const ChannelRow& from, ChannelRow& to) {
  to.pFlag = from.pFlag;
  to.cFlag = from.cFlag;
  to.inhibited = from.inhibited;
  to.favourite = from.favourite;
  to.txInhibit = from.txInhibit;
  to.power = from.power;
  to.simplex = from.simplex;
  to.comment = from.comment;
  to.idKind = from.idKind;
  to.id = from.id;
  to.valid = from.valid;
  to.rxEmpty = from.rxEmpty;
  to.txEmpty = from.txEmpty;
  to.rxFrequency = from.rxFrequency;
  to.txFrequency = from.txFrequency;
  to.freeName = from.freeName;
}

bool RowBuffer::HoldsData(const ChannelRow& record) {
  switch (record.kind) {
    case ListKind::DscIndividualIds:
    case ListKind::DscGroupIds:
      return record.valid;
    case ListKind::FreeChannels:
      return !record.rxEmpty || !record.txEmpty || !record.FreeNameBlank();
    default:
      break;
  }
  if (!IsChannelKind(record.kind)) return false;
  // Simplex is left out: it is forced on the duplex variants of a channel.
  return record.pFlag || record.cFlag || record.inhibited || record.favourite || record.txInhibit ||
         record.power || !record.CommentBlank();
}

}  // namespace rtv
