// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "link/PortField.h"

namespace rtv {

class LinkController;
struct PortEnvironment;

// The windows of the radio link: the widgets layer implements it.
class LinkView {
 public:
  virtual ~LinkView() = default;
  // The main window takes no input while an exchange runs.
  virtual void SetMainWindowEnabled(bool enabled) = 0;
  // The progress window, centred on the main window; it shows the controller's segments
  // and texts, and its Cancel stops the controller's exchange.
  virtual void ShowProgress(const std::string& caption, LinkController& link) = 0;
  virtual void RepaintProgress() = 0;
  // Hides the progress window and enables and focuses the main window.
  virtual void CloseProgress() = 0;
  // The port dialog with the given field: the chosen port, or nothing on Cancel.
  virtual std::optional<int> AskPort(PortField field, int currentPort,
                                     const PortEnvironment& ports) = 0;
};

}  // namespace rtv
