// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <string>
#include <vector>

class QWidget;

namespace rtv {

class ItemAccessor;
class OverlayText;
struct Cell;

// The popup menu of a sheet cell (its "PopupMenu" key), with the same items and states as
// the Edit menu shows for that cell, and the keys that run its row commands directly.
class CellPopupMenu {
 public:
  CellPopupMenu(OverlayText& store, ItemAccessor& accessor) : store_(store), accessor_(accessor) {}

  // Shows the menu of `owner` at a screen point and waits; the link of the chosen item, or
  // 0 when nothing was chosen.
  int Exec(const Cell& owner, QWidget* parent, const QPoint& at);
  // Whether the owner's menu offers the item bound to `cellLink`, enabled.
  bool Offers(const Cell& owner, int cellLink);
  // The row commands a key stands for, in order (Ctrl+X copies, then clears); none for
  // other keys. `key` and `modifiers` are Qt's.
  static std::vector<int> RowCommandsOfKey(int key, int modifiers);

 private:
  OverlayText& store_;
  ItemAccessor& accessor_;
};

}  // namespace rtv
