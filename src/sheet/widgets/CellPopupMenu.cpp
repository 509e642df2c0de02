// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/widgets/CellPopupMenu.h"

#include <QMenu>

#include "cells/Cell.h"
#include "cells/CellNames.h"
#include "menus/ItemStates.h"
#include "menus/OverlayItems.h"
#include "menus/widgets/MenuBuilder.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

bool OffersIn(std::vector<OverlayItem>& items, ItemAccessor& accessor, const Cell& owner,
              int cellLink) {
  for (OverlayItem& item : items) {
    if (item.cell.cellLink == cellLink && item.children.empty()) {
      const ItemState state = RefreshItemState(accessor, item.cell, &owner);
      return state.visible && state.enabled;
    }
    if (OffersIn(item.children, accessor, owner, cellLink)) return true;
  }
  return false;
}

}  // namespace

int CellPopupMenu::Exec(const Cell& owner, QWidget* parent, const QPoint& at) {
  const std::string key = owner.PopupMenuName();
  if (key.empty() || !store_.HasKey(key + "_Body")) return 0;
  QMenu menu(parent);
  MenuBuilder builder(&menu, store_, key, accessor_, nullptr);
  builder.SetOwnerProvider([&owner] { return &owner; });
  int chosen = 0;
  // Run once the menu is gone: a command may ask a question or rebuild the sheet.
  builder.SetPopupCommandHandler([&chosen](int cellLink) { chosen = cellLink; });
  builder.BuildMenu();
  if (menu.isEmpty()) return 0;
  menu.exec(at);
  return chosen;
}

bool CellPopupMenu::Offers(const Cell& owner, int cellLink) {
  const std::string key = owner.PopupMenuName();
  if (key.empty() || !store_.HasKey(key + "_Body")) return false;
  OverlayItems items;
  items.BuildNested(store_, key);
  return OffersIn(items.Items(), accessor_, owner, cellLink);
}

std::vector<int> CellPopupMenu::RowCommandsOfKey(int key, int modifiers) {
  const bool control = modifiers == Qt::ControlModifier;
  const bool plain = modifiers == Qt::NoModifier;
  if (plain && key == Qt::Key_Delete) return {LinkNo("CL_PMenu_Clear")};
  if (plain && key == Qt::Key_Insert) return {LinkNo("CL_PMenu_Insert")};
  if (control && key == Qt::Key_X) return {LinkNo("CL_PMenu_Copy"), LinkNo("CL_PMenu_Clear")};
  if (control && key == Qt::Key_Up) return {LinkNo("CL_PMenu_CarryUp")};
  if (control && key == Qt::Key_Down) return {LinkNo("CL_PMenu_CarryDown")};
  return {};
}

}  // namespace rtv
