// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ShippedController.h"
#include "app/ClipboardRowCommands.h"
#include "cells/CellNames.h"
#include "cells/CellRequest.h"
#include "radio/RowOperations.h"
#include "sheet/ClipboardRows.h"
#include "sheet/CsvTable.h"
#include "sheet/Sheet.h"
#include "sheet/SheetExporter.h"
#include "sheet/SheetImporter.h"

namespace rtv {
namespace {

constexpr int kName = LinkNo("CL_Fch_ChName");
constexpr int kReceive = LinkNo("CL_Fch_FreqR");
constexpr int kTransmit = LinkNo("CL_Fch_FreqT");

// The free channel sheet of the shipped model 0, on show in a window without widgets.
struct ClipboardSheet : test::ShippedController {
  ClipboardSheet() : sheet(BuildSheet("GI_Sheet_FreeCh")) { view.sheetOnShow = sheet.get(); }

  int SheetRowOf(int listRow) const {
    const std::vector<int> rows = ClipboardRows(*sheet).SheetRowsOf(kind, {listRow});
    EXPECT_EQ(rows.size(), 1U) << "free channel " << listRow;
    return rows.empty() ? 0 : rows.front();
  }
  int Column(int cellLink) const {
    const int row = SheetRowOf(0);
    for (int column = 0; column < sheet->columnCount(); ++column) {
      if (sheet->CellAt(column, row).cell.cellLink == cellLink) return column;
    }
    ADD_FAILURE() << "no column " << CellLinkName(cellLink);
    return 0;
  }
  std::string Shown(int cellLink, int listRow) const {
    return SheetExporter(*sheet).CellText(Column(cellLink), SheetRowOf(listRow));
  }
  // Typed into the cell, as a user would.
  void Type(int cellLink, int listRow, const std::string& text) {
    SheetImporter importer(*sheet, controller.Choices(), &controller.CurrentDocument().Working());
    const int column = Column(cellLink);
    const int row = SheetRowOf(listRow);
    ASSERT_TRUE(importer.Apply(column, row, text, Shown(cellLink, listRow)).taken) << text;
  }
  SheetImporter::Report Paste(const std::string& text, int fromListRow) {
    ClipboardRows rows(*sheet);
    return rows.Paste(text, rows.SheetRowsFrom(kind, fromListRow), controller.Choices(),
                      &controller.CurrentDocument().Working());
  }
  // Copy Rows on free channels first … last, as the popup menu runs it.
  void CopyRows(int first, int last) {
    CellRequest request;
    request.rangeFlags = CellRequest::kRangeSelected;
    request.rangeFirst = first;
    request.rangeLast = last;
    ASSERT_TRUE(controller.Rows().Run(RowOperations::kCopy, kind, first, request));
    controller.ClipboardCommands().Copied(controller.Rows().Buffer());
  }
  std::vector<CsvTable::Row> Table() const { return SheetExporter(*sheet).Table(); }

  const ListKind kind = ListKind::FreeChannels;
  std::unique_ptr<Sheet> sheet;
};

std::vector<CsvTable::Row> Lines(const std::string& text) {
  return CsvTable::Read(text, SIZE_MAX, CsvTable::kTab).rows();
}

// The cells whose texts differ, as "row,column".
std::vector<std::string> Changed(const std::vector<CsvTable::Row>& a,
                                 const std::vector<CsvTable::Row>& b) {
  std::vector<std::string> cells;
  for (std::size_t row = 0; row < a.size() && row < b.size(); ++row) {
    for (std::size_t column = 0; column < a[row].size() && column < b[row].size(); ++column) {
      if (a[row][column] != b[row][column]) {
        cells.push_back(std::to_string(row) + "," + std::to_string(column));
      }
    }
  }
  return cells;
}

TEST(ClipboardRowsTest, CopyRowsPutsAHeadingLineAndTheRowsAsTabSeparatedText) {
  ClipboardSheet s;
  s.Type(kName, 1, "AB");
  s.Type(kReceive, 1, "156.05");
  s.CopyRows(0, 2);
  const std::string& text = s.view.clipboard.text;
  ASSERT_NE(text.find('\t'), std::string::npos);
  const std::vector<CsvTable::Row> lines = Lines(text);
  ASSERT_EQ(lines.size(), 4U) << text;
  const auto columns = static_cast<std::size_t>(s.sheet->columnCount());
  ASSERT_EQ(lines[0].size(), columns);
  for (std::size_t column = 0; column < columns; ++column) {
    EXPECT_EQ(lines[0][column], s.sheet->ColumnHeading(static_cast<int>(column)));
  }
  EXPECT_FALSE(lines[0][static_cast<std::size_t>(s.Column(kName))].empty());
  // Each line is what the sheet shows of its row.
  const std::vector<CsvTable::Row> table = s.Table();
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(lines[static_cast<std::size_t>(row) + 1],
              table[static_cast<std::size_t>(s.SheetRowOf(row))]);
  }
  EXPECT_EQ(lines[2][static_cast<std::size_t>(s.Column(kName))], "AB");
  // Our own copy is not newer than the row buffer; another program's text is.
  EXPECT_FALSE(s.controller.ClipboardCommands().TakesClipboard());
  s.view.clipboard.SetText("Name\nXY\n");
  EXPECT_TRUE(s.controller.ClipboardCommands().TakesClipboard());
  EXPECT_TRUE(s.controller.RowOperationEnabled(RowOperations::kPaste, ListKind::DscGroupIds));
}

// Names a spreadsheet would run as formulas reach it as text and come back unchanged.
TEST(ClipboardRowsTest, FormulaLikeNamesRoundTripGuarded) {
  const char* const names[] = {"=A", "+B", "-C", "@D"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    ClipboardSheet s;
    s.Type(kName, 0, name);
    s.CopyRows(0, 0);
    const std::string& text = s.view.clipboard.text;
    EXPECT_NE(text.find("\t'" + std::string(name) + "\t"), std::string::npos) << text;
    const SheetImporter::Report report = s.Paste(text, 5);
    EXPECT_TRUE(report.Clean()) << report.Summary();
    EXPECT_EQ(s.Shown(kName, 5), name);
  }
}

TEST(ClipboardRowsTest, PastesByColumnNameInAnyOrderOrByPosition) {
  ClipboardSheet s;
  s.Type(kName, 0, "ON");
  s.Type(kName, 3, "TH");
  s.Type(kReceive, 0, "156.05");
  s.CopyRows(0, 0);
  const std::string copied = s.view.clipboard.text;
  const std::vector<CsvTable::Row> before = s.Table();

  // A reordered, partial text with the row's number of another row: only the name changes.
  SheetImporter::Report report = s.Paste("Name\tNo.\nXY\t99\n", 3);
  EXPECT_TRUE(report.Clean()) << report.Summary();
  EXPECT_EQ(report.taken, 1);
  EXPECT_EQ(Changed(before, s.Table()),
            (std::vector<std::string>{std::to_string(s.SheetRowOf(3)) + "," +
                                      std::to_string(s.Column(kName))}));

  // Without its heading line the copy goes by position, to the same effect as with it.
  report = s.Paste(copied.substr(copied.find('\n') + 1), 7);
  EXPECT_TRUE(report.Clean()) << report.Summary();
  report = s.Paste(copied, 8);
  EXPECT_TRUE(report.Clean()) << report.Summary();
  for (const int cellLink : {kName, kReceive, kTransmit}) {
    SCOPED_TRACE(CellLinkName(cellLink));
    EXPECT_EQ(s.Shown(cellLink, 7), s.Shown(cellLink, 0));
    EXPECT_EQ(s.Shown(cellLink, 8), s.Shown(cellLink, 0));
  }
  EXPECT_EQ(s.Shown(kName, 7), "ON");
}

// A spreadsheet holds the transmit frequency of a simplex channel as a number; the sheet
// shows it as the same-as-receive mark, which is what was written.
TEST(ClipboardRowsTest, ASimplexFrequencyIsTakenAsWritten) {
  ClipboardSheet s;
  const std::string text = "Name\t" + s.sheet->ColumnHeading(s.Column(kReceive)) + "\t" +
                           s.sheet->ColumnHeading(s.Column(kTransmit)) +
                           "\nAB\t156.05\t156.05\nCD\t156.3\t156.35\n";
  const SheetImporter::Report report = s.Paste(text, 0);
  EXPECT_TRUE(report.Clean()) << report.Summary();
  EXPECT_EQ(report.taken, 6);
  EXPECT_EQ(s.Shown(kTransmit, 0), "<-");
  EXPECT_EQ(s.Shown(kTransmit, 1), "156.35000");
}

struct BadCase {
  const char* what;
  std::string text;                 // "{RX}" stands for the heading of the receive frequency
  std::vector<std::string> issues;  // "line: reason", each reason's start
  std::vector<const char*> names;   // free channels 0, 1 and 2 afterwards; null: unchanged
};

std::string ManyLines(int count) {
  std::string text = "Name\n";
  for (int i = 0; i < count; ++i) text += "N" + std::to_string(i % 10) + "\n";
  return text;
}

TEST(ClipboardRowsTest, BadTextsAreReportedLineByLineOrRefused) {
  const ClipboardSheet probe;
  const auto rows =
      static_cast<int>(ClipboardRows(*probe.sheet).SheetRowsFrom(probe.kind, 0).size());
  const int lines = 100000;
  const std::vector<BadCase> cases = {
      {"a line that is no UTF-8",
       "Name\nAA\nB\xFF\nCC\n",
       {"3: not UTF-8 text"},
       {"AA", nullptr, "CC"}},
      {"an overlong form and a cut character",
       "Name\n\xC0\xAF\nBB\nC\xE2\x82",
       {"2: not UTF-8 text", "4: not UTF-8 text"},
       {nullptr, "BB", nullptr}},
      {"100,000 lines",
       ManyLines(lines),
       {std::to_string(rows + 2) + ": this line and the " + std::to_string(lines - rows - 1) +
        " after it are beyond the list's last row"},
       {"N0", "N1", "N2"}},
      {"a refused frequency among taken names",
       "Name\t{RX}\nAA\tX\nBB\t\n",
       {"2, column "},
       {"AA", "BB", nullptr}},
      {"more text than any list", std::string(ClipboardRows::kMaxTextBytes + 2, '\n'), {}, {}},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.what);
    ClipboardSheet s;
    std::string text = c.text;
    if (const std::size_t at = text.find("{RX}"); at != std::string::npos) {
      text.replace(at, 4, s.sheet->ColumnHeading(s.Column(kReceive)));
    }
    const std::vector<CsvTable::Row> before = s.Table();
    const SheetImporter::Report report = s.Paste(text, 0);
    if (c.names.empty()) {
      EXPECT_NE(report.refusal.find("more than"), std::string::npos) << report.refusal;
      EXPECT_EQ(report.taken, 0);
      EXPECT_TRUE(Changed(before, s.Table()).empty());
      continue;
    }
    ASSERT_EQ(report.issues.size(), c.issues.size()) << report.Summary();
    for (std::size_t i = 0; i < c.issues.size(); ++i) {
      const SheetImporter::Issue& issue = report.issues[i];
      const std::string line =
          std::to_string(issue.line) +
          (issue.column > 0 ? ", column " + std::to_string(issue.column) : "") + ": " +
          issue.reason;
      EXPECT_EQ(line.rfind(c.issues[i], 0), 0U) << line;
    }
    const std::size_t nameColumn = static_cast<std::size_t>(s.Column(kName));
    for (int row = 0; row < 3; ++row) {
      const char* name = c.names[static_cast<std::size_t>(row)];
      EXPECT_EQ(
          s.Shown(kName, row),
          name != nullptr ? name : before[static_cast<std::size_t>(s.SheetRowOf(row))][nameColumn])
          << "free channel " << row;
    }
  }
}

// The controller's side: a text another program put on the clipboard is pasted into the
// sheet on show, as one step that one Undo takes back whole.
TEST(ClipboardRowsTest, PasteRowsTakesANewerClipboardTextAsOneStep) {
  ClipboardSheet s;
  s.CopyRows(0, 0);  // the row buffer holds free channel 0, and the clipboard its text
  const EepromImage before = s.controller.CurrentDocument().Working();
  s.view.clipboard.SetText("Name\nAA\nBB\n");
  ASSERT_TRUE(s.controller.ClipboardCommands().TakesClipboard());
  ASSERT_TRUE(s.controller.ClipboardCommands().Paste(s.kind, 4, "Paste Rows"));
  EXPECT_EQ(s.Shown(kName, 4), "AA");
  EXPECT_EQ(s.Shown(kName, 5), "BB");
  EXPECT_TRUE(s.prompts.shown.empty());  // a clean paste says so in the status bar only
  EXPECT_EQ(s.view.rebuilt, 1);
  EXPECT_EQ(s.controller.CurrentDocument().UndoCaption(), "Undo Paste Rows");
  ASSERT_TRUE(s.controller.Undo());
  EXPECT_TRUE(s.controller.CurrentDocument().Working().Equals(before));

  // A refused cell is reported as the import reports it.
  s.view.clipboard.SetText("Name\t" + s.sheet->ColumnHeading(s.Column(kReceive)) + "\nCC\tX\n");
  ASSERT_TRUE(s.controller.ClipboardCommands().Paste(s.kind, 4, "Paste Rows"));
  ASSERT_EQ(s.prompts.shown.size(), 1U);
  EXPECT_NE(s.prompts.shown[0].text.find("1 cell taken."), std::string::npos)
      << s.prompts.shown[0].text;
  EXPECT_NE(s.prompts.shown[0].text.find("line 2, column "), std::string::npos);
}

}  // namespace
}  // namespace rtv
