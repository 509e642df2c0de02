// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TimerTask.h"

#include <gtest/gtest.h>

#include "ManualClock.h"

namespace rtv {
namespace {

using test::ManualClock;

TEST(TimerTaskTest, ScheduleStartsAndStopsTheTimer) {
  ManualClock clock;
  TimerTask task(clock);
  EXPECT_TRUE(task.IsIdle());
  int calls = 0;
  task.Bind([&](TimerTask&) { ++calls; });
  task.Schedule(0);  // 1 ms
  EXPECT_FALSE(task.IsIdle());
  clock.Advance(5);
  EXPECT_EQ(calls, 5);
  task.Schedule(-5);
  EXPECT_TRUE(task.IsIdle());
  EXPECT_EQ(task.RequestedInterval(), -5);
  clock.Advance(100);
  EXPECT_EQ(calls, 5);
}

TEST(TimerTaskTest, AOneSecondTimeOutRunsOnTheManualClock) {
  ManualClock clock;
  TimerTask task(clock);
  const std::int64_t start = clock.NowMs();
  std::int64_t timedOutAt = -1;
  task.Bind([&](TimerTask& self) {
    if (clock.NowMs() - start >= 1000) {
      timedOutAt = clock.NowMs();
      self.Schedule(-1);
    }
  });
  task.Schedule(10);
  clock.Advance(999);
  EXPECT_EQ(timedOutAt, -1);
  clock.Advance(20);
  EXPECT_EQ(timedOutAt, 1000);
  EXPECT_TRUE(task.IsIdle());
}

TEST(TimerTaskTest, StopInsideTheCallbackEndsTheCalls) {
  ManualClock clock;
  TimerTask task(clock);
  int calls = 0;
  task.Bind([&](TimerTask& self) {
    ++calls;
    self.Stop();
  });
  task.Schedule(10);
  clock.Advance(100);
  EXPECT_EQ(calls, 1);
  task.Schedule(10);  // no callback any more
  clock.Advance(100);
  EXPECT_EQ(calls, 1);
}

TEST(TimerTaskTest, DestroyLaterFreesTheTaskOnTheNextTick) {
  ManualClock clock;
  int calls = 0;
  auto* task = new TimerTask(clock);
  task->Bind([&](TimerTask& self) {
    ++calls;
    self.Stop();
    self.DestroyLater();
  });
  task->Schedule(10);
  clock.Advance(10);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(clock.ActiveTimerCount(), 1);  // alive until its next tick
  clock.Advance(1);                        // the next tick deletes it
  EXPECT_EQ(clock.ActiveTimerCount(), 0);
  EXPECT_EQ(calls, 1);
}

TEST(TimerTaskTest, DisposeFromInsideTheCallbackIsDeferred) {
  ManualClock clock;
  std::unique_ptr<TimerTask> owned = std::make_unique<TimerTask>(clock);
  int calls = 0;
  owned->Bind([&](TimerTask& self) {
    ++calls;
    self.Schedule(-1);  // idle, but still inside the callback
    TimerTask::Dispose(std::move(owned));
  });
  owned->Schedule(10);
  clock.Advance(10);
  EXPECT_EQ(calls, 1);
  clock.Advance(10);
  EXPECT_EQ(clock.ActiveTimerCount(), 0);
  // An idle task is freed at once.
  auto idle = std::make_unique<TimerTask>(clock);
  TimerTask::Dispose(std::move(idle));
  EXPECT_EQ(clock.ActiveTimerCount(), 0);
}

TEST(TimerTaskTest, ARunningCallbackIsNotEnteredAgain) {
  ManualClock clock;
  TimerTask task(clock);
  int depth = 0;
  int maxDepth = 0;
  int calls = 0;
  task.Bind([&](TimerTask&) {
    ++calls;
    ++depth;
    maxDepth = std::max(maxDepth, depth);
    if (calls == 1) clock.Advance(5);  // a nested loop delivers more ticks
    --depth;
  });
  task.Schedule(1);
  clock.Advance(1);
  EXPECT_EQ(maxDepth, 1);
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace rtv
