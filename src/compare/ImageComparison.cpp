// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/ImageComparison.h"

#include <algorithm>
#include <deque>
#include <map>

#include "cells/CellCatalog.h"
#include "compare/ImageSheets.h"
#include "radio/EepromImage.h"
#include "radio/MemoryLayout.h"
#include "radio/RadioModel.h"
#include "sheet/SheetExporter.h"

namespace rtv {
namespace {

using SheetTexts = ImageComparison::SheetTexts;

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

SheetTexts TextsOf(const Sheet& sheet, const TreeSheets::Entry& entry) {
  SheetTexts texts;
  texts.key = entry.key;
  texts.title = entry.title;
  texts.texts = SheetExporter(sheet).Table();
  texts.fixedColumns = sheet.fixedColumns();
  texts.fixedRows = sheet.fixedRows();
  for (int row = 0; row < sheet.rowCount(); ++row) {
    std::vector<bool> bound(static_cast<std::size_t>(sheet.columnCount()));
    std::vector<std::pair<int, int>> bindings(static_cast<std::size_t>(sheet.columnCount()));
    std::string key;
    for (int column = 0; column < sheet.columnCount(); ++column) {
      const Cell& cell = sheet.CellAt(column, row).cell;
      bound[static_cast<std::size_t>(column)] = cell.cellLink != kCellLinkNone && !cell.joinLeft;
      bindings[static_cast<std::size_t>(column)] = {cell.cellLink, cell.index};
      const bool fixed = cell.cellLink == kCellLinkNone || column < sheet.fixedColumns();
      const std::string& text =
          texts.texts[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
      if (fixed && !cell.selectable && !cell.joinLeft && !text.empty()) {
        key += std::to_string(column) + '\x1F' + text + '\x1E';
      }
    }
    texts.bound.push_back(std::move(bound));
    texts.bindings.push_back(std::move(bindings));
    texts.rowKeys.push_back(std::move(key));
  }
  return texts;
}

// What the user reads as the row of a cell: the fixed columns' texts, else the nearest
// label to its left.
std::string RowLabel(const SheetTexts& sheet, int row, int column) {
  const CsvTable::Row& texts = sheet.texts[static_cast<std::size_t>(row)];
  const std::vector<bool>& bound = sheet.bound[static_cast<std::size_t>(row)];
  std::string label;
  for (int c = 0; c < sheet.fixedColumns && c < column; ++c) {
    const std::string text = Trimmed(texts[static_cast<std::size_t>(c)]);
    if (text.empty()) continue;
    if (!label.empty()) label += ' ';
    label += text;
  }
  if (!label.empty()) return label;
  for (int c = column - 1; c >= 0; --c) {
    const std::string text = Trimmed(texts[static_cast<std::size_t>(c)]);
    if (!bound[static_cast<std::size_t>(c)] && !text.empty()) return text;
  }
  return "Row " + std::to_string(row + 1);
}

std::string ColumnHeading(const SheetTexts& sheet, int row, int column) {
  if (row < sheet.fixedRows) return {};
  for (int r = sheet.fixedRows - 1; r >= 0; --r) {
    const std::string text =
        Trimmed(sheet.texts[static_cast<std::size_t>(r)][static_cast<std::size_t>(column)]);
    if (!text.empty()) return text;
  }
  return {};
}

const std::string& TextAt(const SheetTexts& sheet, int row, int column) {
  static const std::string kNone;
  const CsvTable::Row& texts = sheet.texts[static_cast<std::size_t>(row)];
  return static_cast<std::size_t>(column) < texts.size() ? texts[static_cast<std::size_t>(column)]
                                                         : kNone;
}

bool BoundAt(const SheetTexts& sheet, int row, int column) {
  const std::vector<bool>& bound = sheet.bound[static_cast<std::size_t>(row)];
  return static_cast<std::size_t>(column) < bound.size() && bound[static_cast<std::size_t>(column)];
}

// Pairs each row of A with the row of B that has its label (by position when both sheets
// label their rows alike or not at all); -1 where the other sheet lists no such row.
void MatchRows(const SheetTexts& a, const SheetTexts& b, std::vector<int>& toB,
               std::vector<int>& toA) {
  toB.assign(a.texts.size(), -1);
  toA.assign(b.texts.size(), -1);
  if (a.rowKeys == b.rowKeys) {
    for (std::size_t row = 0; row < a.texts.size(); ++row) {
      toB[row] = static_cast<int>(row);
      toA[row] = static_cast<int>(row);
    }
    return;
  }
  std::map<std::string, std::deque<int>> rowsOfB;
  for (std::size_t row = 0; row < b.rowKeys.size(); ++row) {
    rowsOfB[b.rowKeys[row]].push_back(static_cast<int>(row));
  }
  for (std::size_t row = 0; row < a.rowKeys.size(); ++row) {
    auto found = rowsOfB.find(a.rowKeys[row]);
    if (found == rowsOfB.end() || found->second.empty()) continue;
    const int other = found->second.front();
    found->second.pop_front();
    toB[row] = other;
    toA[static_cast<std::size_t>(other)] = static_cast<int>(row);
  }
}

// `firstOf` finds the first difference with a row, column and values.
void CompareSheets(const SheetTexts& a, const SheetTexts& b, ImageDifferences& out,
                   std::map<std::string, std::size_t>& firstOf) {
  std::vector<int> toB;
  std::vector<int> toA;
  MatchRows(a, b, toB, toA);
  const auto add = [&](const SheetTexts& labelled, int rowA, int rowB, int column) {
    const int row = rowA >= 0 ? rowA : rowB;
    ImageDifferences::Cell cell;
    const auto [cellLink, index] =
        labelled.bindings[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    cell.place = {a.key, a.title, column, rowA, rowB, cellLink, index};
    cell.rowLabel = RowLabel(labelled, row, column);
    cell.columnHeading = ColumnHeading(labelled, row, column);
    cell.valueA = rowA >= 0 ? TextAt(a, rowA, column) : std::string();
    cell.valueB = rowB >= 0 ? TextAt(b, rowB, column) : std::string();
    // One item shown in several sheets is one difference.
    const std::string what =
        cell.rowLabel + '\x1F' + cell.columnHeading + '\x1F' + cell.valueA + '\x1F' + cell.valueB;
    const auto [at, added] = firstOf.emplace(what, out.cells.size());
    if (!added && out.cells[at->second].sheetKey() != a.key) {
      out.cells[at->second].alsoIn.push_back(cell.place);
      return;
    }
    out.cells.push_back(std::move(cell));
  };
  for (std::size_t row = 0; row < a.texts.size(); ++row) {
    const int rowA = static_cast<int>(row);
    const int rowB = toB[row];
    const int columns = static_cast<int>(a.texts[row].size());
    for (int column = 0; column < columns; ++column) {
      if (rowB < 0) {
        if (BoundAt(a, rowA, column) && !TextAt(a, rowA, column).empty()) add(a, rowA, -1, column);
        continue;
      }
      if (!BoundAt(a, rowA, column) && !BoundAt(b, rowB, column)) continue;
      if (TextAt(a, rowA, column) != TextAt(b, rowB, column)) add(a, rowA, rowB, column);
    }
  }
  for (std::size_t row = 0; row < b.texts.size(); ++row) {
    if (toA[row] >= 0) continue;
    const int rowB = static_cast<int>(row);
    for (int column = 0; column < static_cast<int>(b.texts[row].size()); ++column) {
      if (BoundAt(b, rowB, column) && !TextAt(b, rowB, column).empty()) add(b, -1, rowB, column);
    }
  }
}

// The runs of differing bytes in the part a clone file holds.
std::vector<AddressRange> DifferingRuns(const EepromImage& a, const EepromImage& b) {
  std::vector<AddressRange> runs;
  const std::int32_t end = kCloneRanges[0].last + 1;
  for (std::int32_t address = kCloneRanges[0].first; address < end; ++address) {
    const bool inA = a.IsValidAddress(address);
    const bool inB = b.IsValidAddress(address);
    if (!inA && !inB) break;
    const bool differs = inA != inB || a.Data()[address] != b.Data()[address];
    if (!differs) continue;
    if (!runs.empty() && runs.back().last == address - 1) {
      runs.back().last = address;
    } else {
      runs.push_back({address, address});
    }
  }
  return runs;
}

}  // namespace

std::vector<SheetTexts> ImageComparison::Texts(ImageSheets& sheets, const std::string& sheetKey) {
  std::vector<SheetTexts> all;
  for (const TreeSheets::Entry& entry : sheets.List()) {
    if (!sheetKey.empty() && entry.key != sheetKey) continue;
    all.push_back(TextsOf(*sheets.Build(entry.key), entry));
  }
  return all;
}

bool ImageComparison::ShowsTheSame(ImageSheets& sheets, const std::vector<SheetTexts>& reference) {
  const std::vector<TreeSheets::Entry> entries = sheets.List();
  if (entries.size() != reference.size()) return false;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].key != reference[i].key) return false;
    const std::unique_ptr<Sheet> sheet = sheets.Build(entries[i].key);
    if (!TextsOf(*sheet, entries[i]).SameTexts(reference[i])) return false;
  }
  return true;
}

void ImageComparison::FindUnseen(const EepromImage& a, const EepromImage& b,
                                 const std::vector<SheetTexts>& textsB,
                                 const std::vector<AddressRange>& runs, std::vector<bool>& unseen) {
  ImageSheets probe(overlay_, metrics_, b);
  EepromImage mixed(b);
  int probes = 0;
  // Runs [first, end) together changed a cell; find out which of them do on their own.
  const auto split = [&](auto& self, std::size_t first, std::size_t end) -> void {
    if (end - first == 1) return;  // it alone changes a cell
    const std::size_t middle = first + (end - first) / 2;
    for (const auto& [from, to] : {std::pair{first, middle}, std::pair{middle, end}}) {
      if (probes >= kMaxProbes) {
        // Out of time to tell: listed, so nothing is left unsaid.
        for (std::size_t run = from; run < to; ++run) unseen[run] = true;
        continue;
      }
      mixed.Assign(b);
      for (std::size_t run = from; run < to; ++run) {
        const AddressRange& range = runs[run];
        if (!a.IsValidAddress(range.last) || !b.IsValidAddress(range.last)) continue;
        mixed.WriteBlock(range.first, a.Data() + range.first, range.last - range.first + 1);
      }
      probe.SetImage(mixed);
      ++probes;
      if (ShowsTheSame(probe, textsB)) {
        for (std::size_t run = from; run < to; ++run) unseen[run] = true;
      } else {
        self(self, from, to);
      }
    }
  };
  split(split, 0, runs.size());
}

ImageDifferences ImageComparison::Compare(const EepromImage& a, const EepromImage& b,
                                          const std::string& sheetKey) {
  ImageDifferences result;
  if (a.Size() < kMemoryMapExtent || b.Size() < kMemoryMapExtent) {
    result.refusal = "An image is too small to be one of this radio's.";
    return result;
  }
  const int modelA = a.GetByte(MemoryLayout::kModelType);
  const int modelB = b.GetByte(MemoryLayout::kModelType);
  if (modelA != modelB) {
    result.refusal = "The images are of different models (model type " + std::to_string(modelA) +
                     " and " + std::to_string(modelB) + "); they are not compared.";
    return result;
  }
  ImageSheets sheetsA(overlay_, metrics_, a);
  ImageSheets sheetsB(overlay_, metrics_, b);
  const std::vector<SheetTexts> textsA = Texts(sheetsA, sheetKey);
  const std::vector<SheetTexts> textsB = Texts(sheetsB, sheetKey);
  // Sheets in tree order; one only the other image's tree has is named once.
  std::vector<bool> seenInB(textsB.size());
  std::map<std::string, std::size_t> firstOf;
  const auto onlyIn = [&](const SheetTexts& sheet, bool inA) {
    ImageDifferences::Cell cell;
    cell.place = {sheet.key, sheet.title, 0, -1, -1, kCellLinkNone, 0};
    cell.rowLabel = "(the sheet)";
    cell.valueA = inA ? "listed" : "not listed";
    cell.valueB = inA ? "not listed" : "listed";
    result.cells.push_back(std::move(cell));
  };
  for (const SheetTexts& sheetA : textsA) {
    const auto inB = std::find_if(textsB.begin(), textsB.end(),
                                  [&](const SheetTexts& s) { return s.key == sheetA.key; });
    if (inB == textsB.end()) {
      onlyIn(sheetA, true);
      continue;
    }
    seenInB[static_cast<std::size_t>(inB - textsB.begin())] = true;
    CompareSheets(sheetA, *inB, result, firstOf);
  }
  for (std::size_t i = 0; i < textsB.size(); ++i) {
    if (!seenInB[i]) onlyIn(textsB[i], false);
  }
  if (!sheetKey.empty()) return result;

  const std::vector<AddressRange> runs = DifferingRuns(a, b);
  if (runs.empty()) return result;
  std::vector<bool> unseen(runs.size(), result.cells.empty());
  if (!result.cells.empty()) FindUnseen(a, b, textsB, runs, unseen);
  for (std::size_t run = 0; run < runs.size(); ++run) {
    if (!unseen[run]) continue;
    const bool joins = run > 0 && unseen[run - 1] && !result.otherMemory.empty() &&
                       runs[run].first - result.otherMemory.back().last <= kJoinGap;
    if (joins) {
      result.otherMemory.back().last = runs[run].last;
    } else {
      result.otherMemory.push_back(runs[run]);
    }
  }
  return result;
}

}  // namespace rtv
