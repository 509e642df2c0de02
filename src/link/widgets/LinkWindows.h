// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>

#include "link/LinkView.h"
#include "link/widgets/ProgressWindow.h"

class QWidget;

namespace rtv {

class OverlayText;
class Prompts;

// The radio link's windows around the main window.
class LinkWindows : public LinkView {
 public:
  LinkWindows(QWidget& mainWindow, OverlayText& overlay, Prompts& prompts);
  ~LinkWindows() override;

  void SetMainWindowEnabled(bool enabled) override;
  void ShowProgress(const std::string& caption, LinkController& link) override;
  void RepaintProgress() override;
  void CloseProgress() override;
  std::optional<int> AskPort(PortField field, int currentPort,
                             const PortEnvironment& ports) override;

  // The progress window while it is shown; null otherwise.
  ProgressWindow* Progress() const { return progress_; }

 private:
  QWidget& main_;
  OverlayText& overlay_;
  Prompts& prompts_;
  QPointer<ProgressWindow> progress_;
};

}  // namespace rtv
