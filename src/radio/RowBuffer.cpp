// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/RowBuffer.h"

#include <algorithm>

#include "radio/MemoryLayout.h"
#include "radio/ModelFixedFields.h"

namespace rtv {
namespace {

// A plan's attribute bits that belong to the free channel it lists: in use, favourite,
// power and TX inhibit. Simplex follows the channel's frequencies; the rest is the model's.
constexpr std::uint8_t kPlanChannelBits = 0xE4;

bool IsChannelKind(ListKind kind) {
  return kind == ListKind::IntChannels || kind == ListKind::UsaChannels ||
         kind == ListKind::CanChannels || kind == ListKind::DscChannels ||
         kind == ListKind::WeatherChannels;
}

void TransferPlanRow(const ChannelRow& from, ChannelRow& to, RowWrite write) {
  if (write == RowWrite::Whole) {
    RowBuffer::Transfer(from, to);
    return;
  }
  if (write == RowWrite::Defaults) to.inhibited = from.inhibited;
  // A channel out of use shows nothing else to type into.
  if (write == RowWrite::Content && to.inhibited) return;
  to.favourite = from.favourite;
  to.txInhibit = from.txInhibit;
  to.power = from.power;
  to.comment = from.comment;
  if (!to.IsVariantRow() && !to.IsFreeRow()) to.simplex = from.simplex;
}

void TransferDscRow(const ChannelRow& from, ChannelRow& to, RowWrite write) {
  if (!to.fixed) {
    to.inhibited = from.inhibited;
    to.txInhibit = from.txInhibit;
  }
  // Used neither way: nothing else to type into.
  if (write == RowWrite::Content && to.inhibited && to.txInhibit) return;
  to.power = from.power;
  to.comment = from.comment;
  if (!to.IsVariantRow()) to.simplex = from.simplex;
}

void TransferWeatherRow(const ChannelRow& from, ChannelRow& to, RowWrite write, int modelType) {
  if (!ModelFixedFields::Covers(modelType, MemoryLayout::kWeatherMask,
                                MemoryLayout::kWeatherMask + 1, 0xFF)) {
    to.inhibited = from.inhibited;
  }
  if (write == RowWrite::Content && to.inhibited) return;
  to.comment = from.comment;
}

void TransferFreeRow(const ChannelRow& from, ChannelRow& to, RowWrite write) {
  to.freeName = from.freeName;
  // A channel without a name takes no frequencies.
  if (write == RowWrite::Content && to.FreeNameBlank()) return;
  to.rxEmpty = from.rxEmpty;
  to.txEmpty = from.txEmpty;
  to.rxFrequency = from.rxFrequency;
  to.txFrequency = from.txFrequency;
  to.valid = from.valid;
}

}  // namespace

void RowBuffer::Clear() {
  rows_.clear();
  plans_.clear();
  kind_ = ListKind::None;
  firstRow_ = 0;
}

void RowBuffer::Capture(EepromImage& image, ListKind kind, int firstRow, int count) {
  std::vector<int> rows;
  for (int row = firstRow; row < firstRow + count; ++row) rows.push_back(row);
  Capture(image, kind, rows);
  if (!rows_.empty()) firstRow_ = std::max(firstRow, 0);
}

void RowBuffer::Capture(EepromImage& image, ListKind kind, const std::vector<int>& rows) {
  Clear();
  if (ListRowCount(kind) == 0) return;
  for (const int row : rows) {
    if (!InList(kind, row)) continue;
    rows_.emplace_back(values_);
    LoadOne(image, kind, row, rows_.back());
    if (kind == ListKind::FreeChannels) plans_.push_back(LoadPlanEntries(image, row));
  }
  if (!rows_.empty()) {
    kind_ = kind;
    firstRow_ = rows_.front().row;
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

void RowBuffer::Put(EepromImage& image, ListKind kind, int firstRow, int n, RowWrite write,
                    int modelType) const {
  std::vector<int> rows;
  for (int i = 0; i < std::min(Count(), n); ++i) rows.push_back(firstRow + i);
  Put(image, kind, rows, write, modelType);
}

void RowBuffer::Put(EepromImage& image, ListKind kind, const std::vector<int>& rows, RowWrite write,
                    int modelType) const {
  if (!Holds(kind)) return;
  const std::size_t count = std::min(rows_.size(), rows.size());
  for (std::size_t i = 0; i < count; ++i) {
    const int row = rows[i];
    if (!InList(kind, row)) continue;
    // The plans first: storing the channel then sets its simplex bit in them.
    if (i < plans_.size()) StorePlanEntries(image, row, plans_[i]);
    StoreOne(image, kind, row, rows_[i], write, modelType);
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

void RowBuffer::StoreOne(EepromImage& image, ListKind kind, int row, const ChannelRow& record,
                         RowWrite write, int modelType) {
  if (!InList(kind, row)) return;
  ChannelRow target(image);
  target.LoadRow(kind, row);
  if (!target.loaded()) return;
  ChannelRow before(image);
  Transfer(target, before);
  switch (kind) {
    case ListKind::IntChannels:
    case ListKind::UsaChannels:
    case ListKind::CanChannels:
      TransferPlanRow(record, target, write);
      break;
    case ListKind::DscChannels:
      TransferDscRow(record, target, write);
      break;
    case ListKind::WeatherChannels:
      TransferWeatherRow(record, target, write, modelType);
      break;
    case ListKind::FreeChannels:
      TransferFreeRow(record, target, write);
      break;
    default:
      Transfer(record, target);
      break;
  }
  // A row left as it was is not stored again: storing can set bits that loading derives
  // (the simplex mark of a variant row), and nothing about the row was to change.
  if (!SameContents(before, target)) target.StoreRow();
}

bool RowBuffer::SameContents(const ChannelRow& a, const ChannelRow& b) {
  return a.pFlag == b.pFlag && a.cFlag == b.cFlag && a.inhibited == b.inhibited &&
         a.favourite == b.favourite && a.txInhibit == b.txInhibit && a.power == b.power &&
         a.simplex == b.simplex && a.comment == b.comment && a.idKind == b.idKind && a.id == b.id &&
         a.valid == b.valid && a.rxEmpty == b.rxEmpty && a.txEmpty == b.txEmpty &&
         a.rxFrequency == b.rxFrequency && a.txFrequency == b.txFrequency &&
         a.freeName == b.freeName;
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

void RowBuffer::CopyPlanEntries(const EepromImage& from, EepromImage& to, int freeRow) {
  if (from.Size() < kMemoryMapExtent || to.Size() < kMemoryMapExtent) return;
  StorePlanEntries(to, freeRow, LoadPlanEntries(from, freeRow));
}

RowBuffer::PlanEntries RowBuffer::LoadPlanEntries(const EepromImage& image, int freeRow) {
  PlanEntries entries;
  if (image.Size() < kMemoryMapExtent) return entries;
  const int row = ChannelRow::kFirstFreeRow + freeRow;
  for (int region = 0; region < ChannelRow::kRegions; ++region) {
    entries.attributes[static_cast<std::size_t>(region)] =
        image.GetByte(ChannelRow::AttributeAddress(region, row));
  }
  for (std::size_t i = 0; i < entries.comment.size(); ++i) {
    entries.comment[i] =
        image.GetByte(ChannelRow::CommentAddress(row) + static_cast<std::int32_t>(i));
  }
  return entries;
}

void RowBuffer::StorePlanEntries(EepromImage& image, int freeRow, const PlanEntries& entries) {
  if (image.Size() < kMemoryMapExtent) return;
  const int row = ChannelRow::kFirstFreeRow + freeRow;
  for (int region = 0; region < ChannelRow::kRegions; ++region) {
    const std::int32_t address = ChannelRow::AttributeAddress(region, row);
    const auto kept = static_cast<std::uint8_t>(image.GetByte(address) & ~kPlanChannelBits);
    const auto carried = static_cast<std::uint8_t>(
        entries.attributes[static_cast<std::size_t>(region)] & kPlanChannelBits);
    image.SetByte(address, static_cast<std::uint8_t>(kept | carried));
  }
  image.WriteBlock(ChannelRow::CommentAddress(row), entries.comment.data(),
                   static_cast<std::int32_t>(entries.comment.size()));
}

}  // namespace rtv
