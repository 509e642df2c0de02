// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv {

class ItemAccessor;
struct Cell;

// What the accessor says of a menu item or toolbar button.
struct ItemState {
  bool checked = false;
  bool visible = true;
  bool enabled = true;
  bool relabelled = false;
  std::string caption;  // when relabelled
  int imageIndex = -1;
};

// Asks the accessor for the states of an item's cell (user flags 0–3 are cleared first and
// come back set by it); `owner` is the sheet cell the menu acts on, or null.
ItemState RefreshItemState(ItemAccessor& accessor, Cell& cell, const Cell* owner);
// Runs the item: Enter on its cell, with the owner cell as the popup choice.
void ClickItem(ItemAccessor& accessor, const Cell& cell, const Cell* owner);

}  // namespace rtv
