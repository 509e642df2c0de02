// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowPlacement.h"

namespace rtv {
namespace {

void Shift(ScreenRect& r, int dx, int dy) {
  r.left += dx;
  r.right += dx;
  r.top += dy;
  r.bottom += dy;
}

}  // namespace

ScreenRect MoveOntoScreen(ScreenRect window, const WorkAreaAt& workAreaAt) {
  enum Corner { kBottomRight, kBottomLeft, kTopRight, kTopLeft };
  for (Corner corner : {kBottomRight, kBottomLeft, kTopRight, kTopLeft}) {
    const bool right = corner == kBottomRight || corner == kTopRight;
    const bool bottom = corner == kBottomRight || corner == kBottomLeft;
    const int x = right ? window.right : window.left;
    const int y = bottom ? window.bottom : window.top;
    const ScreenRect area = workAreaAt(x, y);
    int dx = 0;
    int dy = 0;
    if (right && x > area.right) dx = area.right - x;
    if (!right && x <= area.left) dx = area.left - x;
    if (bottom && y > area.bottom) dy = area.bottom - y;
    if (!bottom && y <= area.top) dy = area.top - y;
    Shift(window, dx, dy);
  }
  return window;
}

}  // namespace rtv
