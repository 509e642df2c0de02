// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetFixtures.h"

#include "service/FlagBitsSheet.h"

namespace rtv::test {

std::vector<std::string> SheetOverlay(const std::vector<SheetEntries>& sheets,
                                      const std::vector<std::string>& widthList,
                                      const std::vector<std::string>& extra) {
  std::vector<std::string> lines;
  for (const SheetEntries& sheet : sheets) {
    lines.push_back("#" + sheet.key + "_Style");
    lines.push_back(sheet.style);
    lines.push_back("#" + sheet.key + "_BasicCell");
    lines.push_back(sheet.basicCell);
    lines.push_back("#" + sheet.key + "_Cells");
    lines.insert(lines.end(), sheet.cells.begin(), sheet.cells.end());
    lines.push_back("#");
  }
  lines.push_back("#GI_CellWidthRegList");
  lines.insert(lines.end(), widthList.begin(), widthList.end());
  lines.push_back("#");
  lines.push_back("#GI_AppInd_chSheet_Usable_Title");
  lines.push_back("(usable)");
  lines.push_back("#GI_AppInd_chSheet_Usable_Font");
  lines.push_back(",,clRed,-20,,fsBold,");
  lines.insert(lines.end(), extra.begin(), extra.end());
  lines.push_back("#End_Of_Ovl");
  return lines;
}

std::vector<std::string> FlagBitsCellModels() {
  const std::vector<std::string> sheet = FlagBitsSheet::Lines(1);
  std::vector<std::string> models;
  for (std::size_t i = 0; i + 1 < sheet.size(); ++i) {
    if (sheet[i].rfind("#CellModel_", 0) == 0)
      models.insert(models.end(), {sheet[i], sheet[i + 1]});
  }
  return models;
}

}  // namespace rtv::test
