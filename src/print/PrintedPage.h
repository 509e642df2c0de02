// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv {

// One page of a print job: which sheet, which body columns and rows it shows beside the
// fixed ones, and the font height it was fitted with.
struct PrintedPage {
  std::string sheet;
  int firstColumn = 0;
  int columnCount = 0;
  int firstRow = 0;
  int rowCount = 0;
  int fontHeight = 0;  // dots; negative: the character height
  int blockWidth = 0;  // the cells' size on the page
  int blockHeight = 0;
  int rescales = 0;  // how often the font was made smaller to fit
};

}  // namespace rtv
