// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/SheetExporter.h"

#include "cells/CellRequest.h"
#include "sheet/Sheet.h"

namespace rtv {

std::string SheetExporter::CellText(int column, int row) const {
  const Cell& cell = sheet_.CellAt(column, row).cell;
  if (cell.joinLeft) return {};
  if (cell.cellLink == kCellLinkNone) return cell.text.value_or(std::string());
  CellRequest request;
  request.cell = &cell;
  sheet_.Access(request, false);
  return request.displayText;
}

std::vector<CsvTable::Row> SheetExporter::Table() const {
  std::vector<CsvTable::Row> rows(static_cast<std::size_t>(sheet_.rowCount()));
  for (int row = 0; row < sheet_.rowCount(); ++row) {
    CsvTable::Row& texts = rows[static_cast<std::size_t>(row)];
    texts.reserve(static_cast<std::size_t>(sheet_.columnCount()));
    for (int column = 0; column < sheet_.columnCount(); ++column) {
      texts.push_back(CellText(column, row));
    }
  }
  return rows;
}

}  // namespace rtv
