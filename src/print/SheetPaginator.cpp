// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/SheetPaginator.h"

#include <algorithm>

#include "base/TextMetrics.h"
#include "print/PageBlock.h"
#include "print/PrintFontSize.h"
#include "print/SheetPagination.h"
#include "sheet/Sheet.h"

namespace rtv {

SheetPaginator::SheetPaginator(const TextMetrics& metrics, const PrintSetup& setup)
    : metrics_(metrics), setup_(setup) {}

FontDesc SheetPaginator::FrameFont(const Sheet& sheet) const {
  FontDesc font;
  if (sheet.basicCell().font) font.face = sheet.basicCell().font->face;
  font.colour = 0x000000;
  font.height = PrintFontSize::FontHeight(setup_.framePoints, setup_.dotsPerInch);
  return font;
}

PageFrame SheetPaginator::Frame(const Sheet& sheet) const {
  return PageFrame::Layout(setup_.area, metrics_.TextHeight(FrameFont(sheet), "Mg"));
}

int SheetPaginator::BaseFontHeight() const {
  return PrintFontSize::FontHeight(setup_.fontPoints, setup_.dotsPerInch);
}

void SheetPaginator::BuildAt(Sheet& sheet, int fontHeight) const {
  sheet.SetScale(static_cast<double>(setup_.dotsPerInch) / std::max(setup_.screenDotsPerInch, 1));
  sheet.SetFixedFontHeight(fontHeight);
  sheet.Build();
}

void SheetPaginator::Prepare(Sheet& sheet, const PrintedPage& page) const {
  if (sheet.fixedFontHeight() != page.fontHeight || sheet.rowCount() == 0) {
    BuildAt(sheet, page.fontHeight);
  }
}

std::vector<PrintedPage> SheetPaginator::Paginate(Sheet& sheet, const std::string& name) const {
  std::vector<PrintedPage> pages;
  if (!sheet.CanPrint()) return pages;
  const int base = BaseFontHeight();
  BuildAt(sheet, base);
  if (!sheet.CanPrint()) return pages;
  const PageRect body = Frame(sheet).body;
  const std::vector<int> columnGroups = SheetPagination::ColumnGroups(sheet, body.width());
  const std::vector<int> rowGroups = SheetPagination::RowGroups(sheet, body.height());
  int firstRow = sheet.fixedRows();
  for (const int rows : rowGroups) {
    int firstColumn = sheet.fixedColumns();
    for (const int columns : columnGroups) {
      PrintedPage page{name, firstColumn, columns, firstRow, rows, base, 0, 0, 0};
      if (sheet.fixedFontHeight() != base) BuildAt(sheet, base);
      PageBlock block = PageBlock::Layout(sheet, page);
      while ((block.width > body.width() || block.height > body.height()) &&
             page.rescales < kMostRescales) {
        const double ratio =
            std::min(static_cast<double>(body.height()) / std::max(block.height, 1),
                     static_cast<double>(body.width()) / std::max(block.width, 1));
        const int smaller = std::min(static_cast<int>(page.fontHeight * ratio), -1);
        if (smaller == page.fontHeight) break;  // as small as a font gets
        page.fontHeight = smaller;
        ++page.rescales;
        BuildAt(sheet, page.fontHeight);
        block = PageBlock::Layout(sheet, page);
      }
      page.blockWidth = block.width;
      page.blockHeight = block.height;
      pages.push_back(page);
      firstColumn += columns;
    }
    firstRow += rows;
  }
  return pages;
}

}  // namespace rtv
