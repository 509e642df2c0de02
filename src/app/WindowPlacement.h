// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace rtv {

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;   // exclusive
  int bottom = 0;  // exclusive
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const ScreenRect&) const = default;
};

// The work area of the monitor nearest to a point.
using WorkAreaAt = std::function<ScreenRect(int x, int y)>;

// Moves (never resizes) a window so that it lies on a monitor's work area. The corners
// are checked bottom-right, bottom-left, top-right, top-left; later corners win, so a
// window larger than the work area keeps its top-left corner visible.
ScreenRect MoveOntoScreen(ScreenRect window, const WorkAreaAt& workAreaAt);

}  // namespace rtv
