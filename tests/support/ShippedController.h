// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "ManualClock.h"
#include "RecordingMainView.h"
#include "ScriptedPrompts.h"
#include "app/AppSettings.h"
#include "app/MainController.h"
#include "base/MessageBus.h"
#include "base/PlainTextMetrics.h"
#include "overlay/OverlayText.h"
#include "sheet/Sheet.h"

namespace rtv::test {

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
  RecordingMainView view;
  PlainTextMetrics metrics;
  SheetServices services{overlay, metrics, [this](CellRequest& request, bool notify) {
                           return controller.Accessor().AccessCell(request, notify);
                         }};
};

}  // namespace rtv::test
