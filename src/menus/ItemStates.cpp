// SPDX-License-Identifier: GPL-3.0-or-later
#include "menus/ItemStates.h"

#include "cells/Cell.h"
#include "radio/ItemAccessor.h"

namespace rtv {

ItemState RefreshItemState(ItemAccessor& accessor, Cell& cell, const Cell* owner) {
  for (int flag = 0; flag < 4; ++flag) cell.SetUserFlag(flag, false);
  CellRequest request;
  request.cell = &cell;
  request.popupChoice = owner;
  request.ownerCell = owner;  // a popup item's row is its owner's
  request.userFlags = cell.userFlags;
  accessor.AccessCell(request, false);
  cell.userFlags = request.userFlags;

  ItemState state;
  state.checked = cell.UserFlag(0);
  state.visible = !cell.UserFlag(1);
  state.enabled = !cell.UserFlag(2);
  state.relabelled = cell.UserFlag(3);
  if (state.relabelled) state.caption = request.displayText;
  state.imageIndex = cell.imageIndex;
  return state;
}

void ClickItem(ItemAccessor& accessor, const Cell& cell, const Cell* owner) {
  CellRequest request;
  request.cell = &cell;
  request.popupChoice = owner;
  request.ownerCell = owner;
  request.userFlags = cell.userFlags;
  request.key = SpecialKey::Enter;
  accessor.AccessCell(request, false);
}

}  // namespace rtv
