// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/LoopTimers.h"

#include <thread>

namespace rtv {

class LoopTimers::LoopTimer : public Timer {
 public:
  LoopTimer(LoopTimers& owner, int id) : owner_(owner), entries_(owner.entries_), id_(id) {}
  ~LoopTimer() override { entries_->erase(id_); }
  void Start(int intervalMs) override {
    Entry& e = entries_->at(id_);
    e.interval = intervalMs < 1 ? 1 : intervalMs;
    e.due = owner_.NowMs() + e.interval;
    e.active = true;
  }
  void Stop() override { entries_->at(id_).active = false; }
  bool IsActive() const override { return entries_->at(id_).active; }

 private:
  LoopTimers& owner_;
  std::shared_ptr<std::map<int, Entry>> entries_;
  int id_;
};

LoopTimers::LoopTimers()
    : entries_(std::make_shared<std::map<int, Entry>>()),
      start_(std::chrono::steady_clock::now()) {}

LoopTimers::~LoopTimers() = default;

std::unique_ptr<Timer> LoopTimers::CreateTimer(std::function<void()> onTimeout) {
  const int id = nextId_++;
  (*entries_)[id] = Entry{std::move(onTimeout), 0, 0, false};
  return std::make_unique<LoopTimer>(*this, id);
}

std::int64_t LoopTimers::NowMs() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               start_)
      .count();
}

void LoopTimers::RunUntil(const std::function<bool()>& done) {
  while (!done()) {
    int dueId = 0;
    const Entry* next = nullptr;
    for (const auto& [id, entry] : *entries_) {
      if (entry.active && (next == nullptr || entry.due < next->due)) {
        next = &entry;
        dueId = id;
      }
    }
    if (next == nullptr) return;  // nothing left that could change anything
    const std::int64_t now = NowMs();
    if (next->due > now) {
      std::this_thread::sleep_for(std::chrono::milliseconds(next->due - now));
      continue;
    }
    Entry& entry = entries_->at(dueId);
    // Late ticks are not made up for: the next one follows a whole interval later.
    entry.due = std::max(entry.due + entry.interval, now);
    const std::function<void()> callback = entry.onTimeout;  // it may destroy its timer
    callback();
  }
}

}  // namespace rtv
