// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv {

// Where a secondary window was and how it looked when it last closed.
struct WindowRecord {
  std::string name;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  // The window's sheet view: current column and row, left column and top row; -1 when unknown.
  int currentColumn = -1;
  int currentRow = -1;
  int leftColumn = -1;
  int topRow = -1;
  int windowState = 0;  // 0 normal, 1 minimised, 2 maximised
  int open = 0;
};

}  // namespace rtv
