// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "ManualClock.h"
#include "RecordingMainView.h"
#include "ScriptedPrompts.h"
#include "ShippedData.h"
#include "TempFolder.h"
#include "app/AppSettings.h"
#include "app/InitialFiles.h"
#include "app/MainController.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

namespace fs = std::filesystem;

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
    ASSERT_TRUE(overlay.SetFile(test::DataFile("RTV612.OVL")));
    help.SetLines({"#End_Of_Ovl"});
    MessageBus bus(clock);
    MainController controller({settings, overlay, help, bus, clock, clock, prompts});
    controller.SetDataFolder(test::InitialFolder());
    test::RecordingMainView view;
    controller.Setup(view);
    EXPECT_TRUE(prompts.shown.empty());
    const EepromImage& image = controller.CurrentDocument().Template();
    EXPECT_EQ(controller.ValidateImage(image, RadioModel::Strictness::Strict),
              RadioModel::Validity::Valid);
    EXPECT_EQ(image.GetByte(0x0EE9), model);
  }
}

// The reader alone: every shipped file is a valid image, and all are checked at once.
TEST(InitialFilesTest, TheReaderTakesEveryShippedFile) {
  OverlayText overlay;
  ASSERT_TRUE(overlay.SetFile(test::DataFile("RTV612.OVL")));
  test::ScriptedPrompts prompts;
  InitialFiles files(overlay, prompts);
  files.SetFolder(test::InitialFolder());
  EXPECT_EQ(files.Folder(), test::InitialFolder());
  for (int model = 0; model < RadioModel::kModelTypes; ++model) {
    EepromImage image;
    image.SetSize(RadioModel::kImageSize);
    files.Read(model, image);
    EXPECT_EQ(RadioModel::Validate(image, RadioModel::Strictness::Loose),
              RadioModel::Validity::Valid)
        << model;
  }
  files.CheckAll(RadioModel::kImageSize, 0);
  EXPECT_TRUE(prompts.shown.empty());
}

// The start reads the current model's file and checks the others: a broken one of another
// model ends the start; the file just read is not read again.
TEST(InitialFilesDeathTest, TheCheckAtTheStartReadsEveryFileButTheOneJustRead) {
  const test::TempFolder folder;
  for (int model = 0; model < RadioModel::kModelTypes; ++model) {
    const std::string name = "/RTV612M" + std::to_string(model) + ".rtv";
    fs::copy_file(test::InitialFolder() + name, folder.Path() + name);
  }
  fs::resize_file(folder.File("RTV612M4.rtv"), 10);  // cut short
  const auto check = [&folder](int readAlready) {
    OverlayText overlay;
    overlay.SetFile(test::DataFile("RTV612.OVL"));
    test::ScriptedPrompts prompts;
    InitialFiles files(overlay, prompts);
    files.SetFolder(folder.Path());
    files.CheckAll(RadioModel::kImageSize, readAlready);
    std::exit(0);
  };
  EXPECT_EXIT(check(0), ::testing::ExitedWithCode(3), "Cannot open '.*/RTV612M4\\.rtv'\\.");
  EXPECT_EXIT(check(4), ::testing::ExitedWithCode(0), "");
}

TEST(InitialFilesDeathTest, AFileThatIsNotThereEndsTheProgramNamingIt) {
  EXPECT_EXIT(
      {
        OverlayText overlay;
        overlay.SetFile(test::DataFile("RTV612.OVL"));
        test::ScriptedPrompts prompts;
        InitialFiles files(overlay, prompts);
        files.SetFolder("/nonexistent/initial");
        EepromImage image;
        image.SetSize(RadioModel::kImageSize);
        files.Read(2, image);
      },
      ::testing::ExitedWithCode(3), "Cannot open '/nonexistent/initial/.*'\\.");
}

}  // namespace
}  // namespace rtv
