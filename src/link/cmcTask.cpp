#include "link/cmcTask.h"

#include <algorithm>

namespace rtv {

cmcTask::cmcTask(Timers& timers) : timer_(timers.CreateTimer([this] { Tick(); })) {
  Schedule(-1);
}

cmcTask::~cmcTask() = default;

void cmcTask::Bind(Callback callback) { callback_ = std::move(callback); }

void cmcTask::Schedule(int intervalMs) {
  requestedInterval_ = intervalMs;
  if (intervalMs < 0) {
    timer_->Stop();
  } else {
    timer_->Start(std::max(intervalMs, 1));
  }
  idle_ = !timer_->IsActive();
}

void cmcTask::Stop() {
  callback_ = nullptr;
  Schedule(-1);
}

void cmcTask::DestroyLater() {
  destroyRequested_ = true;
  Schedule(1);
}

void cmcTask::Dispose(std::unique_ptr<cmcTask> task) {
  if (!task) return;
  // Only a task inside its own callback must outlive this call; a timer that merely runs
  // is stopped by the destructor, and deferring it would leak it once the loop has ended.
  if (!task->busy_) return;
  task->Stop();
  task.release()->DestroyLater();
}

void cmcTask::Tick() {
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
