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
}

}  // namespace rtv
