// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <functional>

#include "cells/CellCatalog.h"
#include "menus/widgets/MenuBuilder.h"

namespace rtv::test {

// The menu bar's entry served by cell link `cellLink` (and `index`, unless negative), in any
// sub-menu; null when there is none.
inline QAction* FindMenuAction(QMenuBar& bar, const char* cellLink, int index = -1) {
  QAction* found = nullptr;
  std::function<void(QMenu*)> walk = [&](QMenu* menu) {
    for (QAction* action : menu->actions()) {
      if (action->menu() != nullptr) walk(action->menu());
      const Cell* cell = MenuBuilder::CellOf(action);
      if (cell != nullptr && cell->cellLink == CellLinkNumber(cellLink) &&
          (index < 0 || cell->index == index) && found == nullptr) {
        found = action;
      }
    }
  };
  for (QAction* top : bar.actions()) {
    if (top->menu() != nullptr) walk(top->menu());
  }
  return found;
}

}  // namespace rtv::test
