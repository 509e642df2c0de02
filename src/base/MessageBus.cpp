// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/MessageBus.h"

#include <algorithm>

namespace rtv {

MessageBus::MessageBus(Timers& timers) : task_(std::make_unique<TimerTask>(timers)) {
  task_->Bind([this](TimerTask&) { DeliverQueued(); });
  task_->Schedule(kTickMs);
}

MessageBus::~MessageBus() { TimerTask::Dispose(std::move(task_)); }

void MessageBus::Subscribe(Callback callback, void* context) {
  if (callback == nullptr) return;
  Unsubscribe(callback, context);
  subscribers_.insert(subscribers_.begin(),
                      std::make_shared<Subscription>(Subscription{callback, context}));
}

void MessageBus::Unsubscribe(Callback callback, void* context) {
  for (auto& s : subscribers_) {
    if (s->callback == callback && s->context == context) s->dead = true;
  }
  RemoveDead();
}

int MessageBus::SubscriberCount() const {
  return static_cast<int>(std::count_if(subscribers_.begin(), subscribers_.end(),
                                        [](const auto& s) { return !s->dead; }));
}

void MessageBus::RemoveDead() {
  // Entries stay while a delivery walks the list; they go when it has finished.
  if (deliveryDepth_ > 0) return;
  std::erase_if(subscribers_, [](const auto& s) { return s->dead; });
}

void MessageBus::Deliver(const Message& message) {
  // A snapshot: handlers may subscribe or unsubscribe while the message travels.
  const auto snapshot = subscribers_;
  ++deliveryDepth_;
  for (const auto& s : snapshot) {
    if (!s->dead) s->callback(s->context, message);
  }
  --deliveryDepth_;
  RemoveDead();
}

void MessageBus::Send(int type, int arg1, int arg2, std::vector<std::uint8_t> payload) {
  Deliver(Message{type, Delivery::Send, arg1, arg2, std::move(payload)});
}

void MessageBus::Post(int type, int arg1, int arg2, std::vector<std::uint8_t> payload) {
  queue_.push_back(Message{type, Delivery::Post, arg1, arg2, std::move(payload)});
}

void MessageBus::SendText(int type, int arg1, int arg2, std::string_view text) {
  Send(type, arg1, arg2, Message::TextPayload(text));
}

void MessageBus::PostText(int type, int arg1, int arg2, std::string_view text) {
  Post(type, arg1, arg2, Message::TextPayload(text));
}

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
