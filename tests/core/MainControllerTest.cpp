// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainController.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "CloneFiles.h"
#include "ControllerFixture.h"
#include "ManualClock.h"
#include "MessageLog.h"
#include "RecordingMainView.h"
#include "ScriptedPrompts.h"
#include "TempFolder.h"
#include "app/AppSettings.h"
#include "base/Fatal.h"
#include "cells/Cell.h"
#include "cells/CellAccess.h"
#include "cells/CellNames.h"
#include "cells/CellRequest.h"
#include "overlay/OverlayText.h"
#include "radio/ChannelRow.h"
#include "radio/ImageNormaliser.h"

namespace rtv {
namespace {

using test::ControllerFixture;

TEST(MainControllerTest, SetupShowsAnUntitledCleanImageOfTheModel) {
  ControllerFixture f;
  f.settings.modelType = 7;
  f.controller->Setup(f.view);
  EXPECT_EQ(f.settings.modelType, 0);
  EXPECT_EQ(f.view.windowShows, 1);
  ASSERT_FALSE(f.view.titles.empty());
  EXPECT_EQ(f.view.titles.back(), "Untitled - Radio Programmer");
  EXPECT_EQ(f.controller->ModelCode(), 0x3974);
  EXPECT_EQ(f.controller->ExtensionCode(), 1);
  EXPECT_EQ(f.controller->CurrentDocument().Working().Size(), 32768);
  EXPECT_FALSE(f.controller->CurrentDocument().IsDirty());
  EXPECT_FALSE(f.view.modified.back());
}

TEST(MainControllerTest, StartUpLoadsTheInitialFileOfTheModelIntoTheTemplate) {
  for (const int model : {0, 3, 6}) {
    SCOPED_TRACE(model);
    ControllerFixture f;
    f.settings.modelType = model;
    f.controller->Setup(f.view);
    EXPECT_TRUE(f.prompts.shown.empty());
    // The file's image, normalised against itself.
    EepromImage expected = test::InitialImage(model, static_cast<std::uint8_t>(0x10 + model));
    ImageNormaliser(expected, model, false).Normalise(expected, NormaliseDirection::AfterLoad);
    EXPECT_FALSE(RangesDiffer(f.controller->CurrentDocument().Template(), expected, kCloneRanges));
    EXPECT_EQ(f.controller->CurrentDocument().Template().GetByte(0x2B60), 0);  // beyond the file
    EXPECT_TRUE(f.controller->CurrentDocument().Working().Equals(
        f.controller->CurrentDocument().Template()));
    EXPECT_TRUE(f.controller->CurrentDocument().Reference().Equals(
        f.controller->CurrentDocument().Template()));
    EXPECT_FALSE(f.controller->CurrentDocument().IsDirty());
  }
}

TEST(MainControllerDeathTest, AnInitialFileThatCannotBeUsedEndsTheProgram) {
  const EepromImage good = test::InitialImage(0, 0x22);
  const std::string text = test::CloneFileText(good);
  EepromImage unflagged = good;
  unflagged.SetByte(0x0EEA, 0);
  std::string revision2 = text;
  revision2.replace(revision2.find("#MapRev=1"), 9, "#MapRev=2");
  struct Case {
    const char* what;
    std::string contents;  // empty: no file at all
    const char* readerMessage;
  };
  const Case cases[] = {
      {"missing", "", "GI_Mess_FileErr_FileOpen"},
      {"a data line missing",
       text.substr(0, text.find("\n0100")) + text.substr(text.find("\n0110")),
       "GI_Mess_FileErr_Coverage"},
      {"other map revision", revision2, "GI_Mess_FileErr_MapRev"},
      {"image not valid", test::CloneFileText(unflagged), nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string fatal = "\\[rtv612\\|3\\] Cannot open '.*/model0\\.rtv'\\.";
    const std::string expected = c.readerMessage == nullptr
                                     ? fatal
                                     : "\\[Radio Programmer\\|2\\] Clone file error\n\n" +
                                           std::string(c.readerMessage) + "\n.*" + fatal;
    EXPECT_EXIT(
        {
          ControllerFixture f;
          const std::string path = test::InitialFilePath(f.initialFiles.Path(), 0);
          std::remove(path.c_str());
          if (!c.contents.empty()) std::ofstream(path, std::ios::binary) << c.contents;
          f.prompts.echo = true;
          SetExecutableName("rtv612");
          SetFatalPrompts(&f.prompts);
          f.controller->Setup(f.view);
        },
        ::testing::ExitedWithCode(3), expected);
  }
}

TEST(MainControllerDeathTest, ABrokenInitialFileOfAnotherModelEndsTheStartNotTheSession) {
  // Found only when a read or an opened file switches the model, it would end the program
  // then, with the user's work.
  EXPECT_EXIT(
      {
        ControllerFixture f;
        std::ofstream(test::InitialFilePath(f.initialFiles.Path(), 4), std::ios::trunc)
            << "broken\n";
        SetExecutableName("rtv612");
        f.controller->Setup(f.view);
      },
      ::testing::ExitedWithCode(3), "Cannot open '.*/model4\\.rtv'\\.");
}

TEST(MainControllerDeathTest, AnOverlayThatNamesNoInitialFileEndsTheProgram) {
  // Going on would normalise every image against an empty template.
  EXPECT_EXIT(
      {
        test::TempFolder folder;
        test::WriteInitialFiles(folder.Path());
        test::ManualClock clock;
        test::EchoingPrompts prompts;
        AppSettings settings(true);
        OverlayText overlay;
        overlay.SetLines({"#GI_Sys_AppTitle", "Radio Programmer", "#End_Of_Ovl"});
        OverlayText help;
        help.SetLines({"#End_Of_Ovl"});
        MessageBus bus(clock);
        MainController controller(
            ControllerServices{settings, overlay, help, bus, clock, clock, prompts});
        controller.SetDataFolder(folder.Path());
        test::RecordingMainView view;
        prompts.echo = true;
        SetExecutableName("rtv612");
        SetFatalPrompts(&prompts);
        controller.Setup(view);
      },
      ::testing::ExitedWithCode(3),
      "\\[rtv612\\|3\\] Cannot open the initial file of model 0: "
      "'.*/RTV612.OVL' names none \\(GI_App_InitialFile\\)");
}

TEST(MainControllerTest, WritesRestartTheWarningCheckWhichRunsAfter250ms) {
  ControllerFixture f;
  f.controller->Setup(f.view);
  const test::MessageLog log(f.bus);
  const int atStart = f.controller->Warnings().Evaluations();  // the tree's first marks
  f.controller->AfterImageWrite();
  f.clock.Advance(200);
  f.controller->AfterImageWrite();  // restarts the 250 ms
  f.clock.Advance(200);
  EXPECT_EQ(f.controller->Warnings().Evaluations(), atStart);
  f.clock.Advance(100);  // the 50 ms tick after the deadline, then the bus tick
  EXPECT_EQ(f.controller->Warnings().Evaluations(), atStart + 1);
  EXPECT_EQ(log.Count<msg::WarningsUpdated>(), 1);
  f.clock.Advance(1000);
  EXPECT_EQ(f.controller->Warnings().Evaluations(), atStart + 1);
}

TEST(MainControllerTest, TheWarningCheckListSortsSheetsIntoErrorsAndWarnings) {
  ControllerFixture f(
      RadioModel::kImageSize,
      {"#GI_WarningCheckList", "{(%.CL_Check_Int_ChInh:GI_Sheet_Int)}",
       "{(%.CL_Check_Dsc_SelfId:GI_Sheet_Dsc)}", "{(%.CL_Check_Conf_Softkey:GI_Sheet_Conf)}",
       "{(%.CL_Check_WX_ChInh:GI_Sheet_Wx)}", "#"});
  std::map<int, std::uint8_t> flags;
  f.controller->Accessor().Serve(LinkFamily::WarningChecks, [&](CellAccess& access) {
    access.request.resultFlags |= flags[access.cell.cellLink];
    return AccessResult::Nothing;
  });
  flags[LinkNo("CL_Check_Int_ChInh")] = CellRequest::kResultError;
  flags[LinkNo("CL_Check_Dsc_SelfId")] = CellRequest::kResultWarning;
  // An error with a warning counts as an error only.
  flags[LinkNo("CL_Check_Conf_Softkey")] = CellRequest::kResultError | CellRequest::kResultWarning;
  f.controller->Setup(f.view);
  f.controller->AfterImageWrite();
  f.clock.Advance(400);
  EXPECT_EQ(f.controller->Warnings().ErrorSheets(),
            (std::vector<std::string>{"GI_Sheet_Int", "GI_Sheet_Conf"}));
  EXPECT_EQ(f.controller->Warnings().WarningSheets(), std::vector<std::string>{"GI_Sheet_Dsc"});
  EXPECT_EQ(f.view.errorMarks, f.controller->Warnings().ErrorSheets());
  EXPECT_EQ(f.view.warningMarks, f.controller->Warnings().WarningSheets());

  flags.clear();
  f.controller->AfterImageWrite();
  f.clock.Advance(400);
  EXPECT_TRUE(f.view.errorMarks.empty());
  EXPECT_TRUE(f.view.warningMarks.empty());
}

TEST(MainControllerTest, InputThroughTheAccessorRunsTheDirtyCheckAndTheWarningTimer) {
  ControllerFixture f;
  f.controller->Setup(f.view);
  Cell cell;
  cell.cellType = TypeNo("CT_Null");
  cell.cellLink = LinkNo("CL_ComSet_Light");
  CellRequest request;
  request.cell = &cell;
  request.key = CellKey::Typed('5');
  // As if the item had stored a value.
  f.controller->CurrentDocument().Working().SetByte(0x0100, 0x42);
  f.controller->Accessor().AccessCell(request, false);
  EXPECT_TRUE(f.controller->Warnings().Waiting());
  EXPECT_TRUE(f.controller->CurrentDocument().IsDirty());
}

TEST(MainControllerTest, BusMessagesOfTheBaseController) {
  ControllerFixture f;
  f.controller->Setup(f.view);
  const test::MessageLog log(f.bus);
  f.bus.Send(msg::ModeChanged{});
  EXPECT_EQ(log.All(), (std::vector<Message>{msg::ModeChanged{}, msg::RefreshMenuStates{},
                                             msg::RefreshToolbarStates{}}));
  f.bus.Send(msg::StatusText{"Read complete", 0xFF, 0x80000005});
  EXPECT_EQ(f.controller->MessagePanelText(), "Read complete");
  EXPECT_EQ(f.controller->MessagePanelTextColour(), 0xFFu);
  EXPECT_EQ(f.controller->MessagePanelBackground(), 0x80000005u);
  EXPECT_EQ(f.view.redraws, 1);
  f.controller->CurrentDocument().Working().SetByte(3, 9);
  f.bus.Send(msg::TakeReference{});
  EXPECT_EQ(f.controller->CurrentDocument().Reference().GetByte(3), 9);
}

TEST(MainControllerTest, ValidateImageChecksTheFlagAndStrictlyTheMakerName) {
  ControllerFixture f;
  EepromImage image;
  image.SetSize(RadioModel::kImageSize);
  constexpr auto kLoose = RadioModel::Strictness::Loose;
  constexpr auto kStrict = RadioModel::Strictness::Strict;
  EXPECT_EQ(f.controller->ValidateImage(image, kLoose), RadioModel::Validity::Invalid);
  image.SetByte(0x0EEA, 1);
  EXPECT_EQ(f.controller->ValidateImage(image, kLoose), RadioModel::Validity::Valid);
  EXPECT_EQ(f.controller->ValidateImage(image, kStrict), RadioModel::Validity::Invalid);
  const std::string maker = "Vrel Inc";
  image.WriteBlock(0x0EE0, reinterpret_cast<const std::uint8_t*>(maker.data()), 8);
  EXPECT_EQ(f.controller->ValidateImage(image, kStrict), RadioModel::Validity::Valid);
}

TEST(MainControllerTest, NormaliseAndAfterReadWorkAgainstTheTemplateOfTheModel) {
  ControllerFixture f;
  f.settings.modelType = 3;
  f.controller->Setup(f.view);
  EepromImage image = f.controller->CurrentDocument().Working();
  const std::uint8_t region = image.GetByte(0x0BA8);
  image.SetByte(0x0BA8, region ^ 0x03);  // weather follows model 3; USA is the user's
  image.SetByte(0x0EE0, 'X');
  f.controller->Normalise(image, NormaliseDirection::AfterLoad);
  EXPECT_EQ(image.GetByte(0x0BA8), region ^ 0x01);
  EXPECT_EQ(image.GetByte(0x0EE0), 'V');

  // A group ID (first digit 0) read in the individual list moves to the group list.
  const std::int32_t individual = 0x25C0 + 16 * 5;
  const std::uint8_t groupId[16] = {2,   11,  22,  33,  40,  'H', 'A', 'R',
                                    'B', 'O', 'U', 'R', ' ', ' ', ' ', 0};
  image.WriteBlock(individual, groupId, 16);
  for (int row = 0; row < 30; ++row) image.SetByte(0x25C0 + 16 * (60 + row), 0xFF);
  f.controller->AfterRead(image);
  EXPECT_EQ(image.GetByte(0x25C0 + 16 * 60 + 5), 'H');
  EXPECT_EQ(image.GetByte(0x25C0 + 16 * 60 + 15), 1);
  EXPECT_NE(image.GetByte(individual + 5), 'H');
}

TEST(MainControllerTest, RowCommandsWorkOnTheWorkingImageWithTheProgramsClipboard) {
  ControllerFixture f(RadioModel::kImageSize,
                      {"#GI_AppMess_Conv_Overwrite", "Overwrite?", "#", "#GI_AppMess_S_Copy",
                       "Copied", "#GI_AppMess_S_Paste", "Pasted"});
  f.controller->Setup(f.view);
  const test::MessageLog log(f.bus);
  EepromImage& working = f.controller->CurrentDocument().Working();
  working.SetByte(0x25C0 + 16 * 2 + 5, 'Q');  // the name of individual ID row 2
  Cell cell;
  cell.cellType = TypeNo("CT_DscIndId");
  cell.cellLink = LinkNo("CL_PMenu_Copy");
  CellRequest request;
  request.cell = &cell;
  ChannelRow row(working);
  row.LoadRow(ListKind::DscIndividualIds, 2);
  CellAccess access{request, cell, ListKind::DscIndividualIds, *f.controller, &row};
  f.controller->RunRowOperation(RowOperations::kCopy, access);
  EXPECT_TRUE(f.controller->RowOperationEnabled(RowOperations::kPaste, access.kind));
  row.LoadRow(ListKind::DscIndividualIds, 7);
  f.controller->RunRowOperation(RowOperations::kPaste, access);  // asks: row 7 holds an ID
  ASSERT_EQ(f.prompts.shown.size(), 1u);
  EXPECT_EQ(f.prompts.shown[0].text, "Overwrite?");
  EXPECT_EQ(working.GetByte(0x25C0 + 16 * 7 + 5), 'Q');
  f.clock.Advance(10);
  const ColourValue text = ToColourValue(SystemColour::WindowText);
  const ColourValue face = ToColourValue(SystemColour::ButtonFace);
  EXPECT_EQ(log.All(),
            (std::vector<Message>{msg::StatusText{"Copied", text, face}, msg::RedrawIndex{7},
                                  msg::StatusText{"Pasted", text, face}}));
  EXPECT_EQ(f.controller->MessagePanelText(), "Pasted");
}

TEST(MainControllerDeathTest, TooSmallAnImageFailsTheSelfCheck) {
  EXPECT_EXIT(
      {
        ControllerFixture f(0x2CF8);
        f.controller->Setup(f.view);
      },
      ::testing::ExitedWithCode(3), "Self Check Error.\nEEPROM Map is too large.");
}

}  // namespace
}  // namespace rtv
