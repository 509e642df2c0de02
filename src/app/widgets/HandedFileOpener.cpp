// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/HandedFileOpener.h"

#include <QApplication>
#include <QTimer>

#include "app/FileCommands.h"
#include "platform/qt/QtInstanceChannel.h"

namespace rtv {
namespace {

constexpr int kRetryMs = 200;

}  // namespace

HandedFileOpener::HandedFileOpener(QtInstanceChannel& channel, QWidget& window, FileCommands& files)
    : window_(&window), files_(files) {
  connect(&channel, &QtInstanceChannel::FileReceived, this, &HandedFileOpener::Take);
}

void HandedFileOpener::Take(const QString& file) {
  if (window_ == nullptr) return;
  window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
  window_->show();
  window_->raise();
  window_->activateWindow();
  if (file.isEmpty()) return;
  pending_.append(file);
  OpenWhenFree();
}

void HandedFileOpener::OpenWhenFree() {
  if (window_ == nullptr || pending_.isEmpty()) return;
  // A radio exchange disables the window; a dialog of its own is modal.
  if (!window_->isEnabled() || QApplication::activeModalWidget() != nullptr) {
    if (!scheduled_) {
      scheduled_ = true;
      QTimer::singleShot(kRetryMs, this, [this] {
        scheduled_ = false;
        OpenWhenFree();
      });
    }
    return;
  }
  const QString file = pending_.takeFirst();
  files_.OpenFile(file.toStdString());
  OpenWhenFree();
}

}  // namespace rtv
