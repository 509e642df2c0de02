// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/RowOperations.h"

#include <algorithm>

#include "base/Message.h"
#include "base/Prompts.h"
#include "base/StatusColours.h"
#include "cells/CellAccessHost.h"
#include "cells/CellRequest.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {}  // namespace

RowOperations::Rows RowOperations::RowsOf(ListKind kind) {
  const int count = ListRowCount(kind);
  if (count == 0) return {0, -1, false, false};
  // Channel plans, DSC and weather channels are fixed tables: each row is one channel.
  const bool entries = kind == ListKind::FreeChannels || kind == ListKind::DscIndividualIds ||
                       kind == ListKind::DscGroupIds;
  return {0, count - 1, true, entries};
}

RowOperations::RowOperations(CellAccessHost& host, OverlayText& overlay, Prompts& prompts)
    : host_(host), overlay_(overlay), prompts_(prompts) {}

bool RowOperations::IsEnabled(int command, ListKind kind) const {
  const Rows rows = RowsOf(kind);
  switch (command) {
    case kCopy:
      return rows.last >= rows.first;
    case kPaste:
      return buffer_.Holds(kind);
    case kClear:
      return rows.clearable;
    case kCarryUp:
    case kCarryDown:
    case kDelete:
    case kInsert:
      return rows.movable;
    default:
      return false;
  }
}

bool RowOperations::Shown(ListKind kind, int row) {
  if (ChannelRow::RegionIndex(kind) < 0) return true;
  EepromImage* image = host_.CellImage();
  if (image == nullptr) return false;
  ChannelRow record(*image);
  record.LoadRow(kind, row);
  if (!record.loaded()) return false;
  if (record.pFlag || record.cFlag) return true;
  const bool named = !record.IsFreeRow() || !record.FreeNameBlank();
  return host_.ChannelSheetsUsedOnly() ? named && !record.inhibited : named;
}

bool RowOperations::Run(int command, ListKind kind, int currentRow, CellRequest& request) {
  const Rows rows = RowsOf(kind);
  image_ = host_.CellImage();
  if (image_ == nullptr || currentRow < rows.first || currentRow > rows.last) return false;
  if (!IsEnabled(command, kind)) return false;
  Target t{kind, rows, currentRow, currentRow, currentRow, {currentRow}};
  if ((request.rangeFlags & CellRequest::kRangeSelected) != 0) {
    t.first = std::clamp(std::min(request.rangeFirst, request.rangeLast), rows.first, rows.last);
    t.last = std::clamp(std::max(request.rangeFirst, request.rangeLast), rows.first, rows.last);
    t.shown.clear();
    for (int row = t.first; row <= t.last; ++row) {
      if (Shown(kind, row)) t.shown.push_back(row);
    }
    if (t.shown.empty()) return false;
  }
  switch (command) {
    case kCopy:
      return Copy(t, request);
    case kPaste:
      return Paste(t, request);
    case kCarryUp:
      return Carry(t, -1, request);
    case kCarryDown:
      return Carry(t, +1, request);
    case kClear:
      return Clear(t);
    case kDelete:
      return Delete(t, request);
    case kInsert:
      return Insert(t, request);
    default:
      return false;
  }
}

bool RowOperations::Copy(const Target& t, CellRequest& request) {
  buffer_.Capture(*image_, t.kind, t.shown);
  Reselect(request, t.first, t.last);
  Done("GI_AppMess_S_Copy");
  return true;
}

bool RowOperations::Paste(const Target& t, CellRequest& request) {
  const int at = t.current;
  // Rows that do not fit above the end of the list are dropped.
  const std::vector<int> targets = ShownFrom(t.kind, at, t.rows.last, buffer_.Count());
  const int n = static_cast<int>(targets.size());
  if (n < 1) return false;
  if (AnyHoldsData(t.kind, targets) && !Confirm("GI_AppMess_Conv_Overwrite")) return false;
  FreeChannelMoves replaced;
  if (t.kind == ListKind::FreeChannels) {
    for (const int row : Holding(t.kind, targets)) replaced[row] = -1;
  }
  buffer_.Put(*image_, t.kind, targets, RowWrite::Content, host_.CellModelType());
  FollowFreeChannels(replaced);
  if (n == 1) {
    host_.PostBusMessage(msg::RedrawIndex{at});
  } else {
    host_.PostBusMessage(msg::DataChanged{});
  }
  Reselect(request, at, targets.back());
  Done("GI_AppMess_S_Paste");
  return true;
}

bool RowOperations::Carry(const Target& t, int direction, CellRequest& request) {
  if (direction > 0 ? t.last >= t.rows.last : t.first <= t.rows.first) return false;
  // The neighbour in the moving direction changes sides with the block.
  const int neighbourRow = direction > 0 ? t.last + 1 : t.first - 1;
  const int neighbourTo = direction > 0 ? t.first : t.last;
  FreeChannelMoves moves;
  for (int row = t.first; row <= t.last; ++row) moves[row] = row + direction;
  moves[neighbourRow] = neighbourTo;
  RowBuffer neighbour;
  neighbour.Capture(*image_, t.kind, neighbourRow, 1);
  RowBuffer block;
  block.Capture(*image_, t.kind, t.first, t.last - t.first + 1);
  block.Put(*image_, t.kind, t.first + direction, block.Count());
  neighbour.Put(*image_, t.kind, neighbourTo, 1);
  if (t.kind == ListKind::FreeChannels) FollowFreeChannels(moves);
  Reselect(request, t.first + direction, t.last + direction);
  MoveCursor(request, neighbourRow);
  host_.PostBusMessage(msg::DataChanged{});
  return true;
}

bool RowOperations::Clear(const Target& t) {
  EepromImage* defaults = host_.CellTemplateImage();
  const bool fixedList = !t.rows.movable;
  // A fixed list goes back to the model's rows; without them there is nothing to go to.
  if (fixedList && (defaults == nullptr || defaults->Size() < kMemoryMapExtent)) return false;
  if (!Confirm("GI_AppMess_Conv_Clear")) return false;
  if (fixedList) {
    RowBuffer rows;
    rows.Capture(*defaults, t.kind, t.shown);
    rows.Put(*image_, t.kind, t.shown, RowWrite::Defaults, host_.CellModelType());
  } else {
    FreeChannelMoves gone;
    for (const int row : Holding(t.kind, t.shown)) gone[row] = -1;
    RowBuffer blank;
    blank.MakeBlank(t.kind, t.first, static_cast<int>(t.shown.size()));
    blank.Put(*image_, t.kind, t.shown, RowWrite::Whole, host_.CellModelType());
    if (t.kind == ListKind::FreeChannels) {
      ResetFreeRows(t.shown);
      FollowFreeChannels(gone);
    }
  }
  for (const int row : t.shown) host_.PostBusMessage(msg::RedrawIndex{row});
  Done("GI_AppMess_S_Clear");
  return true;
}

bool RowOperations::Delete(const Target& t, CellRequest& request) {
  if (AnyHoldsData(t.kind, t.first, t.last) && !Confirm("GI_AppMess_Conv_Delete")) return false;
  const int count = t.last - t.first + 1;
  FreeChannelMoves moves;
  for (int row = t.first; row <= t.last; ++row) moves[row] = -1;
  for (int row = t.last + 1; row <= t.rows.last; ++row) moves[row] = row - count;
  RowBuffer below;
  below.Capture(*image_, t.kind, t.last + 1, t.rows.last - t.last);
  below.Put(*image_, t.kind, t.first, below.Count());
  RowBuffer blank;
  blank.MakeBlank(t.kind, t.rows.last - count + 1, count);
  blank.Put(*image_, t.kind, t.rows.last - count + 1, count);
  if (t.kind == ListKind::FreeChannels) {
    std::vector<int> vacated;
    for (int row = t.rows.last - count + 1; row <= t.rows.last; ++row) vacated.push_back(row);
    ResetFreeRows(vacated);
    FollowFreeChannels(moves);
  }
  request.rangeFlags &= static_cast<std::uint8_t>(~CellRequest::kRangeReselect);
  MoveCursor(request, t.first);
  host_.PostBusMessage(msg::DataChanged{});
  Done("GI_AppMess_S_Delete");
  return true;
}

bool RowOperations::Insert(const Target& t, CellRequest& request) {
  const int count = t.last - t.first + 1;
  const int keptLast = t.rows.last - count;  // the last row that stays in the list
  if (AnyHoldsData(t.kind, keptLast + 1, t.rows.last) && !Confirm("GI_AppMess_Conv_Overflow")) {
    return false;
  }
  FreeChannelMoves moves;
  for (int row = t.first; row <= keptLast; ++row) moves[row] = row + count;
  for (int row = std::max(keptLast + 1, t.first); row <= t.rows.last; ++row) moves[row] = -1;
  RowBuffer moving;
  moving.Capture(*image_, t.kind, t.first, keptLast - t.first + 1);
  moving.Put(*image_, t.kind, t.first + count, moving.Count());
  RowBuffer blank;
  blank.MakeBlank(t.kind, t.first, count);
  blank.Put(*image_, t.kind, t.first, count);
  if (t.kind == ListKind::FreeChannels) {
    std::vector<int> opened;
    for (int row = t.first; row <= t.last; ++row) opened.push_back(row);
    ResetFreeRows(opened);
    FollowFreeChannels(moves);
  }
  host_.PostBusMessage(msg::DataChanged{});
  Reselect(request, t.first, t.last);
  Done("GI_AppMess_S_Insert");
  return true;
}

bool RowOperations::AnyHoldsData(ListKind kind, const std::vector<int>& rows) {
  return !Holding(kind, rows).empty();
}

std::vector<int> RowOperations::Holding(ListKind kind, const std::vector<int>& rows) {
  std::vector<int> holding;
  for (const int row : rows) {
    ChannelRow record(*image_);
    record.LoadRow(kind, row);
    if (RowBuffer::HoldsData(record)) holding.push_back(row);
  }
  return holding;
}

std::vector<int> RowOperations::ShownFrom(ListKind kind, int from, int last, int count) {
  std::vector<int> rows;
  for (int row = from; row <= last && static_cast<int>(rows.size()) < count; ++row) {
    // The row pasted at is the cursor's, listed whatever it holds.
    if (row == from || Shown(kind, row)) rows.push_back(row);
  }
  return rows;
}

void RowOperations::ResetFreeRows(const std::vector<int>& rows) {
  const EepromImage* defaults = host_.CellTemplateImage();
  if (defaults == nullptr) return;
  for (const int row : rows) RowBuffer::CopyPlanEntries(*defaults, *image_, row);
}

void RowOperations::FollowFreeChannels(const FreeChannelMoves& moves) {
  if (moves.empty()) return;
  const EepromImage* defaults = host_.CellTemplateImage();
  const auto word = [](const EepromImage& image, std::int32_t address) {
    return static_cast<std::int16_t>(image.GetByte(address) | image.GetByte(address + 1) << 8);
  };
  for (int region = 0; region < ChannelRow::kRegions; ++region) {
    for (const std::int32_t address :
         {ChannelRow::PWordAddress(region), ChannelRow::CWordAddress(region)}) {
      const int row = word(*image_, address) - ChannelRow::kFirstFreeRow;
      const auto moved = moves.find(row);
      if (moved == moves.end()) continue;
      int named = ChannelRow::kFirstFreeRow + moved->second;
      // The channel it named is gone: the word goes back to the model's.
      if (moved->second < 0) {
        if (defaults == nullptr || defaults->Size() < kMemoryMapExtent) continue;
        named = word(*defaults, address);
      }
      image_->SetByte(address, static_cast<std::uint8_t>(named & 0xFF));
      image_->SetByte(address + 1, static_cast<std::uint8_t>((named >> 8) & 0xFF));
    }
  }
}

bool RowOperations::AnyHoldsData(ListKind kind, int first, int last) {
  for (int row = first; row <= last; ++row) {
    ChannelRow record(*image_);
    record.LoadRow(kind, row);
    if (RowBuffer::HoldsData(record)) return true;
  }
  return false;
}

bool RowOperations::Confirm(const char* key) {
  return prompts_.Message(overlay_.GetText(key), overlay_.GetFirstLine("GI_Sys_AppTitle"),
                          PromptIcon::Warning, PromptButtons::OkCancel) == PromptAnswer::Ok;
}

void RowOperations::Done(const char* key) {
  host_.PostStatusText(overlay_.GetFirstLine(key), kPlainStatus.text, kPlainStatus.background);
}

void RowOperations::Reselect(CellRequest& request, int first, int last) {
  request.rangeFlags |= CellRequest::kRangeReselect;
  request.rangeFirst = first;
  request.rangeLast = last;
}

void RowOperations::MoveCursor(CellRequest& request, int row) {
  request.servedIndex = row;
  request.redirected = true;
}

}  // namespace rtv
