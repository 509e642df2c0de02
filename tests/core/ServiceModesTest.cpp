// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ControllerFixture.h"
#include "app/FileCommands.h"
#include "app/MainController.h"
#include "base/Message.h"
#include "base/MessageBus.h"
#include "cells/Cell.h"
#include "cells/CellNames.h"
#include "radio/MemoryLayout.h"

namespace rtv {
namespace {

struct ModeFixture : test::ControllerFixture {
  explicit ModeFixture(std::vector<std::string> arguments = {"/usr/bin/rtv612"})
      : ControllerFixture(
            RadioModel::kImageSize,
            {"#GI_AppMess_ChangeModel", "Change the model?", "#GI_Mess_Maker_Caution", "Careful.",
             "#GI_StatusPanel_Maker", "MAKER", "#GI_Mess_Confirm_WriteFile", "Save %s?",
             "#GI_Mess_Confirm_WriteAnother", "Save first?"}) {
    controller->Modes().SetCommandLine(std::move(arguments));
  }
  void Start() { controller->Setup(view); }
  Cell ModelItem(int model) {
    Cell cell;
    cell.cellLink = LinkNo("CL_Model");
    cell.index = model;
    return cell;
  }
};

TEST(ServiceModesTest, ChangingTheModelAsksThenReplacesTheImage) {
  ModeFixture f;
  f.Start();
  EXPECT_EQ(f.view.rootSuffix, " Model 0");
  f.controller->CurrentDocument().SetFileName("/boats/a.rtv");
  f.controller->CurrentDocument().Working().SetByte(0x0F10, 0x41);
  f.controller->CurrentDocument().CheckDirty();

  // The current model: nothing, not even the question.
  f.controller->RunCellCommand(LinkNo("CL_Model"), f.ModelItem(0));
  EXPECT_TRUE(f.prompts.shown.empty());

  f.prompts.answers.push_back(PromptAnswer::Cancel);
  f.controller->RunCellCommand(LinkNo("CL_Model"), f.ModelItem(3));
  ASSERT_EQ(f.prompts.shown.size(), 1u);
  EXPECT_EQ(f.prompts.shown[0].text, "Change the model?");
  EXPECT_EQ(f.prompts.shown[0].buttons, PromptButtons::OkCancel);
  EXPECT_EQ(f.settings.modelType, 0);
  EXPECT_EQ(f.controller->CurrentDocument().Working().GetByte(0x0F10), 0x41);

  f.controller->RunCellCommand(LinkNo("CL_Model"), f.ModelItem(3));
  EXPECT_EQ(f.settings.modelType, 3);
  EXPECT_EQ(f.controller->CurrentDocument().Working().GetByte(0x0EE9), 3);
  EXPECT_TRUE(
      f.controller->CurrentDocument().Working().Equals(f.controller->CurrentDocument().Template()));
  EXPECT_FALSE(f.controller->CurrentDocument().IsDirty());
  EXPECT_EQ(f.controller->CurrentDocument().FileName(), "");
  EXPECT_EQ(f.view.rootSuffix, " Model 3");
  EXPECT_EQ(f.prompts.shown.size(), 2u);  // no unsaved-changes question
}

TEST(ServiceModesTest, OpeningAFileOfAnotherModelSwitchesWithoutAsking) {
  ModeFixture f;
  f.Start();
  const std::string path = f.initialFiles.Path() + "/model3.rtv";  // an image of model 3
  ASSERT_TRUE(f.controller->Files().OpenFile(path));
  EXPECT_TRUE(f.prompts.shown.empty());
  EXPECT_EQ(f.settings.modelType, 3);
  EXPECT_EQ(f.view.rootSuffix, " Model 3");
  // The file's own contents.
  EXPECT_EQ(f.controller->CurrentDocument().Working().GetByte(0x25B0), 0x13);
  EXPECT_EQ(f.controller->CurrentDocument().FileName(), path);
}

TEST(ServiceModesTest, TheMakerSwitchOnTheCommandLine) {
  struct Case {
    std::vector<std::string> arguments;
    PromptAnswer answer;
    bool maker;
  };
  const Case cases[] = {
      {{"/usr/bin/rtv612", "/KALVORN"}, PromptAnswer::Ok, true},
      {{"/usr/bin/rtv612", "/Kalvorn"}, PromptAnswer::Cancel, false},
      {{"/usr/bin/rtv612", "-kalvorn"}, PromptAnswer::Ok, false},
      {{"/usr/bin/rtv612", "/kalvorn2"}, PromptAnswer::Ok, false},
  };
  for (const Case& c : cases) {
    ModeFixture f(c.arguments);
    f.prompts.answers.push_back(c.answer);
    f.Start();
    EXPECT_EQ(f.controller->Modes().Maker(), c.maker) << c.arguments[1];
    EXPECT_EQ(f.view.makerPanel, c.maker ? "MAKER" : "") << c.arguments[1];
    EXPECT_EQ(f.view.optional.makerSheets, c.maker) << c.arguments[1];
  }
}

TEST(ServiceModesTest, TheMakerWordTypedInTheAboutBox) {
  struct Case {
    const char* typed;
    bool maker;
  };
  const Case cases[] = {
      {"xKalvorn", true}, {"kalvorn", true}, {"kalvxorn", false}, {"kalvor", false}};
  for (const Case& c : cases) {
    ModeFixture f;
    f.Start();
    for (const char* p = c.typed; *p != '\0'; ++p) f.controller->Modes().KeyTyped(*p);
    EXPECT_EQ(f.controller->Modes().Maker(), c.maker) << c.typed;
  }
}

TEST(ServiceModesTest, TheMakerGateAsksOnlyInMakerMode) {
  ModeFixture f;
  f.Start();
  EXPECT_TRUE(f.controller->Modes().MakerWriteAllowed());
  EXPECT_TRUE(f.prompts.shown.empty());
  f.controller->Modes().MakerOn();
  f.prompts.answers.push_back(PromptAnswer::Cancel);
  EXPECT_FALSE(f.controller->Modes().MakerWriteAllowed());
  EXPECT_TRUE(f.controller->Modes().MakerWriteAllowed());
  EXPECT_EQ(f.prompts.shown.size(), 3u);
}

TEST(ServiceModesTest, AdjustModeFromTheSwitchOutlivesNewAndOpen) {
  ModeFixture requested({"/usr/bin/rtv612", "/Bluefin_Kor"});
  requested.Start();
  EXPECT_TRUE(requested.controller->Modes().Adjust());
  EXPECT_TRUE(requested.view.optional.adjustSheets);
  requested.controller->Files().New();
  EXPECT_TRUE(requested.controller->Modes().Adjust());

  ModeFixture later;
  later.Start();
  later.controller->Modes().AdjustOn();
  EXPECT_TRUE(later.controller->Modes().Adjust());
  later.controller->Files().New();
  EXPECT_FALSE(later.controller->Modes().Adjust());
}

TEST(ServiceModesTest, TheOptionalSheetsFollowTheRegionFlagsAndTheModel) {
  struct Case {
    std::uint8_t regions;
    int model;
    bool usa, canada, weather, modelSheets;
  };
  const Case cases[] = {{0x02, 1, false, false, true, true},
                        {0x05, 0, true, true, false, false},
                        {0x07, 6, true, true, true, false},
                        {0x00, 2, false, false, false, true}};
  for (const Case& c : cases) {
    ModeFixture f;
    f.settings.modelType = c.model;
    f.Start();
    f.controller->CurrentDocument().Working().SetByte(MemoryLayout::kRegionFlags, c.regions);
    f.bus.Send(msg::ImageReplaced{});
    const OptionalSheets& shown = f.view.optional;
    EXPECT_EQ(shown.usaChannels, c.usa);
    EXPECT_EQ(shown.canadianChannels, c.canada);
    EXPECT_EQ(shown.weatherChannels, c.weather);
    EXPECT_EQ(shown.modelSheets, c.modelSheets);
    EXPECT_FALSE(shown.makerSheets);
    EXPECT_FALSE(shown.adjustSheets);
  }
}

}  // namespace
}  // namespace rtv
