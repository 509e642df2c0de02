// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/SheetImporter.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <optional>

#include "cells/CellAccess.h"
#include "cells/CellCanvas.h"
#include "cells/CellCatalog.h"
#include "cells/CellRequest.h"
#include "cells/ChoiceLists.h"
#include "cells/ChoicePopupHost.h"
#include "cells/FrequencyEditor.h"
#include "radio/EepromImage.h"
#include "radio/ItemAccessor.h"
#include "sheet/Sheet.h"
#include "sheet/SheetController.h"
#include "sheet/SheetExporter.h"

namespace rtv {
namespace {

// Stands in for the sheet view while a cell is probed: remembers the choice list it would open.
struct ProbePopupHost : ChoicePopupHost {
  void OpenChoicePopup(const std::string& listKey, int variant, int value) override {
    popup = Popup{listKey, variant, value};
  }
  struct Popup {
    std::string listKey;
    int variant;
    int value;
  };
  std::optional<Popup> popup;
};

// Remembers the text colour the accessor gives a cell: read-only and greyed cells say so.
struct ProbeCanvas : CellCanvas {
  void SetFontColour(ColourValue value) override { colour = value; }
  void FillRect(const CellRect&, ColourValue) override {}
  void DrawLine(int, int, int, int, ColourValue) override {}
  ColourValue colour = 0;
};

// Links that run commands or show fixed texts: never sent an input from a file.
bool Editable(int cellLink) {
  switch (LinkFamilyOf(cellLink)) {
    case LinkFamily::Special:
    case LinkFamily::MenuCommands:
    case LinkFamily::SheetCall:
    case LinkFamily::WarningChecks:
    case LinkFamily::CloneInformation:
    case LinkFamily::PopupCommands:
    case LinkFamily::LayoutHelpers:
    case LinkFamily::FixedTexts:
    case LinkFamily::AdReadings:
    case LinkFamily::None:
      return false;
    default:
      return true;
  }
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// Equal texts but for case, or two numbers of equal value ("156.05" and "156.0500").
bool SameValue(const std::string& a, const std::string& b) {
  const std::string x = Trimmed(a);
  const std::string y = Trimmed(b);
  if (SameIgnoringCase(x, y)) return true;
  if (x.empty() || y.empty()) return false;
  char* xEnd = nullptr;
  char* yEnd = nullptr;
  const double xValue = std::strtod(x.c_str(), &xEnd);
  const double yValue = std::strtod(y.c_str(), &yEnd);
  return *xEnd == '\0' && *yEnd == '\0' && xValue == yValue;
}

}  // namespace

std::string SheetImporter::Report::Text() const {
  std::string text;
  for (std::size_t i = 0; i < issues.size(); ++i) {
    if (i == kMaxListed) {
      text += "and " + std::to_string(issues.size() - i) + " more\n";
      break;
    }
    const Issue& issue = issues[i];
    text += "line " + std::to_string(issue.line);
    if (issue.column > 0) text += ", column " + std::to_string(issue.column);
    text += ": " + issue.reason + "\n";
  }
  return text;
}

std::string SheetImporter::Report::Summary() const {
  std::string text = std::to_string(taken) + (taken == 1 ? " cell taken.\n" : " cells taken.\n");
  for (std::size_t i = 0; i < takenCells.size(); ++i) {
    if (i == kMaxListed) {
      text += "  and " + std::to_string(takenCells.size() - i) + " more\n";
      break;
    }
    const TakenCell& cell = takenCells[i];
    text += "  line " + std::to_string(cell.line) + ", column " + std::to_string(cell.column + 1) +
            ": now \"" + cell.shown + "\"\n";
  }
  if (!refusal.empty()) text += "\n" + refusal + "\n";
  if (!issues.empty()) text += "\n" + Text();
  return text;
}

SheetImporter::Report SheetImporter::Import(std::string_view csvText) {
  return Import(CsvTable::Read(csvText, static_cast<std::size_t>(sheet_.rowCount())));
}

std::string SheetImporter::ForeignHeadings(const CsvTable& table,
                                           const CsvTable::Row& headings) const {
  if (table.rows().empty()) return {};
  const CsvTable::Row& first = table.rows().front();
  for (std::size_t column = 0; column < headings.size(); ++column) {
    const std::string heading = Trimmed(headings[column]);
    if (heading.empty()) continue;
    // Every heading in its place: sheets of one kind share some (the number, the name).
    if (column >= first.size() || !SameIgnoringCase(Trimmed(first[column]), heading)) {
      // What a reader can take in, however long the file's first line.
      constexpr std::size_t kShownColumns = 12;
      constexpr std::size_t kShownLength = 40;
      std::string columns;
      for (std::size_t i = 0; i < first.size(); ++i) {
        if (i == kShownColumns) {
          columns += ", …";
          break;
        }
        if (i > 0) columns += ", ";
        const std::string& field = first[i];
        columns += field.empty()                  ? std::string("(empty)")
                   : field.size() <= kShownLength ? field
                                                  : field.substr(0, kShownLength) + "…";
      }
      const std::string title = sheet_.TitleText().empty() ? sheet_.key() : sheet_.TitleText();
      return "this CSV is not a " + title + " sheet: its columns are " + columns;
    }
  }
  return {};
}

std::vector<int> SheetImporter::ColumnsByHeading(const CsvTable& table,
                                                 const CsvTable::Row& headings,
                                                 Report& report) const {
  std::vector<int> source(headings.size(), -1);
  if (table.rows().empty()) return {};
  const CsvTable::Row& first = table.rows().front();
  const int line = table.rowLines().front();
  bool any = false;
  std::vector<Issue> unknown;
  for (std::size_t field = 0; field < first.size(); ++field) {
    const std::string heading = Trimmed(first[field]);
    const auto column = static_cast<int>(field) + 1;
    if (heading.empty()) {
      unknown.push_back({line, column, "a column without a heading; left out"});
      continue;
    }
    // Repeated headings are taken in the sheet's order.
    std::size_t match = 0;
    while (match < headings.size() &&
           (source[match] >= 0 || !SameIgnoringCase(Trimmed(headings[match]), heading))) {
      ++match;
    }
    if (match == headings.size()) {
      unknown.push_back({line, column, "the sheet has no column \"" + heading + "\"; left out"});
      continue;
    }
    source[match] = static_cast<int>(field);
    any = true;
  }
  if (!any) return {};
  // As wide as the sheet, with a column it does not have in place of one it has: an export
  // of a sheet of the same kind (individual and group IDs), not this one.
  const bool missing = std::find(source.begin(), source.end(), -1) != source.end();
  if (!unknown.empty() && missing && first.size() == headings.size()) return {};
  report.issues.insert(report.issues.end(), unknown.begin(), unknown.end());
  return source;
}

SheetImporter::Report SheetImporter::Import(const CsvTable& table) {
  Report report;
  const SheetExporter exporter(sheet_);
  // What the sheet showed before: a cell whose text the file repeats was not edited, even
  // when an earlier cell of the row has changed what it shows since.
  const std::vector<CsvTable::Row> before = exporter.Table();
  const int columns = sheet_.columnCount();
  // Where each column of the sheet is in the table: in its place, or where the table's
  // heading row puts it (any order, any subset).
  std::vector<int> source(static_cast<std::size_t>(columns));
  for (int column = 0; column < columns; ++column)
    source[static_cast<std::size_t>(column)] = column;
  bool byHeading = false;
  if (!before.empty()) {
    report.refusal = ForeignHeadings(table, before.front());
    if (!report.refusal.empty()) {
      std::vector<int> found = ColumnsByHeading(table, before.front(), report);
      if (found.empty()) return report;
      report.refusal.clear();
      source = std::move(found);
      byHeading = true;
    }
  }
  // The field of a sheet column in a line of the table; null when the line does not hold it.
  const auto fieldOf = [&](const CsvTable::Row& fields, int column) -> const std::string* {
    const int at = source[static_cast<std::size_t>(column)];
    return at >= 0 && static_cast<std::size_t>(at) < fields.size()
               ? &fields[static_cast<std::size_t>(at)]
               : nullptr;
  };
  const std::size_t expectedFields =
      byHeading ? table.rows().front().size() : static_cast<std::size_t>(columns);
  for (const CsvTable::Problem& problem : table.problems()) {
    report.issues.push_back({problem.line, 0, problem.text});
  }

  // A row is named by the texts of its fixed cells (headings, channel numbers): a line is
  // applied to the row it names, so lines deleted or moved in the file land where they
  // belong. Rows without such texts go by position.
  const auto keyColumns = [&](int row) {
    std::vector<int> keys;
    for (int column = 0; column < columns; ++column) {
      const Cell& cell = sheet_.CellAt(column, row).cell;
      const bool fixed = cell.cellLink == kCellLinkNone || column < sheet_.fixedColumns();
      if (fixed && !cell.selectable && !cell.joinLeft &&
          !before[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)].empty()) {
        keys.push_back(column);
      }
    }
    return keys;
  };
  // A row's name from the texts of its key columns that the table holds.
  const auto keyOf = [&](const CsvTable::Row& texts, const std::vector<int>& keys, bool inTable) {
    std::string key;
    for (int column : keys) {
      if (source[static_cast<std::size_t>(column)] < 0) continue;
      const auto c = static_cast<std::size_t>(column);
      const std::string* text = inTable            ? fieldOf(texts, column)
                                : c < texts.size() ? &texts[c]
                                                   : nullptr;
      key += std::to_string(column) + '\x1F' + (text != nullptr ? *text : std::string()) + '\x1E';
    }
    return key;
  };
  std::vector<std::vector<int>> rowKeys;
  std::map<std::string, int> rowByKey;  // -1: more than one row has the key
  for (int row = 0; row < sheet_.rowCount(); ++row) {
    rowKeys.push_back(keyColumns(row));
    if (rowKeys.back().empty()) continue;
    const auto [at, added] =
        rowByKey.emplace(keyOf(before[static_cast<std::size_t>(row)], rowKeys.back(), false), row);
    if (!added) at->second = -1;
  }

  std::vector<int> appliedFrom(static_cast<std::size_t>(sheet_.rowCount()), 0);
  const int lines = std::min(sheet_.rowCount(), static_cast<int>(table.rows().size()));
  // A heading line that names the columns is no row of data.
  for (int index = byHeading ? 1 : 0; index < lines; ++index) {
    const CsvTable::Row& fields = table.rows()[static_cast<std::size_t>(index)];
    const int line = table.rowLines()[static_cast<std::size_t>(index)];
    if (fields.size() != expectedFields) {
      report.issues.push_back(
          {line, 0,
           "has " + std::to_string(fields.size()) + " fields, " +
               (byHeading ? "the heading line " + std::to_string(expectedFields)
                          : "the sheet " + std::to_string(columns) + " columns")});
    }
    int row = index;
    const std::vector<int>& keys = rowKeys[static_cast<std::size_t>(index)];
    const std::string key = keyOf(fields, keys, true);
    if (!key.empty() && key != keyOf(before[static_cast<std::size_t>(index)], keys, false)) {
      const auto found = rowByKey.find(key);
      if (found == rowByKey.end() || found->second < 0) {
        report.issues.push_back({line, 0, "names no row of the sheet; left out"});
        continue;
      }
      row = found->second;
    }
    int& from = appliedFrom[static_cast<std::size_t>(row)];
    if (from != 0) {
      report.issues.push_back(
          {line, 0, "repeats the row of line " + std::to_string(from) + "; left out"});
      continue;
    }
    from = line;

    const CsvTable::Row& shown = before[static_cast<std::size_t>(row)];
    for (int column = 0; column < columns; ++column) {
      const auto c = static_cast<std::size_t>(column);
      const std::string* field = fieldOf(fields, column);
      // A column the line does not hold is left as it is.
      if (field == nullptr || *field == shown[c]) continue;
      Outcome outcome{false, "not an editable cell"};
      if (TakesText(column, row)) {
        const std::string now = exporter.CellText(column, row);
        if (now == *field) continue;
        outcome = Apply(column, row, *field, now);
      }
      if (outcome.taken) {
        ++report.taken;
        report.takenCells.push_back({line, column, row, exporter.CellText(column, row)});
      }
      if (!outcome.reason.empty()) report.issues.push_back({line, column + 1, outcome.reason});
    }
  }
  // Lines past the sheet's end, blank ones at the very end aside.
  const std::size_t end = table.filledRowCount();
  const auto first = static_cast<std::size_t>(sheet_.rowCount());
  if (end > first) {
    report.issues.push_back({table.LineOfRow(first), 0,
                             "this line and the " + std::to_string(end - first - 1) +
                                 " after it are beyond the sheet's last row"});
  }
  return report;
}

bool SheetImporter::TakesText(int column, int row) const {
  const Cell& cell = sheet_.CellAt(column, row).cell;
  return cell.cellLink != kCellLinkNone && !cell.joinLeft && cell.selectable &&
         Editable(cell.cellLink);
}

SheetImporter::Outcome SheetImporter::Apply(int column, int row, const std::string& wanted,
                                            const std::string& before) {
  const Cell& cell = sheet_.CellAt(column, row).cell;
  const SheetExporter exporter(sheet_);
  // Ask the cell what Enter would do, as a user opening it would; a cell that acts on it
  // instead of opening an editor is put back as it was.
  std::optional<EepromImage> kept;
  if (image_ != nullptr) kept.emplace(*image_);
  ProbePopupHost popupHost;
  ProbeCanvas canvas;
  CellRequest probe;
  probe.cell = &cell;
  probe.popupHost = &popupHost;
  probe.canvas = &canvas;
  probe.key = SpecialKey::Enter;
  const AccessResult result = sheet_.Access(probe, true);
  const auto refuse = [&](const std::string& reason) {
    if (kept && !std::equal(kept->Data(), kept->Data() + kept->Size(), image_->Data())) {
      image_->Assign(*kept);
    }
    return Outcome{false, reason};
  };
  if (probe.redirected) return refuse("the cell stands for another cell");

  CellRequest commit;
  commit.cell = &cell;
  Cell chosen;
  if (result == AccessResult::PopupOpened && popupHost.popup) {
    const ChoiceList& list = choices_.List(popupHost.popup->listKey, popupHost.popup->variant);
    const std::string label = Trimmed(wanted);
    const Choice* match = nullptr;
    for (const Choice& choice : list.byPosition) {
      if (Trimmed(choice.name) == label) {
        match = &choice;
        break;
      }
      if (match == nullptr && SameIgnoringCase(Trimmed(choice.name), label)) match = &choice;
    }
    if (match == nullptr) return refuse("\"" + wanted + "\" is not one of the cell's choices");
    chosen.cellLink = popupHost.popup->variant;
    chosen.index = match->value;
    commit.commit = CellCommit::Choice;
    commit.popupChoice = &chosen;
  } else if (result == AccessResult::StartEdit) {
    commit.commit = CellCommit::Text;
    commit.editText = wanted.substr(0, SheetController::kEditorMaxLength);
  } else if (!probe.noticeText.empty()) {
    return refuse(probe.noticeText);
  } else if (canvas.colour == CellAccess::kReadOnlyColour) {
    return refuse("the cell is read-only");
  } else {
    return refuse("the cell takes no typed value");
  }
  sheet_.Access(commit, true);
  // The cell's own words, as the sheet view's status bar has them.
  if (commit.keepEditing) return refuse("\"" + wanted + "\": " + commit.noticeText);
  const std::string after = exporter.CellText(column, row);
  if (!commit.noticeText.empty() && !SameValue(wanted, after)) {
    return {true, "taken as \"" + after + "\": " + commit.noticeText};
  }
  if (after == before && !SameValue(wanted, before)) {
    return {false, canvas.colour == CellAccess::kGreyedColour
                       ? "\"" + wanted + "\" was not taken: the cell is greyed out"
                       : "\"" + wanted + "\" was not taken"};
  }
  // A transmit frequency typed equal to the receive one on its left shows as the mark.
  const bool sameAsLeft = after == FrequencyEditor::kSameAsRxText && column > 0 &&
                          SameValue(wanted, exporter.CellText(column - 1, row));
  // Shortened, limited or rounded by the editor: taken, but not as written.
  if (!SameValue(wanted, after) && !sameAsLeft) return {true, "taken as \"" + after + "\""};
  return {true, {}};
}

}  // namespace rtv
