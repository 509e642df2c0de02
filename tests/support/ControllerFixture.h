// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CloneFiles.h"
#include "ManualClock.h"
#include "ScriptedPrompts.h"
#include "TempFolder.h"
#include "app/AppSettings.h"
#include "app/MainController.h"
#include "app/MainView.h"
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

// A main window that records what the controller asks of it.
struct FakeView : MainView {
  std::vector<std::string> titles;
  int shown = 0;
  int redraws = 0;
  int sheetsClosed = 0;
  int busyCalls = 0;
  bool busy = false;
  int closeRequests = 0;
  void SetTitle(const std::string& title) override { titles.push_back(title); }
  void ShowMainWindow() override { ++shown; }
  void RedrawMessagePanel() override { ++redraws; }
  void CloseCurrentSheet() override { ++sheetsClosed; }
  void SetBusy(bool on) override {
    ++busyCalls;
    busy = on;
  }
  void CloseMainWindow() override { ++closeRequests; }
  void ShowWarningMarks(const std::vector<std::string>& errors,
                        const std::vector<std::string>& warnings) override {
    errorMarks = errors;
    warningMarks = warnings;
  }
  std::vector<std::string> errorMarks;
  std::vector<std::string> warningMarks;
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
  FakeView view;
  std::unique_ptr<MainController> controller;
};

}  // namespace rtv::test
