// SPDX-License-Identifier: GPL-3.0-or-later
// Clone > Compare with Radio against the radio simulator: the radio is read into an image of
// its own and what differs is listed; the working image is left as it was.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "RadioSimulator.h"
#include "ShippedData.h"
#include "app/FileCommands.h"
#include "base/PlainTextMetrics.h"
#include "cells/CellNames.h"
#include "compare/ImageSheets.h"
#include "compare/widgets/DifferencesTable.h"
#include "compare/widgets/DifferencesWindow.h"
#include "sheet/CsvTable.h"
#include "sheet/SheetExporter.h"
#include "sheet/SheetImporter.h"

namespace rtv {
namespace {

using test::RadioFixture;
using test::Simulator;

// Saves the working image as the file the simulator serves.
std::string RadioFile(RadioFixture& f) {
  EepromImage copy(f.controller->CurrentDocument().Working());
  const std::string path = f.folder.Path() + "/radio.rtv";
  EXPECT_TRUE(f.controller->Files().WriteImageFile(path, copy));
  return path;
}

// Types channel 16's comment over in the working image, as one edit of the user.
void EditOneComment(RadioFixture& f, const std::string& comment) {
  PlainTextMetrics metrics;
  ImageSheets sheets(f.overlay, metrics, f.controller->CurrentDocument().Working());
  const std::unique_ptr<Sheet> sheet = sheets.Build("GI_Sheet_IntCh");
  std::vector<CsvTable::Row> rows = SheetExporter(*sheet).Table();
  for (CsvTable::Row& row : rows) {
    if (row.front() == "16") row[6] = comment;
  }
  const SheetImporter::Report report =
      SheetImporter(*sheet, sheets.Choices(), nullptr).Import(CsvTable::Write(rows));
  ASSERT_EQ(report.taken, 1) << report.Summary();
  Document& document = f.controller->CurrentDocument();
  document.BeginStep("Edit", f.controller->PlaceOnShow());
  document.Working().Assign(sheets.Image());
  document.EndStep();
}

QAction* CompareItem(RadioFixture& f) {
  for (QAction* action : f.mainWindow->menuBar()->findChildren<QAction*>()) {
    if (action->text() == QString::fromUtf8("&Compare with Radio…")) return action;
  }
  return nullptr;
}

// What must not move while the radio is compared.
struct WorkingState {
  explicit WorkingState(RadioFixture& f)
      : image(f.controller->CurrentDocument().Working()),
        dirty(f.controller->CurrentDocument().IsDirty()),
        modifiedMark(f.mainWindow->isWindowModified()),
        undoSteps(f.controller->CurrentDocument().History().UndoCount()),
        title(f.mainWindow->windowTitle()) {}
  void ExpectSame(RadioFixture& f) const {
    EXPECT_TRUE(f.controller->CurrentDocument().Working().Equals(image));
    EXPECT_EQ(f.controller->CurrentDocument().IsDirty(), dirty);
    EXPECT_EQ(f.mainWindow->isWindowModified(), modifiedMark);
    EXPECT_EQ(f.controller->CurrentDocument().History().UndoCount(), undoSteps);
    EXPECT_EQ(f.mainWindow->windowTitle(), title);
  }
  EepromImage image;
  bool dirty;
  bool modifiedMark;
  std::size_t undoSteps;
  QString title;
};

TEST(CompareRadioWidgetTest, TheOneChangedCellIsListedAndTheWorkingImageStays) {
  RadioFixture f;
  Simulator sim(f.SimLink());
  ASSERT_TRUE(sim.Start({"--image", QString::fromStdString(RadioFile(f))}));
  EditOneComment(f, "SAFETY");
  ASSERT_TRUE(f.controller->CurrentDocument().IsDirty());
  const WorkingState before(f);

  QAction* item = CompareItem(f);
  ASSERT_NE(item, nullptr);
  item->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return f.Progress() != nullptr; }, test::kExchangeLimitMs));
  ASSERT_TRUE(f.WaitForIdle());
  EXPECT_TRUE(f.prompts.shown.empty()) << f.LastText();
  EXPECT_TRUE(sim.LogShows("read request")) << sim.Log().toStdString();
  before.ExpectSame(f);

  auto* window = f.mainWindow->findChild<DifferencesWindow*>("DifferencesWindow");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "Compare with Radio");
  DifferencesTable* table = window->table();
  ASSERT_EQ(table->rowCount(), 1) << window->differences().Text();
  const QStringList expected = {"INT Channels", "16", "Comment", "SAFETY", "DISTRESS"};
  for (int column = 0; column < DifferencesTable::kColumns; ++column) {
    EXPECT_EQ(table->item(0, column)->text(), expected[column]);
  }

  // B's value taken back is one step to undo.
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                    table->visualItemRect(table->item(0, 0)).center());
  ASSERT_TRUE(window->takeButton()->isEnabled());
  QTest::mouseClick(window->takeButton(), Qt::LeftButton);
  EXPECT_EQ(table->rowCount(), 0);
  EXPECT_EQ(f.controller->CurrentDocument().History().UndoCount(), before.undoSteps + 1);
  f.controller->Undo();
  EXPECT_TRUE(f.controller->CurrentDocument().Working().Equals(before.image));
  window->close();
}

struct RefusedCase {
  const char* name;
  QStringList options;
  std::string said;  // the first line of the message
};

TEST(CompareRadioWidgetTest, AnotherModelOrAFailedReadListsNothing) {
  const std::vector<RefusedCase> cases = {
      {"a radio of another model",
       {"--image", QString::fromStdString(test::InitialFile("RTV612M1.rtv"))},
       "The radio is of model 1 (United Kingdom), the program's memory of model 0 (USA). "
       "Memories of different models are not compared."},
      {"a radio that falls silent", {"--silent-after", "87"}, ""},
  };
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(c.name);
    RadioFixture f;
    Simulator sim(f.SimLink());
    ASSERT_TRUE(sim.Start(c.options));
    EditOneComment(f, "SAFETY");
    const WorkingState before(f);
    f.Command(LinkNo("CL_Menu_Clone_Read"), CloneCommands::kCompareWithRadio);
    ASSERT_TRUE(f.WaitForIdle());
    EXPECT_TRUE(f.mainWindow->isEnabled());
    EXPECT_EQ(f.mainWindow->findChild<DifferencesWindow*>("DifferencesWindow"), nullptr);
    ASSERT_EQ(f.prompts.shown.size(), 1u);
    const std::string said = c.said.empty() ? f.Head(kLinkTimeout) : c.said;
    EXPECT_EQ(f.LastText().substr(0, f.LastText().find('\n')), said);
    before.ExpectSame(f);
  }
}

}  // namespace
}  // namespace rtv
