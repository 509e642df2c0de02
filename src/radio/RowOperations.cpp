// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/RowOperations.h"

#include <algorithm>

#include "base/Prompts.h"
#include "cells/CellAccessHost.h"
#include "cells/CellRequest.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

constexpr ColourValue kStatusText = ToColourValue(SystemColour::WindowText);
constexpr ColourValue kStatusBackground = ToColourValue(SystemColour::ButtonFace);
constexpr int kDataChangedMessage = 13;
constexpr int kRowChangedMessage = 16;

}  // namespace

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

bool RowOperations::Run(int command, ListKind kind, int currentRow, CellRequest& request) {
  const Rows rows = RowsOf(kind);
  image_ = host_.CellImage();
  if (image_ == nullptr || currentRow < rows.first || currentRow > rows.last) return false;
  if (!IsEnabled(command, kind)) return false;
  Target t{kind, rows, currentRow, currentRow, currentRow};
  if ((request.rangeFlags & CellRequest::kRangeSelected) != 0) {
    t.first = std::clamp(std::min(request.rangeFirst, request.rangeLast), rows.first, rows.last);
    t.last = std::clamp(std::max(request.rangeFirst, request.rangeLast), rows.first, rows.last);
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
  buffer_.Capture(*image_, t.kind, t.first, t.last - t.first + 1);
  Reselect(request, t.first, t.last);
  Done("GI_AppMess_S_Copy");
  return true;
}

bool RowOperations::Paste(const Target& t, CellRequest& request) {
  const int at = t.current;
  // Rows that do not fit above the end of the list are dropped.
  const int n = std::min(t.rows.last - at + 1, buffer_.Count());
  if (n < 1) return false;
  if (AnyHoldsData(t.kind, at, at + n - 1) && !Confirm("GI_AppMess_Conv_Overwrite")) {
    return false;
  }
  buffer_.Put(*image_, t.kind, at, n);
  host_.PostBusMessage(n == 1 ? kRowChangedMessage : kDataChangedMessage, n == 1 ? at : 0);
  Reselect(request, at, at + n - 1);
  Done("GI_AppMess_S_Paste");
  return true;
}

bool RowOperations::Carry(const Target& t, int direction, CellRequest& request) {
  if (direction > 0 ? t.last >= t.rows.last : t.first <= t.rows.first) return false;
  // The neighbour in the moving direction changes sides with the block.
  const int neighbourRow = direction > 0 ? t.last + 1 : t.first - 1;
  RowBuffer neighbour;
  neighbour.Capture(*image_, t.kind, neighbourRow, 1);
  RowBuffer block;
  block.Capture(*image_, t.kind, t.first, t.last - t.first + 1);
  block.Put(*image_, t.kind, t.first + direction, block.Count());
  neighbour.Put(*image_, t.kind, direction > 0 ? t.first : t.last, 1);
  Reselect(request, t.first + direction, t.last + direction);
  MoveCursor(request, neighbourRow);
  host_.PostBusMessage(kDataChangedMessage, 0);
  return true;
}

bool RowOperations::Clear(const Target& t) {
  if (!Confirm("GI_AppMess_Conv_Clear")) return false;
  RowBuffer blank;
  blank.MakeBlank(t.kind, t.first, t.last - t.first + 1);
  blank.Put(*image_, t.kind, t.first, blank.Count());
  for (int row = t.first; row <= t.last; ++row) host_.PostBusMessage(kRowChangedMessage, row);
  Done("GI_AppMess_S_Clear");
  return true;
}

bool RowOperations::Delete(const Target& t, CellRequest& request) {
  if (AnyHoldsData(t.kind, t.first, t.last) && !Confirm("GI_AppMess_Conv_Delete")) return false;
  const int count = t.last - t.first + 1;
  RowBuffer below;
  below.Capture(*image_, t.kind, t.last + 1, t.rows.last - t.last);
  below.Put(*image_, t.kind, t.first, below.Count());
  RowBuffer blank;
  blank.MakeBlank(t.kind, t.rows.last - count + 1, count);
  blank.Put(*image_, t.kind, t.rows.last - count + 1, count);
  request.rangeFlags &= static_cast<std::uint8_t>(~CellRequest::kRangeReselect);
  MoveCursor(request, t.first);
  host_.PostBusMessage(kDataChangedMessage, 0);
  Done("GI_AppMess_S_Delete");
  return true;
}

bool RowOperations::Insert(const Target& t, CellRequest& request) {
  const int count = t.last - t.first + 1;
  const int keptLast = t.rows.last - count;  // the last row that stays in the list
  if (AnyHoldsData(t.kind, keptLast + 1, t.rows.last) && !Confirm("GI_AppMess_Conv_Overflow")) {
    return false;
  }
  RowBuffer moving;
  moving.Capture(*image_, t.kind, t.first, keptLast - t.first + 1);
  moving.Put(*image_, t.kind, t.first + count, moving.Count());
  RowBuffer blank;
  blank.MakeBlank(t.kind, t.first, count);
  blank.Put(*image_, t.kind, t.first, count);
  host_.PostBusMessage(kDataChangedMessage, 0);
  Reselect(request, t.first, t.last);
  Done("GI_AppMess_S_Insert");
  return true;
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
  host_.PostStatusText(overlay_.GetFirstLine(key), kStatusText, kStatusBackground);
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
