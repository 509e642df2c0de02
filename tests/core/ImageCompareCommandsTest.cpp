// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "ShippedController.h"
#include "app/ImageCompareCommands.h"
#include "compare/ImageSheets.h"
#include "sheet/CsvTable.h"
#include "sheet/SheetExporter.h"

namespace rtv {
namespace {

// A copy of `image` with cells of the INT channel sheet typed over, as an import would.
EepromImage Edited(test::ShippedController& shipped, const EepromImage& image,
                   const std::vector<std::tuple<std::string, int, std::string>>& edits) {
  ImageSheets sheets(shipped.overlay, shipped.metrics, image);
  const std::unique_ptr<Sheet> sheet = sheets.Build("GI_Sheet_IntCh");
  std::vector<CsvTable::Row> rows = SheetExporter(*sheet).Table();
  for (const auto& [label, column, text] : edits) {
    for (CsvTable::Row& row : rows) {
      if (row.front() == label) row[static_cast<std::size_t>(column)] = text;
    }
  }
  const SheetImporter::Report report =
      SheetImporter(*sheet, sheets.Choices(), nullptr).Import(CsvTable::Write(rows));
  EXPECT_EQ(report.taken, static_cast<int>(edits.size())) << report.Summary();
  return sheets.Image();
}

TEST(ImageCompareCommandsTest, TakingOneValueChangesThatCellOnlyAndUndoes) {
  test::ShippedController shipped;
  ImageCompareCommands commands(shipped.controller, shipped.controller.CurrentDocument());
  const EepromImage original = shipped.controller.CurrentDocument().Working();
  const EepromImage other = Edited(shipped, original, {{"16", 6, "SAFETY"}, {"17", 2, "FAV"}});

  const ImageDifferences differences = commands.CompareWith(other);
  ASSERT_EQ(differences.cells.size(), 2u) << differences.Text();
  std::size_t comment = 0;
  while (differences.cells[comment].columnHeading != "Comment") ++comment;
  const SheetImporter::Report report = commands.TakeValues(differences, {comment});
  EXPECT_EQ(report.taken, 1) << report.Summary();
  EXPECT_TRUE(report.Clean()) << report.Summary();

  // The working image now has B's comment and still A's favourite mark.
  const ImageDifferences left = commands.CompareWith(other);
  ASSERT_EQ(left.cells.size(), 1u) << left.Text();
  EXPECT_EQ(left.cells.front().columnHeading, "Favourite");
  EXPECT_TRUE(left.otherMemory.empty()) << left.Text();
  const ImageDifferences changed = commands.CompareWith(original);
  ASSERT_EQ(changed.cells.size(), 1u) << changed.Text();
  EXPECT_EQ(changed.cells.front().valueA, "SAFETY");

  // One step to undo.
  shipped.controller.Undo();
  EXPECT_TRUE(shipped.controller.CurrentDocument().Working().Equals(original));
}

TEST(ImageCompareCommandsTest, AFileThatCannotBeReadComparesNothing) {
  test::ShippedController shipped;
  ImageCompareCommands commands(shipped.controller, shipped.controller.CurrentDocument());
  EXPECT_FALSE(commands.CompareWithFile("/nonexistent/boat.rtv").has_value());
  EXPECT_FALSE(shipped.prompts.shown.empty());
}

}  // namespace
}  // namespace rtv
