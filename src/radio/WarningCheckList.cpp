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
    const CellRequest result = accessor.Probe(check.cellType, check.cellLink, check.index);
    const std::uint8_t flags = result.resultFlags;
    const std::string sheet = check.option.value_or(std::string());
    if ((flags & CellRequest::kResultError) != 0) {
      if (!outcome.firstError && result.foundLink != 0) {
        const CellRequest cell =
            accessor.Probe(result.foundType, result.foundLink, result.foundIndex);
        outcome.firstError = ErrorPlace{sheet, result.foundLink, result.foundIndex,
                                        accessor.MarkText(cell.markReason)};
      }
      outcome.errorSheets.push_back(sheet);
    } else if ((flags & CellRequest::kResultWarning) != 0) {
      outcome.warningSheets.push_back(sheet);
    }
  }
  return outcome;
}

}  // namespace rtv
