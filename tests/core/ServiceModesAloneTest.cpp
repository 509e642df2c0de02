// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedPrompts.h"
#include "app/ServiceModes.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

// The modes alone: the prompts they ask and the modes they report turned on.
struct ModesFixture {
  explicit ModesFixture(std::vector<std::string> arguments = {"/usr/bin/rtv612"}) {
    overlay.SetLines({"#GI_Sys_AppTitle", "Radio Programmer", "#GI_Mess_Maker_Caution", "Careful.",
                      "#End_Of_Ovl"});
    modes.SetCommandLine(std::move(arguments));
    modes.SetTurnedOn([this](ServiceModes::Mode mode) { turnedOn.push_back(mode); });
  }
  OverlayText overlay;
  test::ScriptedPrompts prompts;
  ServiceModes modes{overlay, prompts};
  std::vector<ServiceModes::Mode> turnedOn;
};

using Mode = ServiceModes::Mode;

TEST(ServiceModesAloneTest, TheSwitchesAskTheCautionAndSayWhatCameOn) {
  struct Case {
    std::vector<std::string> arguments;
    PromptAnswer answer;
    bool asked;
    std::vector<Mode> on;
  };
  const Case cases[] = {
      {{"/usr/bin/rtv612", "/KALVORN"}, PromptAnswer::Ok, true, {Mode::Maker}},
      {{"/usr/bin/rtv612", "/kalvorn"}, PromptAnswer::Cancel, true, {}},
      {{"/usr/bin/rtv612", "/bluefin_kor", "/Kalvorn"},
       PromptAnswer::Ok,
       true,
       {Mode::Maker, Mode::Adjust}},
      {{"/usr/bin/rtv612", "kalvorn", "/bluefin"}, PromptAnswer::Ok, false, {}},
  };
  for (const Case& c : cases) {
    ModesFixture f(c.arguments);
    f.prompts.answers.push_back(c.answer);
    f.modes.ApplyCommandLine();
    EXPECT_EQ(f.turnedOn, c.on) << c.arguments[1];
    EXPECT_EQ(f.modes.Maker(), !c.on.empty() && c.on.front() == Mode::Maker) << c.arguments[1];
    ASSERT_EQ(f.prompts.shown.size(), c.asked ? 1u : 0u) << c.arguments[1];
    if (c.asked) {
      EXPECT_EQ(f.prompts.shown[0].text, "Careful.");
      EXPECT_EQ(f.prompts.shown[0].caption, "Radio Programmer");
      EXPECT_EQ(f.prompts.shown[0].buttons, PromptButtons::OkCancel);
    }
  }
}

TEST(ServiceModesAloneTest, TheMakerWordComesOnOnceAndAWriteAsksAgain) {
  ModesFixture f;
  EXPECT_TRUE(f.modes.MakerWriteAllowed());  // no question outside maker mode
  for (const char c : std::string("xKALVORNkalvorn")) f.modes.KeyTyped(c);
  EXPECT_EQ(f.turnedOn, std::vector<Mode>{Mode::Maker});  // the second word finds it on
  EXPECT_EQ(f.prompts.shown.size(), 1u);
  f.prompts.answers.push_back(PromptAnswer::Cancel);
  EXPECT_FALSE(f.modes.MakerWriteAllowed());
  EXPECT_TRUE(f.modes.MakerWriteAllowed());
  EXPECT_EQ(f.prompts.shown.size(), 3u);
}

TEST(ServiceModesAloneTest, OnlyTheAdjustSwitchKeepsAdjustModeThroughNewAndOpen) {
  ModesFixture requested({"/usr/bin/rtv612", "/Bluefin_Kor"});
  requested.modes.ApplyCommandLine();
  requested.modes.EndAdjustUnlessRequested();
  EXPECT_TRUE(requested.modes.Adjust());

  ModesFixture later;
  later.modes.AdjustOn();
  later.modes.AdjustOn();  // on already: said once
  EXPECT_EQ(later.turnedOn, std::vector<Mode>{Mode::Adjust});
  later.modes.EndAdjustUnlessRequested();
  EXPECT_FALSE(later.modes.Adjust());
  EXPECT_TRUE(later.prompts.shown.empty());
}

}  // namespace
}  // namespace rtv
