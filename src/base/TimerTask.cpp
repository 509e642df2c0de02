// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TimerTask.h"

#include <algorithm>

namespace rtv {

TimerTask::TimerTask(Timers& timers) : timer_(timers.CreateTimer([this] { Tick(); })) {
  Schedule(-1);
}

TimerTask::~TimerTask() = default;

void TimerTask::Bind(Callback callback) { callback_ = std::move(callback); }

void TimerTask::Schedule(int intervalMs) {
  requestedInterval_ = intervalMs;
  if (intervalMs < 0) {
    timer_->Stop();
  } else {
    timer_->Start(std::max(intervalMs, 1));
  }
  idle_ = !timer_->IsActive();
}

void TimerTask::Stop() {
  callback_ = nullptr;
  Schedule(-1);
}

void TimerTask::DestroyLater() {
  destroyRequested_ = true;
  Schedule(1);
}

void TimerTask::Dispose(std::unique_ptr<TimerTask> task) {
  if (!task) return;
  // Only a task inside its own callback must outlive this call; a timer that merely runs
  // is stopped by the destructor, and deferring it would leak it once the loop has ended.
  if (!task->busy_) return;
  task->Stop();
  task.release()->DestroyLater();
}

void TimerTask::Tick() {
  if (destroyRequested_) {
    delete this;
    return;
  }
  if (busy_ || !callback_) return;
  busy_ = true;
  // A copy, so that Stop() or Bind() inside the callback cannot destroy the running one.
  Callback callback = callback_;
  callback(*this);
  busy_ = false;
}

}  // namespace rtv
