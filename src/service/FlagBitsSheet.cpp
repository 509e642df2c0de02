// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/FlagBitsSheet.h"

namespace rtv {

std::vector<std::string> FlagBitsSheet::Lines(int count) {
  std::string heading = "|";
  std::string bits = "|";
  for (int item = 0; item < count; ++item) {
    if (item > 0) {
      heading += "|";
      bits += "{($iQp)}|";
    }
    heading += "{($iChI)}" + std::to_string(item) + "|";
    bits += "{($eWh)^(%CL_FBits[" + std::to_string(item + 1) + "])}9|";
  }
  return {"#GI_Sheet_FBitsR_Style",
          "(FixedCols=1)(FixedRows=1)",
          "#GI_Sheet_FBitsR_BasicCell",
          "{($Basic)(PopupMenu=GI_PMenu_NoItem)}",
          "#GI_Sheet_FBitsR_Cells",
          "",
          heading,
          "",
          bits,
          "",
          "",
          "#",
          "#CellModel_iChI",
          "^-WH(Color=clGray)(Font=,,clWhite,,,fsBold,)",
          "#CellModel_eWh",
          "S<_WHB",
          "#CellModel_iQp",
          "(%CT_Null.CL_Misc_QuarterPillar)",
          "#CellModel_Basic",
          "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)(PopupMenu=GI_PMenu_Edit)",
          "#GI_PMenu_NoItem_BasicCell",
          "{($Basic)}",
          "#GI_PMenu_NoItem_Body",
          "+No item\t{(%CT_PopupMenu.CL_PMenu_NoItem)}",
          "#",
          "#GI_PMenu_Edit_BasicCell",
          "{($Basic)(%CT_PopupMenu.)}",
          "#End_Of_Ovl",
          ""};
}

}  // namespace rtv
