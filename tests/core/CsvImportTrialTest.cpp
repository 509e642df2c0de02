// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ShippedController.h"
#include "compare/CsvImportTrial.h"
#include "sheet/CsvTable.h"
#include "sheet/SheetExporter.h"
#include "sheet/SheetImporter.h"

namespace rtv {
namespace {

// The INT channel sheet's export with the given lines changed: each edit names a row by its
// first column; an empty label adds the row as given.
struct RowEdit {
  std::string label;
  int column;
  std::string text;
};

std::string EditedExport(const Sheet& sheet, const std::vector<RowEdit>& edits) {
  std::vector<CsvTable::Row> rows = SheetExporter(sheet).Table();
  for (const RowEdit& edit : edits) {
    if (edit.label.empty()) {
      rows.push_back(CsvTable::Row(rows.back().size(), ""));
      rows.back()[0] = edit.text;
      continue;
    }
    for (CsvTable::Row& row : rows) {
      if (row.front() == edit.label) row[static_cast<std::size_t>(edit.column)] = edit.text;
    }
  }
  return CsvTable::Write(rows);
}

struct TrialCase {
  const char* name;
  std::vector<RowEdit> edits;
  std::size_t differences;
  bool issues;  // the report lists something left out
};

// The trial reports what the import on the sheet itself reports and leaves the image it
// would leave; the image it was given stays as it was.
TEST(CsvImportTrialTest, TheTrialShowsWhatTheImportWouldDoAndChangesNothing) {
  const TrialCase cases[] = {
      {"one comment", {{"16", 6, "SAFETY"}}, 1, false},
      {"one comment, one refused cell", {{"16", 6, "SAFETY"}, {"17", 4, "7 W"}}, 1, true},
      {"a row the sheet has not", {{"16", 6, "SAFETY"}, {"", 0, "999"}}, 1, true},
      {"the export itself", {}, 0, false},
  };
  for (const TrialCase& c : cases) {
    SCOPED_TRACE(c.name);
    test::ShippedController shipped;
    const EepromImage original = shipped.controller.CurrentDocument().Working();
    const std::unique_ptr<Sheet> sheet = shipped.BuildSheet("GI_Sheet_IntCh");
    const std::string csv = EditedExport(*sheet, c.edits);

    const CsvImportTrial::Outcome trial =
        CsvImportTrial(shipped.overlay, shipped.metrics)
            .Try(shipped.controller.CurrentDocument().Working(), "GI_Sheet_IntCh", false, csv);
    EXPECT_TRUE(shipped.controller.CurrentDocument().Working().Equals(original));
    EXPECT_TRUE(trial.before.Equals(original));
    ASSERT_EQ(trial.differences.cells.size(), c.differences) << trial.differences.Text();
    EXPECT_TRUE(trial.differences.otherMemory.empty()) << trial.differences.Text();
    EXPECT_EQ(trial.ChangesNothing(), c.differences == 0);
    EXPECT_EQ(!trial.report.issues.empty(), c.issues) << trial.report.Text();
    if (c.differences == 1) {
      const ImageDifferences::Cell& cell = trial.differences.cells.front();
      EXPECT_EQ(cell.sheetTitle(), "INT Channels");
      EXPECT_EQ(cell.rowLabel, "16");
      EXPECT_EQ(cell.columnHeading, "Comment");
      EXPECT_EQ(cell.valueA, "DISTRESS");
      EXPECT_EQ(cell.valueB, "SAFETY");
    }

    // The same file imported into the program's own sheet.
    const SheetImporter::Report direct =
        SheetImporter(*sheet, shipped.controller.Choices(),
                      &shipped.controller.CurrentDocument().Working())
            .Import(csv);
    EXPECT_EQ(trial.report.Summary(), direct.Summary());
    EXPECT_TRUE(trial.after.Equals(shipped.controller.CurrentDocument().Working()));
  }
}

// A partial file by column name, with a column the sheet has not.
TEST(CsvImportTrialTest, UnknownColumnsAreReportedAndTheRestPreviewed) {
  test::ShippedController shipped;
  const std::unique_ptr<Sheet> sheet = shipped.BuildSheet("GI_Sheet_IntCh");
  const CsvTable::Row headings = SheetExporter(*sheet).Table().front();
  const std::string csv =
      CsvTable::Write({{headings[6], headings[0], "Colour"}, {"SAFETY", "16", "red"}});
  const CsvImportTrial::Outcome trial =
      CsvImportTrial(shipped.overlay, shipped.metrics)
          .Try(shipped.controller.CurrentDocument().Working(), "GI_Sheet_IntCh", false, csv);
  ASSERT_EQ(trial.differences.cells.size(), 1u) << trial.differences.Text();
  EXPECT_EQ(trial.differences.cells.front().valueB, "SAFETY");
  ASSERT_EQ(trial.report.issues.size(), 1u) << trial.report.Text();
  EXPECT_NE(trial.report.Text().find("Colour"), std::string::npos) << trial.report.Text();
}

TEST(CsvImportTrialTest, AFileOfAnotherSheetIsRefusedWithNothingChanged) {
  test::ShippedController shipped;
  const CsvImportTrial::Outcome trial =
      CsvImportTrial(shipped.overlay, shipped.metrics)
          .Try(shipped.controller.CurrentDocument().Working(), "GI_Sheet_IntCh", false,
               "No.,MMSI,Name\r\n1,,ANNA\r\n");
  EXPECT_FALSE(trial.report.refusal.empty());
  EXPECT_TRUE(trial.ChangesNothing());
  EXPECT_TRUE(trial.differences.Same());
}

}  // namespace
}  // namespace rtv
