// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/widgets/LinkWindows.h"

#include <QWidget>

#include "link/LinkController.h"
#include "link/widgets/PortDialog.h"
#include "link/widgets/ProgressWindow.h"
#include "overlay/OverlayText.h"

namespace rtv {

LinkWindows::LinkWindows(QWidget& mainWindow, OverlayText& overlay, Prompts& prompts)
    : main_(mainWindow), overlay_(overlay), prompts_(prompts) {}

LinkWindows::~LinkWindows() { delete progress_; }

void LinkWindows::SetMainWindowEnabled(bool enabled) { main_.setEnabled(enabled); }

void LinkWindows::ShowProgress(const std::string& caption, LinkController& link) {
  delete progress_;
  ProgressWindow::Content content;
  content.lit = [&link] { return link.LitSegments(); };
  content.activity = [&link] { return QString::fromStdString(link.ActivityText()); };
  content.detail = [&link] { return QString::fromStdString(link.ProgressText()); };
  content.cancel = [&link] { link.Cancel(); };
  if (overlay_.HasKey("GI_Mess_CloneRW_Progress")) {
    content.cancelText = QString::fromStdString(overlay_.GetLine("GI_Mess_CloneRW_Progress", 2));
  }
  progress_ = new ProgressWindow(&main_, std::move(content));
  progress_->ShowCentred(QString::fromStdString(caption));
  main_.setEnabled(false);
}

void LinkWindows::RepaintProgress() {
  if (progress_ != nullptr) progress_->Refresh();
}

void LinkWindows::CloseProgress() {
  main_.setEnabled(true);
  main_.activateWindow();
  if (progress_ != nullptr) {
    progress_->hide();
    progress_->deleteLater();
    progress_ = nullptr;
  }
}

std::optional<int> LinkWindows::AskPort(PortField field, int currentPort,
                                        const PortEnvironment& ports) {
  PortDialog dialog(&main_, overlay_, prompts_, field, currentPort, ports);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.ChosenPort();
}

}  // namespace rtv
