// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cells/CellCatalog.h"
#include "sheet/CsvTable.h"
#include "sheet/SheetImporter.h"

namespace rtv {

class ChoiceLists;
class EepromImage;
class Sheet;

// Rows of a list sheet as the text spreadsheets copy and paste: tab-separated, a heading
// line with the sheet's column headings, then one line per row with the texts its cells
// show, guarded against formulas as the CSV export is. Pasting such a text types it into
// the sheet's rows cell by cell through the importer's cell path: by column name when the
// first line names the sheet's columns, else by position.
class ClipboardRows {
 public:
  // Far more than any list; a larger text is refused before it is read.
  static constexpr std::size_t kMaxTextBytes = SheetImporter::kMaxFileBytes;

  explicit ClipboardRows(Sheet& sheet) : sheet_(sheet) {}

  // The sheet rows showing rows of the list `kind`, in the sheet's order, with their list
  // rows: all of them, or those from list row `first` on.
  struct RowPlace {
    int sheetRow;
    int listRow;
  };
  std::vector<RowPlace> ListRows(ListKind kind) const;
  // The sheet rows of the given list rows, in the sheet's order.
  std::vector<int> SheetRowsOf(ListKind kind, const std::vector<int>& listRows) const;
  // The sheet rows from list row `first` on, to the sheet's end.
  std::vector<int> SheetRowsFrom(ListKind kind, int first) const;

  CsvTable::Row Headings() const;
  // The heading line and the sheet rows' lines.
  std::string Text(const std::vector<int>& sheetRows) const;

  // Types the text's lines into the sheet rows, one line each, in order; lines beyond them,
  // lines that are no UTF-8 text and refused cells are reported. `image` as for the
  // importer.
  SheetImporter::Report Paste(std::string_view text, const std::vector<int>& sheetRows,
                              ChoiceLists& choices, EepromImage* image);

 private:
  Sheet& sheet_;
};

}  // namespace rtv
