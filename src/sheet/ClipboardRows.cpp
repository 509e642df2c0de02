// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/ClipboardRows.h"

#include <algorithm>
#include <numeric>

#include "sheet/Sheet.h"
#include "sheet/SheetExporter.h"

namespace rtv {
namespace {

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong forms, no
// surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
      ++i;
      continue;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return false;
    }
    i += length;
  }
  return true;
}

}  // namespace

std::vector<ClipboardRows::RowPlace> ClipboardRows::ListRows(ListKind kind) const {
  std::vector<RowPlace> rows;
  if (kind == ListKind::None) return rows;
  for (int row = sheet_.fixedRows(); row < sheet_.rowCount(); ++row) {
    for (int column = 0; column < sheet_.columnCount(); ++column) {
      const Cell& cell = sheet_.CellAt(column, row).cell;
      if (ListKindOf(cell.cellType) == kind) {
        rows.push_back({row, cell.index});
        break;
      }
    }
  }
  return rows;
}

std::vector<int> ClipboardRows::SheetRowsOf(ListKind kind, const std::vector<int>& listRows) const {
  std::vector<int> rows;
  for (const RowPlace& row : ListRows(kind)) {
    if (std::find(listRows.begin(), listRows.end(), row.listRow) != listRows.end()) {
      rows.push_back(row.sheetRow);
    }
  }
  return rows;
}

std::vector<int> ClipboardRows::SheetRowsFrom(ListKind kind, int first) const {
  std::vector<int> rows;
  for (const RowPlace& row : ListRows(kind)) {
    if (row.listRow >= first) rows.push_back(row.sheetRow);
  }
  return rows;
}

CsvTable::Row ClipboardRows::Headings() const {
  CsvTable::Row headings;
  for (int column = 0; column < sheet_.columnCount(); ++column) {
    headings.push_back(sheet_.ColumnHeading(column));
  }
  return headings;
}

std::string ClipboardRows::Text(const std::vector<int>& sheetRows) const {
  const SheetExporter exporter(sheet_);
  std::vector<CsvTable::Row> rows{Headings()};
  for (const int row : sheetRows) {
    CsvTable::Row& texts = rows.emplace_back();
    for (int column = 0; column < sheet_.columnCount(); ++column) {
      texts.push_back(exporter.CellText(column, row));
    }
  }
  return CsvTable::Write(rows, CsvTable::kTab);
}

SheetImporter::Report ClipboardRows::Paste(std::string_view text, const std::vector<int>& sheetRows,
                                           ChoiceLists& choices, EepromImage* image) {
  SheetImporter::Report report;
  if (text.size() > kMaxTextBytes) {
    report.refusal = "the clipboard holds " + std::to_string(text.size()) +
                     " bytes of text, more than " + std::to_string(kMaxTextBytes / 1024 / 1024) +
                     " MB; nothing was pasted";
    return report;
  }
  // A heading line and one line per row: what is read beyond them is only counted.
  const CsvTable table = CsvTable::Read(text, sheetRows.size() + 1, CsvTable::kTab);
  SheetImporter importer(sheet_, choices, image);
  const auto columns = static_cast<std::size_t>(sheet_.columnCount());
  std::vector<int> source(columns);
  std::iota(source.begin(), source.end(), 0);
  std::size_t first = 0;
  if (std::vector<int> named = importer.ColumnsByHeading(table, Headings(), report);
      !named.empty()) {
    source = std::move(named);
    first = 1;
  }
  for (const CsvTable::Problem& problem : table.problems()) {
    report.issues.push_back({problem.line, 0, problem.text});
  }

  const SheetExporter exporter(sheet_);
  const std::size_t lines = std::min(table.rows().size(), first + sheetRows.size());
  for (std::size_t index = first; index < lines; ++index) {
    const CsvTable::Row& fields = table.rows()[index];
    const int line = table.rowLines()[index];
    const int row = sheetRows[index - first];
    if (!std::all_of(fields.begin(), fields.end(), IsUtf8)) {
      report.issues.push_back({line, 0, "not UTF-8 text; left out"});
      continue;
    }
    for (std::size_t column = 0; column < columns; ++column) {
      const int at = source[column];
      if (at < 0 || static_cast<std::size_t>(at) >= fields.size()) continue;
      const auto c = static_cast<int>(column);
      // The row's number and other fixed texts belong to where the row is, not to the text.
      if (!importer.TakesText(c, row)) continue;
      const std::string& wanted = fields[static_cast<std::size_t>(at)];
      const std::string now = exporter.CellText(c, row);
      if (now == wanted) continue;
      const SheetImporter::Outcome outcome = importer.Apply(c, row, wanted, now);
      if (outcome.taken) {
        ++report.taken;
        report.takenCells.push_back({line, c, row, exporter.CellText(c, row)});
      }
      if (!outcome.reason.empty()) report.issues.push_back({line, c + 1, outcome.reason});
    }
  }
  // Lines past the last row, blank ones at the very end aside.
  if (table.filledRowCount() > lines) {
    report.issues.push_back({table.LineOfRow(lines), 0,
                             "this line and the " +
                                 std::to_string(table.filledRowCount() - lines - 1) +
                                 " after it are beyond the list's last row; left out"});
  }
  return report;
}

}  // namespace rtv
