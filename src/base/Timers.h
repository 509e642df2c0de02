// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace rtv {

// A repeating single-threaded timer. Its callback runs on the GUI thread and may
// destroy the timer that called it.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void Start(int intervalMs) = 0;
  virtual void Stop() = 0;
  virtual bool IsActive() const = 0;
};

class Timers {
 public:
  virtual ~Timers() = default;
  virtual std::unique_ptr<Timer> CreateTimer(std::function<void()> onTimeout) = 0;
};

// The millisecond tick counter.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t NowMs() const = 0;
};

}  // namespace rtv
