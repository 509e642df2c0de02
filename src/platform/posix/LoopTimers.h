// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>

#include "base/Timers.h"

namespace rtv {

// Timers on the wall clock for a program without an event loop of its own: RunUntil
// fires due timers in order and sleeps in between.
class LoopTimers : public Timers, public Clock {
 public:
  LoopTimers();
  ~LoopTimers() override;

  std::unique_ptr<Timer> CreateTimer(std::function<void()> onTimeout) override;
  std::int64_t NowMs() const override;

  // Runs timers until done() is true.
  void RunUntil(const std::function<bool()>& done);

 private:
  struct Entry {
    std::function<void()> onTimeout;
    int interval = 0;
    std::int64_t due = 0;
    bool active = false;
  };
  class LoopTimer;

  std::shared_ptr<std::map<int, Entry>> entries_;
  std::chrono::steady_clock::time_point start_;
  int nextId_ = 1;
};

}  // namespace rtv
