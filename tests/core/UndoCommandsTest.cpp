// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "ManualClock.h"
#include "RecordingMainView.h"
#include "ScriptedPrompts.h"
#include "ShippedData.h"
#include "TempFolder.h"
#include "app/AppSettings.h"
#include "app/FileCommands.h"
#include "app/MainController.h"
#include "base/MessageBus.h"
#include "base/PlainTextMetrics.h"
#include "cells/CellCatalog.h"
#include "cells/CellNames.h"
#include "overlay/OverlayText.h"
#include "sheet/CsvTable.h"
#include "sheet/Sheet.h"
#include "sheet/SheetExporter.h"

namespace rtv {
namespace {

// The program's controller on the shipped overlay and initial files, with the INT channel
// sheet on show, built without widgets.
struct UndoFixture {
  UndoFixture() {
    overlay.SetFile(test::DataFile("RTV612.OVL"));
    help.SetLines({"#End_Of_Ovl"});
    controller.SetDataFolder(test::InitialFolder());
    controller.Setup(view);
    sheet = controller.CreateSheet(services, "GI_Sheet_IntCh");
    sheet->Build();
    view.sheetOnShow = sheet.get();
  }
  // Sends a commit or a command to the cell of `cellLink` on the row of channel row `index`.
  void Send(const char* cellLink, int index, const std::string& text, int command = 0,
            int last = -1) {
    int column = 0;
    int row = 0;
    ASSERT_TRUE(sheet->FindSelectable(CellLinkNumber(cellLink), index, column, row));
    CellRequest request;
    request.cell = &sheet->CellAt(column, row).cell;
    if (command != 0) {
      request.command = command;
      if (last >= 0) {
        request.rangeFlags = CellRequest::kRangeSelected;
        request.rangeFirst = index;
        request.rangeLast = last;
      }
    } else {
      request.commit = CellCommit::Text;
      request.editText = text;
    }
    controller.Accessor().AccessCell(request, true);
  }
  std::string LastStatus() {
    clock.Advance(MessageBus::kTickMs);
    return controller.MessagePanelText();
  }

  test::ManualClock clock;
  test::ScriptedPrompts prompts;
  AppSettings settings{true};
  OverlayText overlay;
  OverlayText help;
  MessageBus bus{clock};
  MainController controller{{settings, overlay, help, bus, clock, clock, prompts}};
  test::RecordingMainView view;
  PlainTextMetrics metrics;
  SheetServices services{overlay, metrics, [this](CellRequest& request, bool notify) {
                           return controller.Accessor().AccessCell(request, notify);
                         }};
  std::unique_ptr<Sheet> sheet;
};

TEST(UndoCommandsTest, EachUserActionIsOneStepThatUndoAndRedoTakeBackAndMakeAgain) {
  UndoFixture f;
  const EepromImage start = f.controller.CurrentDocument().Working();
  EXPECT_EQ(f.controller.CurrentDocument().UndoCaption(), "Undo");
  EXPECT_FALSE(f.controller.CurrentDocument().History().CanUndo());
  f.Send("CL_ChList_Comment", 3, "HARBOUR");
  const EepromImage named = f.controller.CurrentDocument().Working();
  ASSERT_TRUE(named.Differs(start));
  EXPECT_EQ(f.controller.CurrentDocument().UndoCaption(), "Undo Comment");
  f.Send("CL_ChList_Comment", 0, "", LinkNo("CL_PMenu_Clear"), 6);
  const EepromImage cleared = f.controller.CurrentDocument().Working();
  ASSERT_TRUE(cleared.Differs(named));
  EXPECT_EQ(f.controller.CurrentDocument().UndoCaption(), "Undo Clear Rows");
  EXPECT_TRUE(f.controller.CurrentDocument().IsDirty());

  ASSERT_TRUE(f.controller.Undo());
  EXPECT_TRUE(f.controller.CurrentDocument().Working().Equals(named));
  EXPECT_EQ(f.LastStatus(), "Undone: Clear Rows");
  EXPECT_EQ(f.view.places.back(), "GI_Sheet_IntCh CL_ChList_Comment[0]");
  EXPECT_EQ(f.controller.CurrentDocument().RedoCaption(), "Redo Clear Rows");
  ASSERT_TRUE(f.controller.Undo());
  EXPECT_TRUE(f.controller.CurrentDocument().Working().Equals(start));
  EXPECT_FALSE(f.controller.CurrentDocument().IsDirty());  // back at the saved state
  EXPECT_FALSE(f.controller.Undo());
  EXPECT_EQ(f.LastStatus(), f.overlay.GetFirstLine("GI_AppMess_NothingToUndo"));

  ASSERT_TRUE(f.controller.Redo());
  EXPECT_TRUE(f.controller.CurrentDocument().IsDirty());
  EXPECT_EQ(f.LastStatus(), "Redone: Comment");
  ASSERT_TRUE(f.controller.Redo());
  EXPECT_TRUE(f.controller.CurrentDocument().Working().Equals(cleared));
  EXPECT_FALSE(f.controller.Redo());
}

TEST(UndoCommandsTest, ACancelledOrRefusedCommandLeavesTheHistoryAlone) {
  UndoFixture f;
  f.Send("CL_ChList_Comment", 3, "ONE");
  const EepromImage before = f.controller.CurrentDocument().Working();
  f.prompts.answers = {PromptAnswer::Cancel};
  f.Send("CL_ChList_Comment", 0, "", LinkNo("CL_PMenu_Clear"), 6);
  f.Send("CL_ChList_Comment", 0, "", LinkNo("CL_PMenu_Delete"), 6);  // refused: a fixed list
  EXPECT_TRUE(f.controller.CurrentDocument().Working().Equals(before));
  EXPECT_EQ(f.controller.CurrentDocument().History().UndoCount(), 1u);
  EXPECT_EQ(f.controller.CurrentDocument().UndoCaption(), "Undo Comment");
}

TEST(UndoCommandsTest, NewStartsANewHistory) {
  UndoFixture f;
  f.Send("CL_ChList_Comment", 3, "ONE");
  f.prompts.answers = {PromptAnswer::No};  // drop the changes
  ASSERT_TRUE(f.controller.Files().New());
  EXPECT_FALSE(f.controller.CurrentDocument().History().CanUndo());
  EXPECT_FALSE(f.controller.CurrentDocument().History().CanRedo());
}

TEST(UndoCommandsTest, ACsvImportIsOneStep) {
  UndoFixture f;
  test::TempFolder folder;
  const EepromImage before = f.controller.CurrentDocument().Working();
  auto rows = SheetExporter(*f.sheet).Table();
  ASSERT_EQ(rows[4][0], "1");
  rows[4][6] = "FIRST";
  rows[5][6] = "SECOND";
  const std::string path = folder.File("in.csv");
  std::ofstream(path, std::ios::binary) << CsvTable::Write(rows);
  f.prompts.fileNames.push_back(path);
  Cell item;
  item.cellLink = LinkNo("CL_Menu_File_Exp");
  item.index = 1;
  f.controller.RunCellCommand(item.cellLink, item);
  ASSERT_TRUE(f.controller.CurrentDocument().Working().Differs(before));
  EXPECT_EQ(f.controller.CurrentDocument().History().UndoCount(), 1u);
  EXPECT_EQ(f.controller.CurrentDocument().UndoCaption(), "Undo Import CSV");
  f.controller.Undo();
  EXPECT_TRUE(f.controller.CurrentDocument().Working().Equals(before));
}

}  // namespace
}  // namespace rtv
