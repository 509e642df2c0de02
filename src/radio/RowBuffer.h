// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "cells/CellCatalog.h"
#include "radio/ChannelRow.h"
#include "radio/EepromImage.h"

namespace rtv {

// Whole list rows held as row records, not image bytes: a row is read and written through
// the row store, so it can be put back into any image and at any row of its kind.
class RowBuffer {
 public:
  RowBuffer() = default;
  RowBuffer(const RowBuffer&) = delete;
  RowBuffer& operator=(const RowBuffer&) = delete;

  void Clear();
  // Loads `count` consecutive rows from `firstRow`; rows outside the kind's list are skipped.
  void Capture(EepromImage& image, ListKind kind, int firstRow, int count);
  // Fills the buffer with `count` blank rows of the kind.
  void MakeBlank(ListKind kind, int firstRow, int count);
  bool Holds(ListKind kind) const { return kind_ != ListKind::None && kind_ == kind; }
  // Stores rows 0 … min(count, n) − 1 at firstRow, firstRow + 1, …, when the buffer holds
  // the kind; rows past the end of the list are dropped.
  void Put(EepromImage& image, ListKind kind, int firstRow, int n) const;

  ListKind Kind() const { return kind_; }
  int FirstRow() const { return firstRow_; }
  int Count() const { return static_cast<int>(rows_.size()); }
  const ChannelRow& Row(int i) const { return rows_.at(static_cast<std::size_t>(i)); }

  // One row of `image` into `record` (which may live on another image).
  static void LoadOne(EepromImage& image, ListKind kind, int row, ChannelRow& record);
  // `record` stored as row `row` of `image`. DSC channel 16 keeps its use bits: it is the
  // fixed row that no paste or clear may switch off.
  static void StoreOne(EepromImage& image, ListKind kind, int row, const ChannelRow& record);
  // Every field zero except: not valid, RX and TX blank, ID kind empty and ID bytes 0xFF.
  // Stored, it writes an empty record.
  static void MakeBlankRow(ChannelRow& record);
  // The row's contents, without its place (kind and row) or its derived fixed mark.
  static void Transfer(const ChannelRow& from, ChannelRow& to);
  // A row record holds data: an ID row with an ID, a free channel with a frequency or a
  // name, a channel row with any mark or comment.
  static bool HoldsData(const ChannelRow& record);

 private:
  static bool InList(ListKind kind, int row) { return row >= 0 && row < ListRowCount(kind); }

  EepromImage values_;  // empty: the rows hold values only and are never stored from here
  std::vector<ChannelRow> rows_;
  ListKind kind_ = ListKind::None;
  int firstRow_ = 0;
};

}  // namespace rtv
