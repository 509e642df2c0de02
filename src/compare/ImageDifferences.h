// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "radio/EepromImage.h"

namespace rtv {

// What differs between two images of one model, as the user sees it: the cells whose texts
// differ, sheet by sheet in tree order, and the bytes that no cell shows.
struct ImageDifferences {
  // Where a cell stands: its sheet and its place in the sheet built on each image (row -1
  // where that image's sheet does not list the row).
  struct Place {
    std::string sheetKey;
    std::string sheetTitle;
    int column = 0;
    int rowA = -1;
    int rowB = -1;
    int cellLink = 0;  // the cell's binding, to find it again in a sheet on show
    int index = 0;
  };
  struct Cell {
    Place place;
    std::string rowLabel;
    std::string columnHeading;
    std::string valueA;
    std::string valueB;
    // Later sheets that show the same row, column and values (one item of the image shown
    // in several sheets): listed once, in the first.
    std::vector<Place> alsoIn;
    const std::string& sheetKey() const { return place.sheetKey; }
    const std::string& sheetTitle() const { return place.sheetTitle; }
  };

  // Why nothing was compared (images of different models); empty when they were.
  std::string refusal;
  std::vector<Cell> cells;
  // Address ranges whose bytes differ and change no cell.
  std::vector<AddressRange> otherMemory;

  bool Same() const { return refusal.empty() && cells.empty() && otherMemory.empty(); }
  // "Other memory: 0x1234–0x1240 differs".
  static std::string OtherMemoryLine(const AddressRange& range);
  // The titles of the other sheets that show a cell's difference.
  static std::string AlsoIn(const Cell& cell);
  // One line per difference: "Sheet | row | column: A → B", then the memory lines.
  std::string Text() const;
  // The same as a table with a heading line, for a spreadsheet.
  std::string Csv() const;
};

}  // namespace rtv
