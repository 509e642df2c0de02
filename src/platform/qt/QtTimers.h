// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>

#include "base/Timers.h"

namespace rtv {

// Timers on the GUI thread's event loop, and a monotonic millisecond clock.
class QtTimers : public Timers, public Clock {
 public:
  QtTimers();
  std::unique_ptr<Timer> CreateTimer(std::function<void()> onTimeout) override;
  std::int64_t NowMs() const override;

 private:
  QElapsedTimer elapsed_;
};

}  // namespace rtv
