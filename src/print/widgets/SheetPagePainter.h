// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class QPainter;

namespace rtv {

class Sheet;
class SheetPaginator;
struct PrintStyle;
struct PrintedPage;

// Paints one printed page in printer dots: the frame (the sheet's title and the program's
// at the top, the maker at the bottom, a rule under and over them) and the page's cells
// with the sheet view's own cell painting, black on white.
class SheetPagePainter {
 public:
  SheetPagePainter(const SheetPaginator& paginator, const PrintStyle& style);

  // `sheet` is built as the page was fitted.
  void Paint(QPainter& painter, Sheet& sheet, const PrintedPage& page) const;

 private:
  void PaintFrame(QPainter& painter, const Sheet& sheet) const;
  void PaintCells(QPainter& painter, Sheet& sheet, const PrintedPage& page) const;

  const SheetPaginator& paginator_;
  const PrintStyle& style_;
};

}  // namespace rtv
