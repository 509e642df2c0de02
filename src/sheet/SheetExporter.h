// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "sheet/CsvTable.h"

namespace rtv {

class Sheet;

// A built sheet as a table of the texts the sheet view shows: one row per sheet row, fixed rows
// included; a bound cell shows what the accessor gives it, an unbound cell its own text, a
// cell that a join-left span runs over nothing.
class SheetExporter {
 public:
  explicit SheetExporter(const Sheet& sheet) : sheet_(sheet) {}

  std::string CellText(int column, int row) const;
  std::vector<CsvTable::Row> Table() const;
  std::string Csv() const { return CsvTable::Write(Table()); }

 private:
  const Sheet& sheet_;
};

}  // namespace rtv
