// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "cells/CellCanvas.h"

namespace rtv {

// A canvas that records what the accessor does to it.
struct RecordingCanvas : CellCanvas {
  void SetFontColour(ColourValue colour) override { colours.push_back(colour); }
  void FillRect(const CellRect& rect, ColourValue colour) override {
    fills.push_back({rect, colour});
  }
  void DrawLine(int x1, int y1, int x2, int y2, ColourValue colour) override {
    lines.push_back({x1, y1, x2, y2, static_cast<int>(colour)});
  }
  struct Fill {
    CellRect rect;
    ColourValue colour;
  };
  std::vector<ColourValue> colours;
  std::vector<Fill> fills;
  std::vector<std::vector<int>> lines;  // x1, y1, x2, y2, colour
};

}  // namespace rtv
