// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/ItemAccessor.h"

#include <optional>

#include "base/StatusColours.h"
#include "cells/Cell.h"
#include "cells/CellAccessHost.h"
#include "overlay/OverlayText.h"
#include "radio/ChannelRow.h"

namespace rtv {
namespace {

const char* NoticeKey(const CellRequest& request) {
  switch (request.notice) {
    case CellNotice::None:
      return nullptr;
    case CellNotice::FrequencyLimited:
      return "GI_Botttom_FreqLimited";
    case CellNotice::OffRaster:
      return "GI_Botttom_OffRaster";
    case CellNotice::IdDigitCount:
      return !request.noticeValues.empty() && request.noticeValues[0] == "9"
                 ? "GI_Botttom_MmsiDigits"
                 : "GI_Botttom_AtisDigits";
    case CellNotice::TextCut:
      return "GI_Botttom_TextCut";
    case CellNotice::TextReplaced:
      return "GI_Botttom_TextReplaced";
    case CellNotice::NameFirst:
      return "GI_Botttom_NameFirst";
  }
  return nullptr;
}

// Serves a bare accessor: no image, nothing to tell.
class QuietHost : public CellAccessHost {
 public:
  void AfterImageWrite() override {}
};

CellAccessHost& Quiet() {
  static QuietHost host;
  return host;
}

constexpr int kTypePopupMenu = TypeNo("CT_PopupMenu");
constexpr int kTypeAdj = TypeNo("CT_Adj");

constexpr int kCommandEdit = LinkNo("CL_PMenu_Edit");
constexpr int kCommandFirstRowOperation = LinkNo("CL_PMenu_Copy");
constexpr int kCommandLastRowOperation = LinkNo("CL_PMenu_Insert");
constexpr int kCommandHelp = LinkNo("CL_PMenu_Help");

constexpr int kLinkFirstNumber = LinkNo("CL_ChList_No_INT");
constexpr int kLinkLastNumber = LinkNo("CL_ChList_No_CAN");
constexpr int kLinkAttributes = LinkNo("CL_ChList_Atr");
constexpr int kLinkSimplex = LinkNo("CL_ChList_Simp");
constexpr int kLinkRxFrequency = LinkNo("CL_Fch_FreqR");
constexpr int kLinkTxFrequency = LinkNo("CL_Fch_FreqT");
constexpr int kLinkFreeName = LinkNo("CL_Fch_ChName");
constexpr int kLinkIndividualId = LinkNo("CL_DscIndId_Id");
constexpr int kLinkGroupId = LinkNo("CL_DscGrpId_Id");

void ShowNotYetServed(CellRequest& request, int cellLink) {
  request.displayText = std::to_string(cellLink) + " *Yet*";
}

bool InFamily(int cellLink, LinkFamily family) { return LinkFamilyOf(cellLink) == family; }

// The keys an empty row hands on to the cell that fills it.
bool IsForwardedKey(CellKey key) {
  return key.IsTyped() || key == SpecialKey::Enter || key == SpecialKey::F2;
}

// Serves `cellLink` of the same row instead: the sheet view replays the key there.
void Forward(CellRequest& request, int cellLink) {
  request.redirected = true;
  request.servedLink = cellLink;
  request.forwardedKey = request.key;
  request.key = {};
  request.displayText.clear();
}

}  // namespace

ItemAccessor::ItemAccessor(CellAccessHost* host) : host_(host != nullptr ? *host : Quiet()) {}

ItemAccessor::~ItemAccessor() = default;

void ItemAccessor::Serve(LinkFamily family, FamilyHandler handler) {
  if (family == LinkFamily::None) return;
  handlers_[static_cast<std::size_t>(family)] = std::move(handler);
}

AccessResult ItemAccessor::AccessCell(CellRequest& request, bool notify) {
  if (request.cell == nullptr) return AccessResult::Nothing;
  const Cell& cell = *request.cell;
  CellAccess access{request, cell, ListKindOf(cell.cellType), host_};
  const bool input =
      !request.key.IsNone() || request.commit != CellCommit::None || request.command != 0;
  if (input) host_.CellInputStarting(cell, request.command);
  if (!request.key.IsNone()) {
    host_.PostStatusText(std::string(), kPlainStatus.text, kPlainStatus.background);
  }
  request.servedType = cell.cellType;
  request.servedLink = cell.cellLink;
  request.servedIndex = cell.index;
  request.displayText.clear();
  request.resultFlags &=
      static_cast<std::uint8_t>(~(CellRequest::kResultWarning | CellRequest::kResultError));

  // The row of the cell's list; a popup menu item acts on the row of the cell it was
  // opened on.
  const Cell& rowCell =
      cell.cellType == kTypePopupMenu && request.ownerCell != nullptr ? *request.ownerCell : cell;
  const ListKind rowKind = &rowCell == &cell ? access.kind : ListKindOf(rowCell.cellType);
  std::optional<ChannelRow> row;
  if (rowKind != ListKind::None && host_.CellImage() != nullptr) {
    row.emplace(*host_.CellImage());
    row->LoadRow(rowKind, rowCell.index);
    if (row->loaded()) access.row = &*row;
  }
  if (request.key == SpecialKey::Activate) request.key = SpecialKey::Enter;

  AccessResult result = AccessResult::Nothing;
  if (RunCommand(access) && !PrepareRow(access)) {
    const LinkFamily family = LinkFamilyOf(cell.cellLink);
    const FamilyHandler* handler =
        family == LinkFamily::None ? nullptr : &handlers_[static_cast<std::size_t>(family)];
    if (handler != nullptr && *handler) {
      result = (*handler)(access);
    } else {
      ShowNotYetServed(request, cell.cellLink);
    }
  }

  if (notify && request.changed) {
    int flags = kAccessDone | access.extraFlags;
    if (access.kind != ListKind::None) flags |= kAccessListRow;
    request.changed(flags);
  }
  if (input) host_.AfterImageWrite();
  if (const char* key = NoticeKey(request)) {
    request.noticeText = OverlayText::FillIn(OverlayLine(key), request.noticeValues);
  }
  if (access.refused || request.keepEditing) {
    if (!request.noticeText.empty()) {
      if (!request.callerTellsNotice) {
        host_.PostStatusText(request.noticeText, kRefusedStatus.text, kRefusedStatus.background);
      }
    } else if (access.fixedByModel) {
      host_.PostStatusText(OverlayLine("GI_Botttom_ModelFixed"), kRefusedStatus.text,
                           kRefusedStatus.background);
    } else {
      if (editRestrictedText_.empty())
        editRestrictedText_ = OverlayLine("GI_Botttom_EditRestrected");
      host_.PostStatusText(editRestrictedText_, kRefusedStatus.text, kRefusedStatus.background);
    }
  } else if (!request.noticeText.empty() && !request.callerTellsNotice) {
    host_.PostStatusText(request.noticeText, kNoticeStatus.text, kNoticeStatus.background);
  }
  return result;
}

bool ItemAccessor::RunCommand(CellAccess& access) {
  CellRequest& request = access.request;
  const int command = request.command;
  if (command == kCommandEdit) {
    request.key = SpecialKey::Enter;
    request.command = 0;
  } else if (command >= kCommandFirstRowOperation && command <= kCommandLastRowOperation) {
    request.key = {};
    // Only a row of a list, inside the list's rows, has anything to operate on.
    if (access.kind == ListKind::None || access.row == nullptr) return false;
    host_.RunRowOperation(command, access);
    access.row->LoadRow(access.row->kind, access.row->row);
    return false;
  } else if (command == kCommandHelp) {
    host_.RunCellCommand(command, access.cell);
  }
  // CL_PMenu_WinCopy belongs to the cell it is given to (the ESN copies itself).
  return true;
}

bool ItemAccessor::PrepareRow(CellAccess& access) {
  if (access.cell.cellType == kTypeAdj) {
    if (!host_.AdjustmentConnected()) access.MarkReadOnly();
    return false;
  }
  if (access.row == nullptr) return false;
  switch (access.kind) {
    case ListKind::IntChannels:
    case ListKind::UsaChannels:
    case ListKind::CanChannels:
      return PrepareChannelRow(access, *access.row);
    case ListKind::FreeChannels:
      return PrepareFreeChannel(access, *access.row);
    case ListKind::DscIndividualIds:
    case ListKind::DscGroupIds:
      return PrepareIdRow(access, *access.row);
    default:
      return false;
  }
}

bool ItemAccessor::PrepareChannelRow(CellAccess& access, ChannelRow& row) {
  const int cellLink = access.cell.cellLink;
  if (!InFamily(cellLink, LinkFamily::ChannelListColumns) &&
      !InFamily(cellLink, LinkFamily::RegionColumns)) {
    return false;
  }
  const bool numberColumn = cellLink >= kLinkFirstNumber && cellLink <= kLinkLastNumber;
  if (row.inhibited && !numberColumn && cellLink != kLinkAttributes) {
    access.ShowReadOnly("---");
    return true;
  }
  if (cellLink == kLinkSimplex && row.IsVariantRow()) {
    access.ShowReadOnly("---");
    return true;
  }
  if (cellLink == kLinkSimplex && row.IsFreeRow()) access.MarkReadOnly();
  if (row.IsFreeRow() && row.FreeNameBlank() && !numberColumn) access.MarkGreyed();
  return false;
}

bool ItemAccessor::PrepareFreeChannel(CellAccess& access, ChannelRow& row) {
  const int cellLink = access.cell.cellLink;
  if (!InFamily(cellLink, LinkFamily::FreeChannels)) return false;
  // A channel starts with its RX frequency. The name is not sent there: a channel without
  // a name cannot take frequencies, so the name has to come first.
  if (row.rxEmpty && cellLink != kLinkRxFrequency && cellLink != kLinkFreeName &&
      IsForwardedKey(access.request.key)) {
    Forward(access.request, kLinkRxFrequency);
    return true;
  }
  if ((cellLink == kLinkRxFrequency || cellLink == kLinkTxFrequency) && row.FreeNameBlank()) {
    const bool committed = access.request.commit == CellCommit::Text;
    access.ShowReadOnly("---");
    if (access.refused || committed) access.request.notice = CellNotice::NameFirst;
    if (committed) access.refused = true;
    return true;
  }
  return false;
}

bool ItemAccessor::PrepareIdRow(CellAccess& access, ChannelRow& row) {
  const int cellLink = access.cell.cellLink;
  const int idLink = access.kind == ListKind::DscGroupIds ? kLinkGroupId : kLinkIndividualId;
  if (row.valid || cellLink == idLink || !InFamily(cellLink, LinkFamily::DscIdLists)) return false;
  if (IsForwardedKey(access.request.key)) Forward(access.request, idLink);
  return true;  // the other columns of an empty row show nothing
}

std::string ItemAccessor::MarkText(CellMarkReason reason) {
  const char* key = MarkReasonKey(reason);
  return key != nullptr ? OverlayLine(key) : std::string();
}

std::string ItemAccessor::OverlayLine(const char* key) {
  OverlayText* overlay = host_.CellOverlay();
  return overlay != nullptr && overlay->HasKey(key) ? overlay->GetFirstLine(key) : std::string();
}

std::string ItemAccessor::CellText(int cellType, int cellLink, int index) {
  return Probe(cellType, cellLink, index).displayText;
}

std::uint8_t ItemAccessor::CellFlags(int cellType, int cellLink, int index) {
  return Probe(cellType, cellLink, index).resultFlags &
         (CellRequest::kResultWarning | CellRequest::kResultError);
}

CellRequest ItemAccessor::Probe(int cellType, int cellLink, int index) {
  Cell cell;
  cell.cellType = cellType;
  cell.cellLink = cellLink;
  cell.index = index;
  CellRequest request;
  request.cell = &cell;
  AccessCell(request, false);
  request.cell = nullptr;  // the cell ends here
  return request;
}

bool ItemAccessor::CheckCell(int cellType, int cellLink, int index) {
  return (CellFlags(cellType, cellLink, index) & CellRequest::kResultError) != 0;
}

}  // namespace rtv
