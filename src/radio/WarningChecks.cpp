// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/WarningChecks.h"

#include <string>

#include "cells/Cell.h"
#include "cells/CellAccess.h"
#include "cells/CellEditor.h"
#include "radio/ItemAccessor.h"

namespace rtv {
namespace {

constexpr std::uint8_t kError = CellRequest::kResultError;
constexpr std::uint8_t kBoth = CellRequest::kResultWarning | CellRequest::kResultError;
constexpr int kSettings = TypeNo("CT_Null");
constexpr int kChannelRows = 421;
constexpr int kWeatherRows = 10;
constexpr int kCallRecords = 61;
constexpr int kSoftKeys = 20;

}  // namespace

bool WarningChecks::Check(int cellType, int cellLink, int index) {
  if (!accessor_.CheckCell(cellType, cellLink, index)) return false;
  if (found_.cellLink == 0) found_ = {cellType, cellLink, index};
  return true;
}

std::uint8_t WarningChecks::Errors(int cellType, int cellLink, int first, int last) {
  for (int index = first; index <= last; ++index) {
    if (Check(cellType, cellLink, index)) return kError;
  }
  return 0;
}

std::uint8_t WarningChecks::IdList(int cellType, int idLink, int nameLink, int rows) {
  std::uint8_t flags = 0;
  for (int row = 0; row < rows && flags != kBoth; ++row) {
    for (const int cellLink : {idLink, nameLink}) {
      const std::uint8_t cell = accessor_.CellFlags(cellType, cellLink, row);
      if ((cell & kError) != 0 && found_.cellLink == 0) found_ = {cellType, cellLink, row};
      flags |= cell;
    }
  }
  return flags;
}

std::uint8_t WarningChecks::Evaluate(int cellLink) {
  found_ = {};
  switch (cellLink) {
    case LinkNo("CL_Check_Int_ChInh"):
      return Errors(TypeNo("CT_IntCh"), LinkNo("CL_ChList_Atr"), 0, kChannelRows - 1);
    case LinkNo("CL_Check_Usa_ChInh"):
      return Errors(TypeNo("CT_UsaCh"), LinkNo("CL_ChList_Atr"), 0, kChannelRows - 1);
    case LinkNo("CL_Check_Can_ChInh"):
      return Errors(TypeNo("CT_CanCh"), LinkNo("CL_ChList_Atr"), 0, kChannelRows - 1);
    case LinkNo("CL_Check_WX_ChInh"):
      return Errors(TypeNo("CT_WxCh"), LinkNo("CL_WX_ChAtr"), 0, kWeatherRows - 1);
    case LinkNo("CL_Check_Dsc_SelfId"):
      return Errors(kSettings, LinkNo("CL_ComDsc_SelfId"), 0, 0);
    case LinkNo("CL_Check_Dsc_Call"):
      for (int record = 0; record < kCallRecords; ++record) {
        if (Check(kSettings, LinkNo("CL_DscCall_Alarm_Min"), record) ||
            Check(kSettings, LinkNo("CL_DscCall_Alarm_Max"), record)) {
          return kError;
        }
      }
      for (const int call : {LinkNo("CL_DscCall_Tx_EPIRB_Ind"), LinkNo("CL_DscCall_Tx_EPIRB_All"),
                             LinkNo("CL_DscCall_Tx_MOB_Ind")}) {
        if (Check(kSettings, call, 0)) return kError;
      }
      return 0;
    case LinkNo("CL_Check_Dsc_IndId"):
      return IdList(TypeNo("CT_DscIndId"), LinkNo("CL_DscIndId_Id"), LinkNo("CL_DscIndId_Comment"),
                    60);
    case LinkNo("CL_Check_Dsc_GrpId"):
      return IdList(TypeNo("CT_DscGrpId"), LinkNo("CL_DscGrpId_Id"), LinkNo("CL_DscGrpId_Comment"),
                    30);
    case LinkNo("CL_Check_Common_AtisSet"):
      for (const int region :
           {LinkNo("CL_ComAtis_IntCh"), LinkNo("CL_ComAtis_UsaCh"), LinkNo("CL_ComAtis_CanCh")}) {
        if (Check(kSettings, region, 0)) return kError;
      }
      return 0;
    case LinkNo("CL_Check_Conf_Softkey"):
      return Errors(kSettings, LinkNo("CL_ComConf_KeyAssign_SoftKey"), 0, kSoftKeys - 1);
    default:
      // CL_Check_IdBlocking_Id and CL_Check_Atis_Call: their lists have no cells that the
      // memory map serves, so there is nothing to find.
      return 0;
  }
}

AccessResult WarningChecks::Serve(CellAccess& access) {
  access.request.displayText = access.cell.text.value_or(std::string());
  access.request.resultFlags |= Evaluate(access.cell.cellLink);
  access.request.foundType = found_.type;
  access.request.foundLink = found_.cellLink;
  access.request.foundIndex = found_.index;
  return AccessResult::Nothing;
}

}  // namespace rtv
