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
  struct Report {
    int taken = 0;  // cells whose new text was committed
    // Refused cells, cells taken other than written, and what did not fit the sheet.
    std::vector<Issue> issues;
    bool Clean() const { return issues.empty(); }
    // One issue per line of text, "line L, column C: reason", up to kMaxListed of them.
    static constexpr std::size_t kMaxListed = 100;
    std::string Text() const;
  };

  // `image` is the image the sheet edits, kept safe from cells that act instead of editing;
  // may be null.
  SheetImporter(Sheet& sheet, ChoiceLists& choices, EepromImage* image = nullptr)
      : sheet_(sheet), choices_(choices), image_(image) {}

  Report Import(const CsvTable& table);
  Report Import(std::string_view csvText) { return Import(CsvTable::Read(csvText)); }

 private:
  struct Outcome {
    bool taken = false;
    std::string reason;  // why not, or how it was taken when not as written
  };
  // Commits `wanted` to a selectable bound cell showing `before`.
  Outcome Apply(int column, int row, const std::string& wanted, const std::string& before);

  Sheet& sheet_;
  ChoiceLists& choices_;
  EepromImage* image_;
};

}  // namespace rtv
