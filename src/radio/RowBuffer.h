// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "cells/CellCatalog.h"
#include "radio/ChannelRow.h"
#include "radio/EepromImage.h"

namespace rtv {

// What storing a held row may change in the row it lands on.
enum class RowWrite : std::uint8_t {
  // Every field: rows moved within their own list.
  Whole,
  // What typing into the row's cells could change, and of a channel plan's row not whether
  // the channel is in use nor its P/C marks: those belong to the plan, not to the row.
  Content,
  // A fixed list's row put back to the model's: its use and its content, not the P/C marks.
  Defaults,
};

// Whole list rows held as row records, not image bytes: a row is read and written through
// the row store, so it can be put back into any image and at any row of its kind. A free
// channel is held together with what each channel plan says of it (its attribute and
// comment there), so that it moves as one.
class RowBuffer {
 public:
  RowBuffer() = default;
  RowBuffer(const RowBuffer&) = delete;
  RowBuffer& operator=(const RowBuffer&) = delete;

  void Clear();
  // Loads `count` consecutive rows from `firstRow`; rows outside the kind's list are skipped.
  void Capture(EepromImage& image, ListKind kind, int firstRow, int count);
  // Loads the given rows, in order.
  void Capture(EepromImage& image, ListKind kind, const std::vector<int>& rows);
  // Fills the buffer with `count` blank rows of the kind.
  void MakeBlank(ListKind kind, int firstRow, int count);
  bool Holds(ListKind kind) const { return kind_ != ListKind::None && kind_ == kind; }
  // Stores rows 0 … min(count, n) − 1 at firstRow, firstRow + 1, …, when the buffer holds
  // the kind; rows past the end of the list are dropped.
  void Put(EepromImage& image, ListKind kind, int firstRow, int n, RowWrite write = RowWrite::Whole,
           int modelType = 0) const;
  // Stores row i at rows[i] while both last.
  void Put(EepromImage& image, ListKind kind, const std::vector<int>& rows, RowWrite write,
           int modelType) const;

  ListKind Kind() const { return kind_; }
  int FirstRow() const { return firstRow_; }
  int Count() const { return static_cast<int>(rows_.size()); }
  const ChannelRow& Row(int i) const { return rows_.at(static_cast<std::size_t>(i)); }

  // One row of `image` into `record` (which may live on another image).
  static void LoadOne(EepromImage& image, ListKind kind, int row, ChannelRow& record);
  // `record` stored as row `row` of `image`, changing what `write` allows. DSC channel 16
  // keeps its use bits: it is the fixed row that no paste or clear may switch off; a model
  // that fixes the weather channels keeps them.
  static void StoreOne(EepromImage& image, ListKind kind, int row, const ChannelRow& record,
                       RowWrite write = RowWrite::Whole, int modelType = 0);
  // Every field zero except: not valid, RX and TX blank, ID kind empty and ID bytes 0xFF.
  // Stored, it writes an empty record.
  static void MakeBlankRow(ChannelRow& record);
  // The row's contents, without its place (kind and row) or its derived fixed mark.
  static void Transfer(const ChannelRow& from, ChannelRow& to);
  // The two records hold the same contents (their places aside).
  static bool SameContents(const ChannelRow& a, const ChannelRow& b);
  // A row record holds data: an ID row with an ID, a free channel with a frequency or a
  // name, a channel row with any mark or comment.
  static bool HoldsData(const ChannelRow& record);
  // What the channel plans say of free channel `freeRow` is made the same as in `from`.
  static void CopyPlanEntries(const EepromImage& from, EepromImage& to, int freeRow);

 private:
  // What each channel plan says of one free channel.
  struct PlanEntries {
    std::array<std::uint8_t, ChannelRow::kRegions> attributes{};
    std::array<std::uint8_t, ChannelRow::kCommentRecordSize> comment{};
  };
  static PlanEntries LoadPlanEntries(const EepromImage& image, int freeRow);
  static void StorePlanEntries(EepromImage& image, int freeRow, const PlanEntries& entries);
  static bool InList(ListKind kind, int row) { return row >= 0 && row < ListRowCount(kind); }

  EepromImage values_;  // empty: the rows hold values only and are never stored from here
  std::vector<ChannelRow> rows_;
  std::vector<PlanEntries> plans_;  // free channels only, one per row
  ListKind kind_ = ListKind::None;
  int firstRow_ = 0;
};

}  // namespace rtv
