// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Colour.h"

namespace rtv {

struct CellRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The surface a cell is being drawn on, as far as the item accessor touches it: it may
// change the text colour (greyed, read-only) or draw marks of its own. The widgets layer
// implements it over its painter.
class CellCanvas {
 public:
  virtual ~CellCanvas() = default;
  virtual void SetFontColour(ColourValue colour) = 0;
  virtual void FillRect(const CellRect& rect, ColourValue colour) = 0;
  virtual void DrawLine(int x1, int y1, int x2, int y2, ColourValue colour) = 0;
};

}  // namespace rtv
