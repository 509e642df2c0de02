// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/widgets/SheetPagePainter.h"

#include <QPainter>

#include "platform/qt/QtFonts.h"
#include "print/PageBlock.h"
#include "print/PrintStyle.h"
#include "print/SheetPaginator.h"
#include "sheet/Sheet.h"
#include "sheet/widgets/CellPainter.h"

namespace rtv {
namespace {

QRect ToQRect(const PageRect& rect) { return {rect.left, rect.top, rect.width(), rect.height()}; }

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

SheetPagePainter::SheetPagePainter(const SheetPaginator& paginator, const PrintStyle& style)
    : paginator_(paginator), style_(style) {}

void SheetPagePainter::Paint(QPainter& painter, Sheet& sheet, const PrintedPage& page) const {
  painter.save();
  PaintFrame(painter, sheet);
  PaintCells(painter, sheet, page);
  painter.restore();
}

void SheetPagePainter::PaintFrame(QPainter& painter, const Sheet& sheet) const {
  const PageFrame frame = paginator_.Frame(sheet);
  painter.setFont(ToQFont(paginator_.FrameFont(sheet)));
  painter.setPen(Qt::black);
  const int flags = Qt::TextSingleLine | Qt::AlignVCenter;
  painter.drawText(ToQRect(frame.header), flags | Qt::AlignLeft, FromUtf8(sheet.TitleText()));
  painter.drawText(ToQRect(frame.header), flags | Qt::AlignRight, FromUtf8(style_.headerRight));
  painter.drawText(ToQRect(frame.footer), flags | Qt::AlignRight, FromUtf8(style_.footer));
  painter.fillRect(ToQRect(frame.headerRule), Qt::black);
  painter.fillRect(ToQRect(frame.footerRule), Qt::black);
}

void SheetPagePainter::PaintCells(QPainter& painter, Sheet& sheet, const PrintedPage& page) const {
  const PageRect body = paginator_.Frame(sheet).body;
  const PageBlock block = PageBlock::Layout(sheet, page);
  CellPainter cells(sheet, nullptr);
  CellLook look;
  look.printing = true;
  const std::size_t fixedColumns = static_cast<std::size_t>(sheet.fixedColumns());
  // A joined cell is painted by the cell it joins, as long as that one is on the page
  // next to it: the first column of the fixed part and of the page's own part leads.
  const auto leads = [&](std::size_t at, int row) {
    return at == 0 || at == fixedColumns || !sheet.CellAt(block.columns[at], row).cell.joinLeft;
  };
  for (std::size_t r = 0; r < block.rows.size(); ++r) {
    const int row = block.rows[r];
    const int height = sheet.RowHeight(row);
    if (height <= 0) continue;
    for (std::size_t c = 0; c < block.columns.size(); ++c) {
      if (!leads(c, row)) continue;
      int width = sheet.ColumnWidth(block.columns[c]);
      for (std::size_t next = c + 1; next < block.columns.size() && !leads(next, row); ++next) {
        width += sheet.ColumnWidth(block.columns[next]);
      }
      if (width <= 0) continue;
      const QRect rect(body.left + block.x[c], body.top + block.y[r], width, height);
      painter.save();
      painter.setClipRect(rect);
      cells.Paint(painter, block.columns[c], row, rect, look);
      painter.restore();
    }
  }
}

}  // namespace rtv
