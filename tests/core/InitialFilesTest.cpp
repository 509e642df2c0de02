// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "ManualClock.h"
#include "ScriptedPrompts.h"
#include "app/AppSettings.h"
#include "app/MainView.h"
#include "app/ModelController.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

struct NoView : MainView {
  void SetTitle(const std::string&) override {}
  void ShowForm() override {}
  void RedrawMessagePanel() override {}
};

// The files the build generates and ships, read through the program's own overlay.
TEST(InitialFilesTest, EveryShippedInitialFileStartsItsModel) {
  for (int model = 0; model < 7; ++model) {
    SCOPED_TRACE(model);
    test::ManualClock clock;
    test::ScriptedPrompts prompts;
    AppSettings settings(true);
    settings.modelType = model;
    OverlayText overlay;
    OverlayText help;
    ASSERT_TRUE(overlay.SetFile(RTV_DATA_DIR "/RTV612.OVL"));
    help.SetLines({"#End_Of_Ovl"});
    MessageBus bus(clock);
    ModelController controller({settings, overlay, help, bus, clock, clock, prompts});
    controller.SetDataFolder(RTV_INITIAL_DIR);
    NoView view;
    controller.Setup(view);
    EXPECT_TRUE(prompts.shown.empty());
    const EepromImage& image = controller.TemplateImage();
    EXPECT_EQ(controller.ValidateImage(image, RadioModel::Strictness::Strict),
              RadioModel::Validity::Valid);
    EXPECT_EQ(image.GetByte(0x0EE9), model);
  }
}

}  // namespace
}  // namespace rtv
