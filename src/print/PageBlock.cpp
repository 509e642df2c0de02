// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PageBlock.h"

#include "print/PrintedPage.h"
#include "sheet/Sheet.h"

namespace rtv {

PageBlock PageBlock::Layout(const Sheet& sheet, const PrintedPage& page) {
  PageBlock block;
  auto addColumn = [&](int column) {
    block.columns.push_back(column);
    block.x.push_back(block.width);
    block.width += sheet.ColumnWidth(column);
  };
  auto addRow = [&](int row) {
    block.rows.push_back(row);
    block.y.push_back(block.height);
    block.height += sheet.RowHeight(row);
  };
  for (int column = 0; column < sheet.fixedColumns(); ++column) addColumn(column);
  for (int i = 0; i < page.columnCount && page.firstColumn + i < sheet.columnCount(); ++i) {
    addColumn(page.firstColumn + i);
  }
  for (int row = 0; row < sheet.fixedRows(); ++row) addRow(row);
  for (int i = 0; i < page.rowCount && page.firstRow + i < sheet.rowCount(); ++i) {
    addRow(page.firstRow + i);
  }
  return block;
}

int PageBlock::ColumnWidth(const Sheet& sheet, std::size_t at) const {
  return sheet.ColumnWidth(columns.at(at));
}

int PageBlock::RowHeight(const Sheet& sheet, std::size_t at) const {
  return sheet.RowHeight(rows.at(at));
}

}  // namespace rtv
