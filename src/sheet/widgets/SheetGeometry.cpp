// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/widgets/SheetGeometry.h"

#include <algorithm>
#include <cstdlib>

#include "sheet/Sheet.h"

namespace rtv {

int SheetGeometry::FixedWidth() const {
  int width = 0;
  for (int c = 0; c < sheet_.fixedColumns(); ++c) width += sheet_.ColumnWidth(c);
  return width;
}

int SheetGeometry::FixedHeight() const {
  int height = 0;
  for (int r = 0; r < sheet_.fixedRows(); ++r) height += sheet_.RowHeight(r);
  return height;
}

int SheetGeometry::ColumnX(int column) const {
  if (column < sheet_.fixedColumns()) {
    int x = 0;
    for (int c = 0; c < column; ++c) x += sheet_.ColumnWidth(c);
    return x;
  }
  int x = FixedWidth();
  if (column < sheet_.leftColumn()) {
    for (int c = column; c < sheet_.leftColumn(); ++c) x -= sheet_.ColumnWidth(c);
    return x;
  }
  for (int c = sheet_.leftColumn(); c < column; ++c) x += sheet_.ColumnWidth(c);
  return x;
}

int SheetGeometry::RowY(int row) const {
  if (row < sheet_.fixedRows()) {
    int y = 0;
    for (int r = 0; r < row; ++r) y += sheet_.RowHeight(r);
    return y;
  }
  int y = FixedHeight();
  if (row < sheet_.topRow()) {
    for (int r = row; r < sheet_.topRow(); ++r) y -= sheet_.RowHeight(r);
    return y;
  }
  for (int r = sheet_.topRow(); r < row; ++r) y += sheet_.RowHeight(r);
  return y;
}

QRect SheetGeometry::CellRect(int column, int row, const QRect& viewport) const {
  if (!sheet_.Contains(column, row)) return {};
  if (column >= sheet_.fixedColumns() && column < sheet_.leftColumn()) return {};
  if (row >= sheet_.fixedRows() && row < sheet_.topRow()) return {};
  const QRect rect(ColumnX(column), RowY(row), sheet_.ColumnWidth(column), sheet_.RowHeight(row));
  return rect.intersects(viewport) ? rect : QRect();
}

bool SheetGeometry::CellAtPoint(const QPoint& point, int& column, int& row) const {
  if (sheet_.rowCount() == 0) return false;
  const auto find = [](int pos, int fixedCount, int fixedSize, int first, int count,
                       auto size) -> int {
    int edge = 0;
    if (pos < fixedSize) {
      for (int i = 0; i < fixedCount; ++i) {
        edge += size(i);
        if (pos < edge) return i;
      }
      return -1;
    }
    edge = fixedSize;
    for (int i = first; i < count; ++i) {
      edge += size(i);
      if (pos < edge) return i;
    }
    return -1;
  };
  if (point.x() < 0 || point.y() < 0) return false;
  column = find(point.x(), sheet_.fixedColumns(), FixedWidth(), sheet_.leftColumn(),
                sheet_.columnCount(), [this](int c) { return sheet_.ColumnWidth(c); });
  row = find(point.y(), sheet_.fixedRows(), FixedHeight(), sheet_.topRow(), sheet_.rowCount(),
             [this](int r) { return sheet_.RowHeight(r); });
  return column >= 0 && row >= 0;
}

int SheetGeometry::SpanLead(int column, int row) const {
  while (column > 0 && sheet_.CellAt(column, row).cell.joinLeft) --column;
  return column;
}

int SheetGeometry::SpanWidth(int lead, int row) const {
  int width = sheet_.ColumnWidth(lead);
  for (int c = lead + 1; c < sheet_.columnCount() && sheet_.CellAt(c, row).cell.joinLeft; ++c) {
    width += sheet_.ColumnWidth(c);
  }
  return width;
}

QPoint SheetGeometry::LastTopLeft(const QSize& viewport) const {
  const auto lastStart = [](int fixed, int count, int available, auto size) {
    int start = count;
    int used = 0;
    while (start > fixed && used + size(start - 1) <= available) used += size(--start);
    return std::clamp(start, fixed, std::max(count - 1, fixed));
  };
  const int maxLeft =
      lastStart(sheet_.fixedColumns(), sheet_.columnCount(), viewport.width() - FixedWidth(),
                [this](int c) { return sheet_.ColumnWidth(c); });
  const int maxTop =
      lastStart(sheet_.fixedRows(), sheet_.rowCount(), viewport.height() - FixedHeight(),
                [this](int r) { return sheet_.RowHeight(r); });
  return {maxLeft, maxTop};
}

void SheetGeometry::VisibleCells(const QSize& viewport, int& lastColumn, int& lastRow) const {
  lastColumn = sheet_.leftColumn();
  while (lastColumn + 1 < sheet_.columnCount() && ColumnX(lastColumn + 1) < viewport.width()) {
    ++lastColumn;
  }
  lastRow = sheet_.topRow();
  while (lastRow + 1 < sheet_.rowCount() && RowY(lastRow + 1) < viewport.height()) ++lastRow;
}

QPoint SheetGeometry::TopLeftShowing(int column, int row, bool fullyLeft, bool fullyTop,
                                     const QSize& viewport) const {
  int left = sheet_.leftColumn();
  int top = sheet_.topRow();
  if (column >= sheet_.fixedColumns()) {
    if (fullyLeft || column < left) left = fullyLeft ? sheet_.fixedColumns() : column;
    int right = FixedWidth();
    for (int c = left; c <= column; ++c) right += sheet_.ColumnWidth(c);
    while (left < column && right > viewport.width()) right -= sheet_.ColumnWidth(left++);
  }
  if (row >= sheet_.fixedRows()) {
    if (fullyTop || row < top) top = fullyTop ? sheet_.fixedRows() : row;
    int bottom = FixedHeight();
    for (int r = top; r <= row; ++r) bottom += sheet_.RowHeight(r);
    while (top < row && bottom > viewport.height()) bottom -= sheet_.RowHeight(top++);
  }
  return {left, top};
}

int SheetGeometry::TopRowAfterWheel(int notches, int rowsPerNotch) const {
  int top = sheet_.topRow();
  const int step = notches < 0 ? 1 : -1;
  for (int n = 0; n < std::abs(notches) * rowsPerNotch; ++n) {
    int next = top + step;
    while (next >= sheet_.fixedRows() && next < sheet_.rowCount() && sheet_.RowHeight(next) <= 1) {
      next += step;
    }
    if (next < sheet_.fixedRows() || next >= sheet_.rowCount()) break;
    top = next;
  }
  return top;
}

int SheetGeometry::SizingBorder(const QPoint& point) const {
  if (!sheet_.columnSizing()) return -1;
  int column = 0;
  int row = 0;
  if (!CellAtPoint(point, column, row) || row >= sheet_.fixedRows()) return -1;
  const int right = ColumnX(column) + sheet_.ColumnWidth(column);
  if (right - point.x() <= kSizingSlack) return column;
  if (point.x() - ColumnX(column) <= kSizingSlack) {
    // The left border belongs to the previous visible column.
    int previous = column - 1;
    if (column == sheet_.leftColumn()) previous = sheet_.fixedColumns() - 1;
    return previous >= 0 ? previous : -1;
  }
  return -1;
}

}  // namespace rtv
