#include "app/ModelController.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ManualClock.h"
#include "ScriptedPrompts.h"
#include "app/AppSettings.h"
#include "app/MainView.h"
#include "overlay/GTEX.h"

namespace rtv {
namespace {

struct FakeView : MainView {
  std::vector<std::string> titles;
  int shown = 0;
  int redraws = 0;
  void SetTitle(const std::string& title) override { titles.push_back(title); }
  void ShowForm() override { ++shown; }
  void RedrawMessagePanel() override { ++redraws; }
};

// A controller on test doubles with a tiny overlay.
struct ControllerFixture {
  explicit ControllerFixture(std::int32_t imageSize = ModelController::kImageSize)
      : settings(true) {
    overlay.SetLines({"#GI_Sys_AppTitle", "Radio Programmer", "#End_Of_Ovl"});
    help.SetLines({"#End_Of_Ovl"});
    controller = std::make_unique<ModelController>(
        ControllerServices{settings, overlay, help, bus, clock, clock, prompts}, imageSize);
  }
  test::ManualClock clock;
  test::ScriptedPrompts prompts;
  AppSettings settings;
  GTEX overlay;
  GTEX help;
  MessageBus bus{clock};
  FakeView view;
  std::unique_ptr<ModelController> controller;
};

TEST(MainControllerTest, SetupShowsAnUntitledCleanImageOfTheModel) {
  ControllerFixture f;
  f.settings.modelType = 7;
  f.controller->Setup(f.view);
  EXPECT_EQ(f.settings.modelType, 0);
  EXPECT_EQ(f.view.shown, 1);
  ASSERT_FALSE(f.view.titles.empty());
  EXPECT_EQ(f.view.titles.back(), "Untitled - Radio Programmer");
  EXPECT_EQ(f.controller->ModelCode(), 0x3974);
  EXPECT_EQ(f.controller->ExtensionCode(), 1);
  EXPECT_EQ(f.controller->WorkingImage().Size(), 32768);
  EXPECT_FALSE(f.controller->IsDirty());
  f.controller->SetCurrentFileName("/home/skipper/boats/Dolphin.rtv");
  EXPECT_EQ(f.view.titles.back(), "Dolphin.rtv - Radio Programmer");
}

TEST(MainControllerTest, DirtyCheckComparesTheCloneRangeByContent) {
  ControllerFixture f;
  f.controller->Setup(f.view);
  EepromImage& working = f.controller->WorkingImage();
  working.SetByte(0x0100, 5);
  working.SetByte(0x0100, 0);  // edited back before the check
  EXPECT_FALSE(f.controller->CheckDirty());
  working.SetByte(0x2B60, 1);  // outside the clone range
  EXPECT_FALSE(f.controller->CheckDirty());
  working.SetByte(0x2B5F, 1);
  EXPECT_TRUE(f.controller->CheckDirty());
  working.SetByte(0x2B5F, 0);  // once dirty, stays dirty until marked clean
  EXPECT_TRUE(f.controller->CheckDirty());
  f.controller->MarkClean();
  EXPECT_FALSE(f.controller->IsDirty());
}

TEST(MainControllerTest, WritesRestartTheWarningCheckWhichRunsAfter250ms) {
  ControllerFixture f;
  f.controller->Setup(f.view);
  int updates = 0;
  struct Counter {
    static void On(void* c, const Message& m) {
      if (m.type == kMsgWarningsUpdated) ++*static_cast<int*>(c);
    }
  };
  f.bus.Subscribe(&Counter::On, &updates);
  f.controller->AfterImageWrite();
  f.clock.Advance(200);
  f.controller->AfterImageWrite();  // restarts the 250 ms
  f.clock.Advance(200);
  EXPECT_EQ(f.controller->WarningEvaluations(), 0);
  f.clock.Advance(100);  // the 50 ms tick after the deadline, then the bus tick
  EXPECT_EQ(f.controller->WarningEvaluations(), 1);
  EXPECT_EQ(updates, 1);
  f.clock.Advance(1000);
  EXPECT_EQ(f.controller->WarningEvaluations(), 1);
}

TEST(MainControllerTest, BusMessagesOfTheBaseController) {
  ControllerFixture f;
  f.controller->Setup(f.view);
  std::vector<int> seen;
  struct Log {
    static void On(void* c, const Message& m) { static_cast<std::vector<int>*>(c)->push_back(m.type); }
  };
  f.bus.Subscribe(&Log::On, &seen);
  f.bus.Send(kMsgModeChanged);
  EXPECT_EQ(seen, (std::vector<int>{kMsgModeChanged, kMsgRefreshMenuStates,
                                    kMsgRefreshToolbarStates}));
  f.bus.SendText(kMsgStatusText, 0xFF, 0x80000005, "Read complete");
  EXPECT_EQ(f.controller->MessagePanelText(), "Read complete");
  EXPECT_EQ(f.controller->MessagePanelTextColor(), 0xFFu);
  EXPECT_EQ(f.controller->MessagePanelBackground(), 0x80000005u);
  EXPECT_EQ(f.view.redraws, 1);
  f.controller->WorkingImage().SetByte(3, 9);
  f.bus.Send(kMsgTakeCompareCopy);
  EXPECT_EQ(f.controller->CompareImage().GetByte(3), 9);
}

TEST(MainControllerTest, ValidateImageChecksTheFlagAndStrictlyTheMakerName) {
  ControllerFixture f;
  EepromImage image;
  image.SetSize(ModelController::kImageSize);
  EXPECT_NE(f.controller->ValidateImage(image, false), 0);
  image.SetByte(0x0EEA, 1);
  EXPECT_EQ(f.controller->ValidateImage(image, false), 0);
  EXPECT_NE(f.controller->ValidateImage(image, true), 0);
  const std::string maker = "Vrel Inc";
  image.WriteBlock(0x0EE0, reinterpret_cast<const std::uint8_t*>(maker.data()), 8);
  EXPECT_EQ(f.controller->ValidateImage(image, true), 0);
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
