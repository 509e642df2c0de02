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
  // Why the lock could not be made at all (a read-only folder, a folder in its place), which
  // is not another copy running; empty when it was made or another copy holds it.
  QString Problem() const { return problem_; }

 private:
  QString Describe() const;

  QString fileName_;
  std::unique_ptr<QLockFile> lock_;
  bool owned_ = false;
  QString problem_;
};

}  // namespace rtv
