// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rtv {

// A rectangle on a printed page, in printer dots; right and bottom are exclusive.
struct PageRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const PageRect&) const = default;
};

}  // namespace rtv
