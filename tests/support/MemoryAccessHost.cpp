// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryAccessHost.h"

#include "cells/Cell.h"
#include "radio/ChannelRow.h"
#include "radio/RadioMemoryMap.h"

namespace rtv {

MemoryAccessHost::MemoryAccessHost(const std::string& overlayPath, std::int32_t imageSize) {
  overlay.SetFile(overlayPath);
  image.SetSize(imageSize);
  InstallMemoryMap(accessor);
}

void MemoryAccessHost::RunCellCommand(int cellLink, const Cell& cell) {
  commands.push_back({cellLink, cell.index});
}

void MemoryAccessHost::RunRowOperation(int command, CellAccess& access) {
  rowOperations.push_back({command, access.row != nullptr ? access.row->row : -1});
}

std::string MemoryAccessHost::LastStatus() const {
  for (auto it = statusTexts.rbegin(); it != statusTexts.rend(); ++it) {
    if (!it->text.empty()) return it->text;
  }
  return {};
}

}  // namespace rtv

namespace rtv {

void MemoryAccessHost::AdjustmentEdited(int cellLink, int value) {
  adjustmentEdits.push_back(cellLink);
  if (adjustment) {
    adjustment->sheet[static_cast<std::size_t>(cellLink - LinkNo("CL_Adjust_ChGrp"))] = value;
  }
}

}  // namespace rtv
