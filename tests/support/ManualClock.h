// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "base/Timers.h"

namespace rtv::test {

// Timers and a clock that move only when the test advances them; advancing fires every
// due timer in time order, so long time-outs run in microseconds.
class ManualClock : public Timers, public Clock {
 public:
  ManualClock();
  ~ManualClock() override;

  std::unique_ptr<Timer> CreateTimer(std::function<void()> onTimeout) override;
  std::int64_t NowMs() const override { return now_; }

  void Advance(std::int64_t ms);
  int ActiveTimerCount() const;
  int FiredCount() const { return fired_; }

 private:
  struct Entry {
    std::function<void()> onTimeout;
    int interval = 0;
    std::int64_t due = 0;
    bool active = false;
    std::uint64_t order = 0;  // timers due at the same time fire in start order
  };
  class ManualTimer;
  friend class ManualTimer;

  std::shared_ptr<std::map<int, Entry>> entries_;
  std::int64_t now_ = 0;
  int nextId_ = 1;
  std::uint64_t nextOrder_ = 0;
  int fired_ = 0;
};

}  // namespace rtv::test
