// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/ImageDifferences.h"

#include <cstdio>

#include "sheet/CsvTable.h"

namespace rtv {
namespace {

std::string Hex(std::int32_t address) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(address));
  return text;
}

std::string Quoted(const std::string& value) { return "\"" + value + "\""; }

}  // namespace

std::string ImageDifferences::AlsoIn(const Cell& cell) {
  std::string text;
  for (const Place& place : cell.alsoIn) {
    if (!text.empty()) text += ", ";
    text += place.sheetTitle;
  }
  return text;
}

std::string ImageDifferences::OtherMemoryLine(const AddressRange& range) {
  const std::string where =
      range.first == range.last ? Hex(range.first) : Hex(range.first) + "–" + Hex(range.last);
  return "Other memory: " + where + " differs";
}

std::string ImageDifferences::Text() const {
  if (!refusal.empty()) return refusal + "\n";
  std::string text;
  for (const Cell& cell : cells) {
    text += cell.sheetTitle() + " | " + cell.rowLabel;
    if (!cell.columnHeading.empty()) text += " | " + cell.columnHeading;
    text += ": " + Quoted(cell.valueA) + " → " + Quoted(cell.valueB);
    if (!cell.alsoIn.empty()) text += " (also in " + AlsoIn(cell) + ")";
    text += "\n";
  }
  for (const AddressRange& range : otherMemory) text += OtherMemoryLine(range) + "\n";
  return text;
}

std::string ImageDifferences::Csv() const {
  std::vector<CsvTable::Row> rows;
  rows.push_back({"Sheet", "Row", "Column", "A", "B", "Also in"});
  for (const Cell& cell : cells) {
    rows.push_back({cell.sheetTitle(), cell.rowLabel, cell.columnHeading, cell.valueA, cell.valueB,
                    AlsoIn(cell)});
  }
  for (const AddressRange& range : otherMemory) {
    rows.push_back({"Other memory", Hex(range.first), Hex(range.last), "", "", ""});
  }
  return CsvTable::Write(rows);
}

}  // namespace rtv
