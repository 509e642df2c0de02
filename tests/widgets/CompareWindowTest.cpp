// SPDX-License-Identifier: GPL-3.0-or-later
// File > Compare with File as a user meets it: the differences window and Take B's Value.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <memory>
#include <string>

#include "MemorySettingsStore.h"
#include "ProgramWindow.h"
#include "app/FileCommands.h"
#include "app/ImageCompareCommands.h"
#include "base/PlainTextMetrics.h"
#include "compare/ImageSheets.h"
#include "compare/widgets/DifferencesTable.h"
#include "compare/widgets/DifferencesWindow.h"
#include "sheet/CsvTable.h"
#include "sheet/SheetExporter.h"
#include "sheet/SheetImporter.h"

namespace rtv {
namespace {

// The working image with channel 16's comment and channel 17's favourite mark typed over.
EepromImage Customers(test::ProgramWindow& w) {
  PlainTextMetrics metrics;
  ImageSheets sheets(w.overlay, metrics, w.controller->CurrentDocument().Working());
  const std::unique_ptr<Sheet> sheet = sheets.Build("GI_Sheet_IntCh");
  std::vector<CsvTable::Row> rows = SheetExporter(*sheet).Table();
  for (CsvTable::Row& row : rows) {
    if (row.front() == "16") row[6] = "SAFETY";
    if (row.front() == "17") row[2] = "FAV";
  }
  const SheetImporter::Report report =
      SheetImporter(*sheet, sheets.Choices(), nullptr).Import(CsvTable::Write(rows));
  EXPECT_EQ(report.taken, 2) << report.Summary();
  return sheets.Image();
}

int RowWithHeading(QTableWidget* table, const QString& heading) {
  for (int row = 0; row < table->rowCount(); ++row) {
    if (table->item(row, 2)->text() == heading) return row;
  }
  return -1;
}

TEST(CompareWindowTest, TakingOneValueChangesTheWorkingImageInThatCellOnly) {
  test::MemorySettingsStore store;
  test::ProgramWindow w(store);
  w.mainWindow->show();
  w.Tick();
  const EepromImage original = w.controller->CurrentDocument().Working();
  EepromImage customers = Customers(w);
  const std::string path = w.folder.Path() + "/customer.rtv";
  ASSERT_TRUE(w.controller->Files().WriteImageFile(path, customers));

  w.prompts.fileNames.push_back(path);
  QAction* item = w.MenuItem("CL_Menu_File_Exp", CommandRouter::kCompareWithFile);
  ASSERT_NE(item, nullptr);
  item->trigger();
  w.Tick();
  auto* window = w.mainWindow->findChild<DifferencesWindow*>("DifferencesWindow");
  ASSERT_NE(window, nullptr);
  QTableWidget* table = window->table();
  const int comment = RowWithHeading(table, "Comment");
  ASSERT_GE(comment, 0);
  ASSERT_GE(RowWithHeading(table, "Favourite"), 0);
  EXPECT_EQ(table->item(comment, 4)->text(), "SAFETY");

  // Select the comment's row and take B's value.
  const QRect place = table->visualItemRect(table->item(comment, 0));
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, place.center());
  ASSERT_TRUE(window->takeButton()->isEnabled());
  QTest::mouseClick(window->takeButton(), Qt::LeftButton);

  // The working image differs from the one before in the comment only.
  const ImageDifferences changed = w.controller->Comparisons().CompareWith(original);
  ASSERT_EQ(changed.cells.size(), 1u) << changed.Text();
  EXPECT_EQ(changed.cells.front().columnHeading, "Comment");
  EXPECT_EQ(changed.cells.front().valueA, "SAFETY");
  EXPECT_TRUE(changed.otherMemory.empty()) << changed.Text();
  // The window lists what still differs: the favourite mark, no comment.
  EXPECT_EQ(RowWithHeading(table, "Comment"), -1);
  EXPECT_GE(RowWithHeading(table, "Favourite"), 0);
  window->close();
}

TEST(CompareWindowTest, AFileThatHoldsTheSameSaysSo) {
  test::MemorySettingsStore store;
  test::ProgramWindow w(store);
  w.Tick();
  EepromImage same = w.controller->CurrentDocument().Working();
  const std::string path = w.folder.Path() + "/same.rtv";
  ASSERT_TRUE(w.controller->Files().WriteImageFile(path, same));
  w.prompts.fileNames.push_back(path);
  w.MenuItem("CL_Menu_File_Exp", CommandRouter::kCompareWithFile)->trigger();
  w.Tick();
  EXPECT_EQ(w.mainWindow->findChild<DifferencesWindow*>("DifferencesWindow"), nullptr);
  ASSERT_FALSE(w.prompts.shown.empty());
  EXPECT_NE(w.prompts.shown.back().text.find("No differences"), std::string::npos);
}

}  // namespace
}  // namespace rtv
