// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CloneFiles.h"
#include "ManualClock.h"
#include "RecordingMainView.h"
#include "ScriptedPrompts.h"
#include "TempFolder.h"
#include "app/AppSettings.h"
#include "app/MainController.h"
#include "base/MessageBus.h"
#include "overlay/OverlayText.h"

namespace rtv::test {

// Prompts that can also print every box, so that a death test sees what was shown.
struct EchoingPrompts : ScriptedPrompts {
  PromptAnswer Message(const std::string& text, const std::string& caption, PromptIcon icon,
                       PromptButtons buttons) override {
    if (echo)
      std::fprintf(stderr, "[%s|%d] %s\n", caption.c_str(), static_cast<int>(icon), text.c_str());
    return ScriptedPrompts::Message(text, caption, icon, buttons);
  }
  bool echo = false;
};

// A model controller on test doubles with a small overlay (the title "Radio Programmer",
// the given entries and the clone file texts) and the seven initial files in a temporary
// folder.
struct ControllerFixture {
  explicit ControllerFixture(std::int32_t imageSize = RadioModel::kImageSize,
                             std::vector<std::string> ownKeys = {})
      : settings(true) {
    ownKeys.insert(ownKeys.begin(), {"#GI_Sys_AppTitle", "Radio Programmer"});
    overlay.SetLines(OverlayWithCloneFileKeys(std::move(ownKeys)));
    help.SetLines({"#End_Of_Ovl"});
    controller = std::make_unique<MainController>(
        ControllerServices{settings, overlay, help, bus, clock, clock, prompts}, imageSize);
    WriteInitialFiles(initialFiles.Path());
    controller->SetDataFolder(initialFiles.Path());
  }
  TempFolder initialFiles;
  ManualClock clock;
  EchoingPrompts prompts;
  AppSettings settings;
  OverlayText overlay;
  OverlayText help;
  MessageBus bus{clock};
  RecordingMainView view;
  std::unique_ptr<MainController> controller;
};

}  // namespace rtv::test
