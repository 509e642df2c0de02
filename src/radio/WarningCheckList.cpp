// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/WarningCheckList.h"

#include "cells/CellMarkup.h"
#include "cells/CellRequest.h"
#include "overlay/OverlayText.h"
#include "radio/ItemAccessor.h"

namespace rtv {

void WarningCheckList::Read(OverlayText& overlay) {
  read_ = true;
  if (!overlay.HasKey("GI_WarningCheckList")) return;
  for (int line = 0;; ++line) {
    const std::string text = overlay.GetLine("GI_WarningCheckList", line);
    if (!text.empty() && text[0] == '#') break;
    Cell cell;
    ParseCell(overlay, cell, text, nullptr, nullptr);
    checks_.push_back(std::move(cell));
  }
}

WarningCheckList::Outcome WarningCheckList::Evaluate(OverlayText& overlay, ItemAccessor& accessor) {
  if (!read_) Read(overlay);
  Outcome outcome;
  for (const Cell& check : checks_) {
    const std::uint8_t flags = accessor.CellFlags(check.cellType, check.cellLink, check.index);
    const std::string sheet = check.option.value_or(std::string());
    if ((flags & CellRequest::kResultError) != 0) {
      outcome.errorSheets.push_back(sheet);
    } else if ((flags & CellRequest::kResultWarning) != 0) {
      outcome.warningSheets.push_back(sheet);
    }
  }
  return outcome;
}

}  // namespace rtv
