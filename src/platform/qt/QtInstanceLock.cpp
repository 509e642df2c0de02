// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtInstanceLock.h"

#include <QDir>
#include <QStandardPaths>

namespace rtv {

QtInstanceLock::QtInstanceLock(const QString& name) {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  fileName_ = QDir(folder).filePath(name + ".lock");
  lock_ = std::make_unique<QLockFile>(fileName_);
  // Only a dead owner makes the lock stale, never its age: a session may run for days.
  lock_->setStaleLockTime(0);
  owned_ = lock_->tryLock(0);
  // A file that names no live owner (empty, garbage, another host) is not stale by Qt's
  // rules and would block every start. Removing it takes the file's native lock first,
  // which fails while a running copy holds it, so a live owner is never robbed.
  if (!owned_ && lock_->error() == QLockFile::LockFailedError && lock_->removeStaleLockFile()) {
    owned_ = lock_->tryLock(0);
  }
}

}  // namespace rtv
