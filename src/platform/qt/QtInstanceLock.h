// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <memory>

namespace rtv {

// The single-instance guard: a lock file in the runtime folder named after the mutex.
// A lock left by a process that died is taken over.
class QtInstanceLock {
 public:
  explicit QtInstanceLock(const QString& name);
  bool IsFirstInstance() const { return owned_; }
  QString FileName() const { return fileName_; }

 private:
  QString fileName_;
  std::unique_ptr<QLockFile> lock_;
  bool owned_ = false;
};

}  // namespace rtv
