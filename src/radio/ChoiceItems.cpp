// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/ChoiceItems.h"

#include "cells/Cell.h"
#include "cells/CellAccess.h"
#include "cells/CellEditor.h"
#include "cells/CellNames.h"
#include "radio/DebugItems.h"
#include "radio/ItemAccessor.h"

namespace rtv {

AccessResult ChoiceItems::Serve(CellAccess& access) {
  CellRequest& request = access.request;
  const Cell& cell = access.cell;
  if (cell.cellLink == LinkNo("CL_Null")) return AccessResult::Nothing;
  if (cell.cellLink == LinkNo("CL_FBits")) return DebugItems::ServeFlagBit(access);
  // An item is chosen by its sheet view, never edited itself.
  request.displayText = cell.text.value_or(std::string());
  if (cell.cellLink == LinkNo("CL_FlexMarking") && request.ownerCell != nullptr) {
    CellRequest question;
    question.cell = request.ownerCell;
    question.popupChoice = &cell;
    accessor_.AccessCell(question, false);
    if (question.itemState == ChoiceState::Unavailable) {
      request.itemState = ChoiceState::Unavailable;
      access.MarkGreyed();
    }
  }
  return AccessResult::Nothing;
}

}  // namespace rtv
