// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <memory>
#include <vector>

#include "base/Message.h"
#include "base/TimerTask.h"

namespace rtv {

// Publish/subscribe queue: Send delivers at once in the caller's stack, Post delivers
// on the bus's next 10 ms tick. The newest subscriber is called first.
class MessageBus {
 public:
  using Callback = void (*)(void* context, const Message& message);
  static constexpr int kTickMs = 10;

  explicit MessageBus(Timers& timers);
  ~MessageBus();
  MessageBus(const MessageBus&) = delete;
  MessageBus& operator=(const MessageBus&) = delete;

  void Subscribe(Callback callback, void* context);
  void Unsubscribe(Callback callback, void* context);

  void Send(int type, int arg1 = 0, int arg2 = 0, std::vector<std::uint8_t> payload = {});
  void Post(int type, int arg1 = 0, int arg2 = 0, std::vector<std::uint8_t> payload = {});
  void SendText(int type, int arg1, int arg2, std::string_view text);
  void PostText(int type, int arg1, int arg2, std::string_view text);

  int PendingCount() const { return static_cast<int>(queue_.size()); }
  int SubscriberCount() const;

 private:
  struct Subscription {
    Callback callback;
    void* context;
    bool dead = false;
  };

  void Deliver(const Message& message);
  void DeliverQueued();
  void RemoveDead();

  std::vector<std::shared_ptr<Subscription>> subscribers_;  // front is called first
  std::deque<Message> queue_;
  std::unique_ptr<TimerTask> task_;
  int deliveryDepth_ = 0;
};

}  // namespace rtv
