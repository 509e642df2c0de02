// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace rtv {

class Sheet;
struct PrintedPage;

// The cells of one page laid out from the body's top-left corner: the fixed columns and
// rows, then the page's own, each at its size on screen.
struct PageBlock {
  std::vector<int> columns;  // sheet column numbers, left to right
  std::vector<int> rows;     // sheet row numbers, top to bottom
  std::vector<int> x;        // left edge of each listed column
  std::vector<int> y;        // top edge of each listed row
  int width = 0;
  int height = 0;

  static PageBlock Layout(const Sheet& sheet, const PrintedPage& page);
  int ColumnWidth(const Sheet& sheet, std::size_t at) const;
  int RowHeight(const Sheet& sheet, std::size_t at) const;
};

}  // namespace rtv
