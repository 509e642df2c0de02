// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cells/Cell.h"
#include "cells/CellAccessHost.h"

namespace rtv {

class MainController;

// Where the command of a menu item, a toolbar button or a cell goes, and what its item
// shows: the model and the radio link's commands first, then those of the File, View, Port,
// Help and Debug menus. Commands that belong to a window arrive with that window.
class CommandRouter {
 public:
  // File > Compare with File: the index of its File menu item.
  static constexpr int kCompareWithFile = 2;
  // Clone > Open Backup shares the link of these program-only commands.
  static constexpr int kOpenBackup = 3;
  // The Debug menu's memory window entry with this index opens the flag bits window.
  static constexpr int kFlagBitsEntry = 1;

  explicit CommandRouter(MainController& controller) : controller_(controller) {}

  void Run(int cellLink, const Cell& cell);
  // Checked, hidden, disabled or relabelled, as things are now.
  CellAccessHost::CommandState State(int cellLink, const Cell& cell);

 private:
  MainController& controller_;
};

}  // namespace rtv
