// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/SheetPagination.h"

#include "sheet/Sheet.h"

namespace rtv {

bool SheetPagination::BreakAllowedBefore(const Sheet& sheet, int column) {
  for (int row = 0; row < sheet.fixedRows(); ++row) {
    if (sheet.CellAt(column, row).cell.joinLeft) return false;
  }
  return true;
}

std::vector<int> SheetPagination::ColumnGroups(const Sheet& sheet, int bodyWidth) {
  int fixedWidth = 0;
  for (int column = 0; column < sheet.fixedColumns(); ++column) {
    fixedWidth += sheet.ColumnWidth(column);
  }
  std::vector<int> groups;
  int start = sheet.fixedColumns();
  while (start < sheet.columnCount()) {
    int end = sheet.columnCount();
    int width = fixedWidth;
    int lastBreak = -1;
    bool full = false;
    for (int column = start; column < sheet.columnCount(); ++column) {
      if (column > start && BreakAllowedBefore(sheet, column)) {
        if (full) {
          end = column;  // the joined columns before it had to stay together
          break;
        }
        lastBreak = column;
      }
      width += sheet.ColumnWidth(column);
      if (width > bodyWidth && !full) {
        full = true;
        if (lastBreak > start) {
          end = lastBreak;
          break;
        }
      }
    }
    groups.push_back(end - start);
    start = end;
  }
  return groups;
}

std::vector<int> SheetPagination::RowGroups(const Sheet& sheet, int bodyHeight) {
  int fixedHeight = 0;
  for (int row = 0; row < sheet.fixedRows(); ++row) fixedHeight += sheet.RowHeight(row);
  std::vector<int> groups;
  int row = sheet.fixedRows();
  while (row < sheet.rowCount()) {
    int height = fixedHeight + sheet.RowHeight(row);
    int count = 1;
    while (row + count < sheet.rowCount() && height + sheet.RowHeight(row + count) <= bodyHeight) {
      height += sheet.RowHeight(row + count);
      ++count;
    }
    groups.push_back(count);
    row += count;
  }
  return groups;
}

}  // namespace rtv
