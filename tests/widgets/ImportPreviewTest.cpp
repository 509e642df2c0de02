// SPDX-License-Identifier: GPL-3.0-or-later
// File > Import CSV into sheet shows what the file would change before it changes anything.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>

#include "ProgramWindow.h"
#include "compare/widgets/DifferencesTable.h"
#include "compare/widgets/ImportPreviewWindow.h"
#include "sheet/CsvTable.h"
#include "sheet/SheetExporter.h"

namespace rtv {
namespace {

struct PreviewWindow : test::ProgramWindow {
  PreviewWindow() {
    mainWindow->show();
    EXPECT_TRUE(Choose("GI_Sheet_IntCh"));
  }
  // The sheet on show's export with channel 16's comment typed over, and an extra line.
  std::string WriteCsv(const std::string& comment, const CsvTable::Row& extra = {}) {
    auto rows = SheetExporter(mainWindow->CurrentSheet()->sheet()).Table();
    for (CsvTable::Row& row : rows) {
      if (row.front() == "16") row[6] = comment;
    }
    if (!extra.empty()) rows.push_back(extra);
    const std::string path = folder.File("in.csv");
    std::ofstream(path, std::ios::binary) << CsvTable::Write(rows);
    return path;
  }
  ImportPreviewWindow* Import(const std::string& path) {
    mainWindow->Menu()->RefreshMenu();
    prompts.fileNames.push_back(path);
    MenuItem("CL_Menu_File_Exp", 1)->trigger();
    return mainWindow->findChild<ImportPreviewWindow*>("ImportPreviewWindow");
  }
};

TEST(ImportPreviewTest, ThePreviewListsTheOneChangeAndCancelChangesNothing) {
  PreviewWindow w;
  const EepromImage before = w.controller->CurrentDocument().Working();
  ImportPreviewWindow* preview = w.Import(w.WriteCsv("SAFETY", {"999", "", "", "", "", "", "X"}));
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(preview->isModal());
  DifferencesTable* table = preview->table();
  ASSERT_EQ(table->rowCount(), 1);
  const QStringList expected = {"INT Channels", "16", "Comment", "DISTRESS", "SAFETY"};
  for (int column = 0; column < DifferencesTable::kColumns; ++column) {
    EXPECT_EQ(table->item(0, column)->text(), expected[column]);
  }
  // The line of a channel the sheet has not is named as left out.
  EXPECT_TRUE(preview->leftOut()->isVisibleTo(preview));
  EXPECT_TRUE(preview->leftOut()->toPlainText().contains("beyond the sheet's last row"))
      << preview->leftOut()->toPlainText().toStdString();
  EXPECT_TRUE(w.prompts.shown.empty());

  QTest::mouseClick(preview->cancelButton(), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(w.mainWindow->findChild<ImportPreviewWindow*>("ImportPreviewWindow"), nullptr);
  EXPECT_EQ(std::memcmp(w.controller->CurrentDocument().Working().Data(), before.Data(),
                        static_cast<std::size_t>(before.Size())),
            0);
  EXPECT_FALSE(w.controller->CurrentDocument().IsDirty());
  EXPECT_FALSE(w.mainWindow->isWindowModified());
  EXPECT_FALSE(w.controller->CurrentDocument().History().CanUndo());
  EXPECT_TRUE(w.prompts.shown.empty());
}

TEST(ImportPreviewTest, ApplyChangesTheCellAndOneUndoRestoresIt) {
  PreviewWindow w;
  const EepromImage before = w.controller->CurrentDocument().Working();
  ImportPreviewWindow* preview = w.Import(w.WriteCsv("SAFETY"));
  ASSERT_NE(preview, nullptr);
  EXPECT_FALSE(preview->leftOut()->isVisibleTo(preview));
  QTest::mouseClick(preview->applyButton(), Qt::LeftButton);

  // The report as without a preview.
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_EQ(w.prompts.shown[0].text.rfind("1 cell taken.\n", 0), 0u) << w.prompts.shown[0].text;
  EXPECT_TRUE(w.controller->CurrentDocument().IsDirty());
  EXPECT_TRUE(w.mainWindow->isWindowModified());
  ASSERT_TRUE(w.TickUntilASheetShows());
  const auto rows = SheetExporter(w.mainWindow->CurrentSheet()->sheet()).Table();
  const auto channel = std::find_if(rows.begin(), rows.end(),
                                    [](const CsvTable::Row& row) { return row.front() == "16"; });
  ASSERT_NE(channel, rows.end());
  EXPECT_EQ((*channel)[6], "SAFETY");
  EXPECT_EQ(w.controller->CurrentDocument().History().UndoCount(), 1u);
  w.controller->Undo();
  EXPECT_TRUE(w.controller->CurrentDocument().Working().Equals(before));
}

TEST(ImportPreviewTest, AFileThatChangesNothingSaysSoAndShowsNoPreview) {
  PreviewWindow w;
  const EepromImage before = w.controller->CurrentDocument().Working();
  EXPECT_EQ(w.Import(w.WriteCsv("DISTRESS")), nullptr);
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_NE(w.prompts.shown[0].text.find("would change nothing"), std::string::npos)
      << w.prompts.shown[0].text;
  EXPECT_TRUE(w.controller->CurrentDocument().Working().Equals(before));
  EXPECT_FALSE(w.controller->CurrentDocument().IsDirty());
  EXPECT_FALSE(w.controller->CurrentDocument().History().CanUndo());
}

}  // namespace
}  // namespace rtv
