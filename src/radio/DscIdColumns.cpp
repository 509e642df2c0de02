// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/DscIdColumns.h"

#include <algorithm>

#include "cells/Cell.h"
#include "cells/IdDigitsEditor.h"
#include "radio/ChannelRow.h"
#include "radio/EepromImage.h"
#include "radio/ListColumn.h"
#include "radio/MemoryLayout.h"

namespace rtv {
namespace {

constexpr int kLinkIndividualId = LinkNo("CL_DscIndId_Id");
constexpr int kLinkIndividualName = LinkNo("CL_DscIndId_Comment");
constexpr int kLinkGroupId = LinkNo("CL_DscGrpId_Id");
constexpr int kLinkGroupName = LinkNo("CL_DscGrpId_Comment");
constexpr int kIdDigits = 9;
constexpr std::uint8_t kLargestIdByte = 99;

// The ID bytes of another row, when that row holds an ID.
bool HoldsId(const EepromImage& image, ListKind kind, int row, const std::uint8_t* id) {
  const std::int32_t record =
      MemoryLayout::kIdTable + ChannelRow::kIdRecordSize * ChannelRow::IdRecord(kind, row);
  const std::uint8_t* bytes = image.Data() + record;
  if (bytes[ChannelRow::kIdRecordSize - 1] == ChannelRow::kIdEmpty) return false;
  if (std::any_of(bytes, bytes + ChannelRow::kIdBytes,
                  [](std::uint8_t b) { return b > kLargestIdByte; })) {
    return false;
  }
  return std::equal(bytes, bytes + ChannelRow::kIdBytes, id);
}

}  // namespace

AccessResult DscIdColumns::Serve(CellAccess& access) {
  ChannelRow* row = ListColumn::RowOf(access, ListKind::DscIndividualIds, ListKind::DscGroupIds);
  if (row == nullptr) return AccessResult::Nothing;
  const int cellLink = access.cell.cellLink;
  bool changed = false;
  AccessResult result = AccessResult::Nothing;
  if (cellLink == kLinkIndividualId || cellLink == kLinkGroupId) {
    IdDigitsEditor editor(row->id, kIdDigits);
    result = editor.Serve(access.request);
    if (editor.changed()) row->ReloadRow();
    if (row->valid) {
      const CellMarkReason reason = IdError(*row);
      if (reason != CellMarkReason::None) access.MarkError(reason);
    }
  } else if (cellLink == kLinkIndividualName || cellLink == kLinkGroupName) {
    result = ListColumn::Text(access, row->CommentBytes(), TextEditor::Charset::Radio, changed);
    if (changed) row->ReloadRow();
    if (row->CommentBlank()) access.MarkError(CellMarkReason::IdWithoutName);
  }
  return result;
}

CellMarkReason DscIdColumns::IdError(const ChannelRow& row) {
  const std::uint8_t first = row.id[0];
  if (row.kind == ListKind::DscGroupIds && first > 9) return CellMarkReason::GroupIdPrefix;
  if (row.kind != ListKind::DscGroupIds && first >= 1 && first <= 9) {
    return CellMarkReason::IndividualIdPrefix;
  }
  // Rows load only from images that hold the whole memory map.
  for (int earlier = 0; earlier < row.row; ++earlier) {
    if (HoldsId(row.image(), row.kind, earlier, row.id.data())) {
      return CellMarkReason::DuplicateId;
    }
  }
  return CellMarkReason::None;
}

}  // namespace rtv
