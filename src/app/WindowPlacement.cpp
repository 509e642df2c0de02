// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowPlacement.h"

#include <algorithm>

namespace rtv {
namespace {

void Shift(ScreenRect& r, int dx, int dy) {
  r.left += dx;
  r.right += dx;
  r.top += dy;
  r.bottom += dy;
}

// Far beyond any desktop, and twice it still fits an int.
constexpr int kFarAway = 1 << 24;

}  // namespace

ScreenRect PlaceRememberedWindow(int left, int top, int width, int height,
                                 const WorkAreaAt& workAreaAt) {
  left = std::clamp(left, -kFarAway, kFarAway);
  top = std::clamp(top, -kFarAway, kFarAway);
  width = std::clamp(width, 0, kFarAway);
  height = std::clamp(height, 0, kFarAway);
  return FitOntoScreen({left, top, left + width, top + height}, 0, 0, workAreaAt);
}

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

ScreenRect FitOntoScreen(ScreenRect window, int frameWidth, int frameHeight,
                         const WorkAreaAt& workAreaAt) {
  const ScreenRect area = workAreaAt(window.left, window.top);
  const int width = std::min(window.Width(), std::max(area.Width() - frameWidth, 1));
  const int height = std::min(window.Height(), std::max(area.Height() - frameHeight, 1));
  window.right = window.left + width + frameWidth;
  window.bottom = window.top + height + frameHeight;
  ScreenRect placed = MoveOntoScreen(window, workAreaAt);
  placed.right -= frameWidth;
  placed.bottom -= frameHeight;
  return placed;
}

}  // namespace rtv
