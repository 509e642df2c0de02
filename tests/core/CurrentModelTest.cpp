// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CurrentModel.h"

#include <gtest/gtest.h>

#include <vector>

#include "ScriptedPrompts.h"
#include "app/AppSettings.h"
#include "app/ServiceModes.h"
#include "overlay/OverlayText.h"
#include "radio/EepromImage.h"
#include "radio/MemoryLayout.h"
#include "radio/RadioModel.h"

namespace rtv {
namespace {

TEST(CurrentModelTest, AnswersFromTheSettingsTheImagesAndTheModes) {
  AppSettings settings(true);
  EepromImage working;
  working.SetSize(RadioModel::kImageSize);
  EepromImage modelTemplate;
  OverlayText overlay;
  test::ScriptedPrompts prompts;
  ServiceModes modes(overlay, prompts);
  std::vector<int> switches;
  CurrentModel model(settings, working, modelTemplate, modes,
                     [&switches](int modelType) { switches.push_back(modelType); });

  settings.modelType = 5;
  settings.channelsInUseOnly = 1;
  working.SetByte(MemoryLayout::kRegionFlags, 0x05);
  EXPECT_EQ(model.ModelType(), 5);
  EXPECT_TRUE(model.UsableView());
  EXPECT_EQ(model.RegionFlags(), 0x05);
  EXPECT_EQ(&model.ModelTemplate(), &modelTemplate);
  EXPECT_FALSE(model.IsAdjustMode());
  modes.AdjustOn();
  EXPECT_TRUE(model.IsAdjustMode());
  model.SwitchModel(2);
  EXPECT_EQ(switches, std::vector<int>{2});
  settings.channelsInUseOnly = 0;
  EXPECT_FALSE(model.UsableView());
}

}  // namespace
}  // namespace rtv
