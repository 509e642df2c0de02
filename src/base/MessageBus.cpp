// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/MessageBus.h"

#include <algorithm>

namespace rtv {

MessageBus::MessageBus(Timers& timers) : task_(std::make_unique<TimerTask>(timers)) {
  task_->Bind([this](TimerTask&) { DeliverQueued(); });
  task_->Schedule(kTickMs);
}

MessageBus::~MessageBus() { TimerTask::Dispose(std::move(task_)); }

BusSubscription MessageBus::Subscribe(Handler handler) {
  if (!handler) return {};
  RemoveEnded();
  auto entry = std::make_shared<Entry>(Entry{std::move(handler)});
  subscribers_.insert(subscribers_.begin(), entry);
  return BusSubscription(std::move(entry));
}

int MessageBus::SubscriberCount() const {
  return static_cast<int>(std::count_if(subscribers_.begin(), subscribers_.end(),
                                        [](const auto& s) { return !s->ended; }));
}

void MessageBus::RemoveEnded() {
  // Entries stay while a delivery walks the list; they go when it has finished.
  if (deliveryDepth_ > 0) return;
  std::erase_if(subscribers_, [](const auto& s) { return s->ended; });
}

void MessageBus::Deliver(const Message& message) {
  // A snapshot: handlers may subscribe or unsubscribe while the message travels.
  const auto snapshot = subscribers_;
  ++deliveryDepth_;
  for (const auto& s : snapshot) {
    if (!s->ended) s->handler(message);
  }
  --deliveryDepth_;
  RemoveEnded();
}

void MessageBus::Send(const Message& message) { Deliver(message); }

void MessageBus::Post(Message message) { queue_.push_back(std::move(message)); }

void MessageBus::DeliverQueued() {
  // Only what was queued before this tick began; later posts wait for the next tick.
  std::deque<Message> due;
  due.swap(queue_);
  while (!due.empty()) {
    const Message message = std::move(due.front());
    due.pop_front();
    Deliver(message);
  }
}

}  // namespace rtv
