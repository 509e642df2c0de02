// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "sheet/CsvTable.h"

namespace rtv {

class ChoiceLists;
class EepromImage;
class Sheet;

// Applies a table of texts in the shape of a sheet's export to the sheet, cell by cell, the
// way a user would type them: a text cell gets the text committed as an edit, a choice cell
// the choice whose label the text names. Only cells whose text differs from what the sheet
// showed before the import are touched, so an unchanged export changes nothing. Whatever
// cannot be applied is reported; the editors' checks decide what reaches the image.
class SheetImporter {
 public:
  struct Issue {
    int line = 0;    // 1-based line of the CSV text
    int column = 0;  // 1-based; 0 for the whole line
    std::string reason;
  };
  struct TakenCell {
    int line = 0;       // 1-based line of the CSV text
    int column = 0;     // 0-based, of the sheet
    int row = 0;        // 0-based, of the sheet
    std::string shown;  // what the cell shows now
  };
  struct Report {
    int taken = 0;  // cells whose new text was committed
    std::vector<TakenCell> takenCells;
    // Refused cells, cells taken other than written, and what did not fit the sheet.
    std::vector<Issue> issues;
    // Why the whole file was refused before a cell was taken; empty when it was applied.
    std::string refusal;
    bool Clean() const { return issues.empty() && refusal.empty(); }
    // One issue per line of text, "line L, column C: reason", up to kMaxListed of them.
    static constexpr std::size_t kMaxListed = 100;
    std::string Text() const;
    // What the user reads: the count, the cells taken (indented) and then the issues.
    std::string Summary() const;
  };
  // Spreadsheets and sheets of any real size stay far below this; a larger file is refused
  // before it is read whole.
  static constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;

  // `image` is the image the sheet edits, kept safe from cells that act instead of editing;
  // may be null.
  SheetImporter(Sheet& sheet, ChoiceLists& choices, EepromImage* image = nullptr)
      : sheet_(sheet), choices_(choices), image_(image) {}

  Report Import(const CsvTable& table);
  // Reads no more rows than the sheet has.
  Report Import(std::string_view csvText);

  // The cell path of Import, for other tables of texts (rows from the clipboard).
  struct Outcome {
    bool taken = false;
    std::string reason;  // why not, or how it was taken when not as written
  };
  // Whether a cell takes typed texts: bound, selectable, not joined, and no command.
  bool TakesText(int column, int row) const;
  // For each column of the sheet, the column of the table that holds it, found by the
  // headings of the table's first row; -1 for a column the table does not hold. Empty when
  // no heading names a column of the sheet. Headings that name none are reported.
  std::vector<int> ColumnsByHeading(const CsvTable& table, const CsvTable::Row& headings,
                                    Report& report) const;
  // Commits `wanted` to a cell that takes texts and shows `before`, as typing would.
  Outcome Apply(int column, int row, const std::string& wanted, const std::string& before);

 private:
  // Why a table whose first row does not name the sheet's columns is not for this sheet;
  // empty when it is (or when either has no headings to compare).
  std::string ForeignHeadings(const CsvTable& table, const CsvTable::Row& headings) const;

  Sheet& sheet_;
  ChoiceLists& choices_;
  EepromImage* image_;
};

}  // namespace rtv
