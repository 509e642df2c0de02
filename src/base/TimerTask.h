// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

#include "base/Timers.h"

namespace rtv {

// A step of timer-driven work on the GUI thread: a callback, a rescheduling rule and a
// safe way to dispose of the task from inside its own callback.
class TimerTask {
 public:
  using Callback = std::function<void(TimerTask&)>;

  explicit TimerTask(Timers& timers);
  ~TimerTask();
  TimerTask(const TimerTask&) = delete;
  TimerTask& operator=(const TimerTask&) = delete;

  void Bind(Callback callback);
  // Negative stops the timer; zero or more runs it every max(interval, 1) ms.
  void Schedule(int intervalMs);
  // Unbinds the callback and stops.
  void Stop();
  // The next tick deletes the task; only for tasks created with new.
  void DestroyLater();

  // Disposes of a task: at once, unless it is inside its callback; then it is stopped
  // now and deleted on its next tick.
  static void Dispose(std::unique_ptr<TimerTask> task);

  bool IsIdle() const { return idle_; }
  bool IsBusy() const { return busy_; }
  int RequestedInterval() const { return requestedInterval_; }

 private:
  void Tick();

  std::unique_ptr<Timer> timer_;
  Callback callback_;
  int requestedInterval_ = -1;
  bool busy_ = false;
  bool destroyRequested_ = false;
  bool idle_ = true;
};

}  // namespace rtv
