// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "ManualClock.h"
#include "MemoryClipboard.h"
#include "ScriptedPrompts.h"
#include "app/AppSettings.h"
#include "app/MainController.h"
#include "app/MainView.h"
#include "base/MessageBus.h"
#include "base/PlainTextMetrics.h"
#include "overlay/OverlayText.h"
#include "sheet/Sheet.h"

namespace rtv::test {

// A main window without widgets: it only knows which sheet is on show, and has a clipboard.
struct SheetOnShowView : MainView {
  void SetTitle(const std::string&) override {}
  void ShowMainWindow() override {}
  void RedrawMessagePanel() override {}
  Sheet* SheetOnShow() override { return shown; }
  void CloseCurrentSheet() override { ++closed; }
  void RebuildSheetOnShow() override { ++rebuilt; }
  SystemClipboard* Clipboard() override { return &clipboard; }
  Sheet* shown = nullptr;
  int closed = 0;
  int rebuilt = 0;
  MemoryClipboard clipboard;
};

// The program's controller on the shipped overlay and initial files, set up as at start-up
// with one model, and sheets built on it without widgets.
struct ShippedController {
  explicit ShippedController(int model = 0);
  std::unique_ptr<Sheet> BuildSheet(const std::string& key);

  ManualClock clock;
  ScriptedPrompts prompts;
  AppSettings settings{true};
  OverlayText overlay;
  OverlayText help;
  MessageBus bus{clock};
  MainController controller{{settings, overlay, help, bus, clock, clock, prompts}};
  SheetOnShowView view;
  PlainTextMetrics metrics;
  SheetServices services{overlay, metrics, [this](CellRequest& request, bool notify) {
                           return controller.Accessor().AccessCell(request, notify);
                         }};
};

}  // namespace rtv::test
