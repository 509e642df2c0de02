// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QRect>
#include <memory>
#include <vector>

#include "base/FontDesc.h"

class QPainter;

namespace rtv {

class Sheet;
struct Cell;

// How a cell is to look besides its own markup.
struct CellLook {
  bool selected = false;
  bool editing = false;     // the in-place editor covers it
  bool focused = false;     // selection colours of a focused sheet view
  bool selectLine = false;  // the cursor's row in a sheet that colours it
  // The heading of the cursor's column, which a line-coloured sheet does not show otherwise.
  bool currentHeading = false;
  bool printing = false;  // black on white, for paper and its preview
  bool current = false;   // the keyboard's cell: a darker shade when selected
  bool framed = false;    // the keyboard's cell of a focused sheet view wears a frame
  const Cell* ownerCell = nullptr;
};

// Paints one cell of a sheet: background, lines, the text the cell or its accessor gives,
// and the warning and error marks. The sheet view and the printed page both paint through it.
class CellPainter {
 public:
  struct FontEntry {
    FontDesc desc;
    QFont font;
    QFontMetrics metrics;
  };

  // `images`: 4 warning, 5 error; without them the marks are drawn.
  CellPainter(const Sheet& sheet, const std::vector<QIcon>* images);
  ~CellPainter();
  CellPainter(const CellPainter&) = delete;
  CellPainter& operator=(const CellPainter&) = delete;

  void Paint(QPainter& painter, int column, int row, const QRect& rect, const CellLook& look);
  const FontEntry& FontFor(const FontDesc& desc);
  // Fonts follow the desktop and the sheet's build: forget the ones made.
  void ClearFonts() { fonts_.clear(); }

 private:
  void DrawMark(QPainter& painter, const QRect& cell, int textRight, bool error, bool rightAligned,
                bool printing);

  const Sheet& sheet_;
  const std::vector<QIcon>* images_;
  std::vector<std::unique_ptr<FontEntry>> fonts_;
};

}  // namespace rtv
