// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace rtv {

class Sheet;

// Cuts a built sheet into pages: groups of whole body columns and groups of whole body rows,
// each group as large as fits beside (or below) the fixed columns (or rows). Every group
// has at least one column or row, so a column wider than the page still gets a page.
class SheetPagination {
 public:
  // Body columns per page, left to right. A page breaks only before a column whose fixed
  // header cells are not joined to their left neighbour.
  static std::vector<int> ColumnGroups(const Sheet& sheet, int bodyWidth);
  // Body rows per page, top to bottom.
  static std::vector<int> RowGroups(const Sheet& sheet, int bodyHeight);
  // Whether a page may begin with this column.
  static bool BreakAllowedBefore(const Sheet& sheet, int column);
};

}  // namespace rtv
