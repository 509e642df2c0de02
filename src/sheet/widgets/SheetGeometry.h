// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace rtv {

class Sheet;

// Where a sheet's cells lie in the sheet view's viewport, which scrolls by whole cells: the fixed
// columns and rows stay at the top left, the rest start at the sheet's left column and
// top row. Also the reverse (the cell under a point) and the scrolling limits.
class SheetGeometry {
 public:
  // How close to a column's border the pointer sizes the column.
  static constexpr int kSizingSlack = 4;

  explicit SheetGeometry(const Sheet& sheet) : sheet_(sheet) {}

  int FixedWidth() const;
  int FixedHeight() const;
  // The left edge of a column and the top of a row; columns and rows scrolled away lie
  // before the fixed ones.
  int ColumnX(int column) const;
  int RowY(int row) const;
  // The cell's rectangle where it shows in `viewport`; empty when it is scrolled away.
  QRect CellRect(int column, int row, const QRect& viewport) const;
  bool CellAtPoint(const QPoint& point, int& column, int& row) const;
  // The lead cell of a span of joined cells, and the span's width.
  int SpanLead(int column, int row) const;
  int SpanWidth(int lead, int row) const;

  // The last left column and top row that still fill a viewport of this size.
  QPoint LastTopLeft(const QSize& viewport) const;
  // The last column and row that show, partly or whole.
  void VisibleCells(const QSize& viewport, int& lastColumn, int& lastRow) const;
  // The left column and top row that bring the cell into view, starting from where the
  // sheet is scrolled (or from the first scrolling column or row, when asked).
  QPoint TopLeftShowing(int column, int row, bool fullyLeft, bool fullyTop,
                        const QSize& viewport) const;
  // The top row after turning the wheel by notches (down is negative), skipping hidden
  // rows; steps rows per notch.
  int TopRowAfterWheel(int notches, int rowsPerNotch) const;
  // The column whose right border is at the point (in a scrolling row), or -1.
  int SizingBorder(const QPoint& point) const;

 private:
  const Sheet& sheet_;
};

}  // namespace rtv
