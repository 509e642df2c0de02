// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtInstanceLock.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

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
  // Held by another copy only when it is a lock file: a folder of its name "exists" too.
  const QFileInfo info(fileName_);
  const bool noLockFile = info.exists() && !info.isFile();
  if (!owned_ && (lock_->error() != QLockFile::LockFailedError || noLockFile)) {
    problem_ = Describe();
  }
}

QString QtInstanceLock::Describe() const {
  QString reason;
  const QFileInfo info(fileName_);
  if (info.isDir()) {
    reason = "a folder has its name";
  } else if (info.exists() && !info.isFile()) {
    reason = "something that is no file has its name";
  } else if (::access(QFile::encodeName(info.absolutePath()).constData(), W_OK) != 0) {
    reason = QString::fromLocal8Bit(std::strerror(errno));
  } else {
    reason = lock_->error() == QLockFile::PermissionError ? "permission denied" : "unknown error";
  }
  return QString("The lock %1 cannot be created: %2.").arg(fileName_, reason);
}

}  // namespace rtv
