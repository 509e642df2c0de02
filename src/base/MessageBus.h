// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <variant>
#include <vector>

#include "base/BusSubscription.h"
#include "base/Message.h"
#include "base/TimerTask.h"

namespace rtv {

// Publish/subscribe queue: Send delivers at once in the caller's stack, Post delivers
// on the bus's next 10 ms tick, in the order posted. The newest subscriber is called first.
class MessageBus {
 public:
  using Handler = BusSubscription::Handler;
  static constexpr int kTickMs = 10;

  explicit MessageBus(Timers& timers);
  ~MessageBus();
  MessageBus(const MessageBus&) = delete;
  MessageBus& operator=(const MessageBus&) = delete;

  // Every message reaches `handler` while the returned subscription lasts; an empty
  // handler gets an empty subscription.
  [[nodiscard]] BusSubscription Subscribe(Handler handler);
  // Only the messages of one type.
  template <class Event>
  [[nodiscard]] BusSubscription SubscribeTo(std::function<void(const Event&)> handler) {
    return Subscribe([typed = std::move(handler)](const Message& message) {
      if (const Event* event = std::get_if<Event>(&message)) typed(*event);
    });
  }

  void Send(const Message& message);
  void Post(Message message);

  int PendingCount() const { return static_cast<int>(queue_.size()); }
  int SubscriberCount() const;

 private:
  using Entry = BusSubscription::Entry;

  void Deliver(const Message& message);
  void DeliverQueued();
  void RemoveEnded();

  std::vector<std::shared_ptr<Entry>> subscribers_;  // front is called first
  std::deque<Message> queue_;
  std::unique_ptr<TimerTask> task_;
  int deliveryDepth_ = 0;
};

}  // namespace rtv
