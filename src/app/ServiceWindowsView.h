// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "service/AdjustWindowActions.h"

namespace rtv {

// The maker's and the adjuster's windows of the main window, and the maker's status panel.
class ServiceWindowsView {
 public:
  virtual ~ServiceWindowsView() = default;
  // Adds the maker panel with this text to the status bar.
  virtual void ShowMakerPanel(const std::string& text) = 0;
  // The compare window shows its text modally; the others open once (false when already
  // open) and are raised when asked for again.
  virtual void ShowCompareWindow(const std::string& text) = 0;
  virtual bool OpenMemoryWindow() = 0;
  virtual bool OpenFlagBitsWindow() = 0;
  // `closed` runs when the window goes away.
  virtual bool OpenFreeDebugWindow(std::function<void()> closed) = 0;
  // Opens the adjustment window; false when it is open already.
  virtual bool OpenAdjustWindow(const AdjustWindowActions& actions) = 0;
};

}  // namespace rtv
