// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cells/CellCanvas.h"

class QPainter;

namespace rtv {

// The accessor's drawing surface over a painter: its text colour is read back by the sheet view
// before the cell's text is drawn.
class PainterCanvas : public CellCanvas {
 public:
  PainterCanvas(QPainter& painter, ColourValue textColour) : painter_(painter), text_(textColour) {}

  void SetFontColour(ColourValue colour) override;
  void FillRect(const CellRect& rect, ColourValue colour) override;
  void DrawLine(int x1, int y1, int x2, int y2, ColourValue colour) override;

  ColourValue textColour() const { return text_; }

 private:
  QPainter& painter_;
  ColourValue text_;
};

}  // namespace rtv
