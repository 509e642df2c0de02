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

// A window restored from the settings: no larger than the work area of the monitor under
// its top-left corner, then moved onto it. `frame` is what the window manager adds around
// the window (left + right, top + bottom).
ScreenRect FitOntoScreen(ScreenRect window, int frameWidth, int frameHeight,
                         const WorkAreaAt& workAreaAt);

// FitOntoScreen for a window's remembered place and size without a frame, which come from a
// file and may hold any number: they are first brought into a range where no corner overflows.
ScreenRect PlaceRememberedWindow(int left, int top, int width, int height,
                                 const WorkAreaAt& workAreaAt);

}  // namespace rtv
