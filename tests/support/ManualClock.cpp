// SPDX-License-Identifier: GPL-3.0-or-later
#include "ManualClock.h"

namespace rtv::test {

class ManualClock::ManualTimer : public Timer {
 public:
  ManualTimer(ManualClock& clock, int id) : clock_(clock), entries_(clock.entries_), id_(id) {}
  ~ManualTimer() override { entries_->erase(id_); }
  void Start(int intervalMs) override {
    Entry& e = entries_->at(id_);
    e.interval = intervalMs < 1 ? 1 : intervalMs;
    e.due = clock_.now_ + e.interval;
    e.active = true;
    e.order = clock_.nextOrder_++;
  }
  void Stop() override { entries_->at(id_).active = false; }
  bool IsActive() const override { return entries_->at(id_).active; }

 private:
  ManualClock& clock_;
  std::shared_ptr<std::map<int, Entry>> entries_;
  int id_;
};

ManualClock::ManualClock() : entries_(std::make_shared<std::map<int, Entry>>()) {}

ManualClock::~ManualClock() = default;

std::unique_ptr<Timer> ManualClock::CreateTimer(std::function<void()> onTimeout) {
  const int id = nextId_++;
  (*entries_)[id] = Entry{std::move(onTimeout), 0, 0, false, 0};
  return std::make_unique<ManualTimer>(*this, id);
}

void ManualClock::Advance(std::int64_t ms) {
  const std::int64_t target = now_ + ms;
  for (;;) {
    int dueId = 0;
    const Entry* due = nullptr;
    for (const auto& [id, e] : *entries_) {
      if (!e.active || e.due > target) continue;
      if (due == nullptr || e.due < due->due || (e.due == due->due && e.order < due->order)) {
        due = &e;
        dueId = id;
      }
    }
    if (due == nullptr) break;
    now_ = due->due;
    Entry& e = entries_->at(dueId);
    e.due += e.interval;
    e.order = nextOrder_++;
    ++fired_;
    // A copy: the callback may destroy its timer.
    const std::function<void()> callback = e.onTimeout;
    callback();
  }
  if (now_ < target) now_ = target;  // a nested Advance may have gone further
}

int ManualClock::ActiveTimerCount() const {
  int count = 0;
  for (const auto& entry : *entries_) count += entry.second.active ? 1 : 0;
  return count;
}

}  // namespace rtv::test
