// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "base/FontDesc.h"
#include "cells/CellNames.h"

namespace rtv {

// The counter block @ch0…@ch9 that markup reads and changes while a sheet is parsed.
using CellCounters = std::array<int, 10>;

// One parsed piece of cell markup: a sheet cell, a basic cell, a choice-list item or a menu
// item. Font and popup menu name are inherited through the parent chain when empty.
struct Cell {
  enum HorizontalAlign : std::uint8_t { kLeft = 0, kCentre = 1, kRight = 2 };
  enum VerticalAlign : std::uint8_t { kTop = 0, kMiddle = 1, kBottom = 2 };
  enum RightMark : std::uint8_t { kNoMark = 0, kFullLine = 1, kQuarterPillar = 2 };

  const Cell* parent = nullptr;
  CellCounters* counters = nullptr;  // only while the markup is parsed
  int cellType = kCellTypeNone;
  int cellLink = kCellLinkNone;
  int index = 0;
  std::optional<std::string> option;
  int imageIndex = -1;
  std::uint8_t horizontalAlign = kLeft;
  std::uint8_t verticalAlign = kTop;
  bool fitWidth = false;
  bool fitHeight = false;
  bool joinLeft = false;
  bool bottomLine = false;
  std::uint8_t rightMark = kNoMark;
  bool selectable = false;
  bool rowTrack = false;
  std::uint8_t userFlags = 0;  // Flag0…Flag7
  ColourValue colour = ToColourValue(SystemColour::Window);
  std::optional<FontDesc> font;
  std::optional<std::string> popupMenu;
  std::optional<std::string> text;

  // Starts the cell afresh from `from`: everything but font and popup menu name is copied
  // from it. Without a parent the cell keeps only its cell type and index.
  void Restart(const Cell* from);

  // The first popup menu name on the chain cell, parent, parent's parent, …; empty when
  // none names one.
  std::string PopupMenuName() const;
  // The font to draw with: the cell's own, else the nearest ancestor's; null when the
  // whole chain has none.
  const FontDesc* DrawingFont() const;

  bool UserFlag(int n) const { return n >= 0 && n < 8 && (userFlags >> n & 1) != 0; }
  void SetUserFlag(int n, bool on);
};

}  // namespace rtv
