// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <variant>
#include <vector>

#include "base/BusSubscription.h"
#include "base/Message.h"
#include "base/MessageBus.h"

namespace rtv::test {

// Every message a bus delivers while the log lives, in the order of delivery. Subscribed
// last, it hears each message before the older subscribers do.
class MessageLog {
 public:
  explicit MessageLog(MessageBus& bus);

  const std::vector<Message>& All() const { return messages_; }
  void Clear() { messages_.clear(); }

  // The messages of one type, in order.
  template <class Event>
  std::vector<Event> Of() const {
    std::vector<Event> found;
    for (const Message& message : messages_) {
      if (const Event* event = std::get_if<Event>(&message)) found.push_back(*event);
    }
    return found;
  }
  template <class Event>
  int Count() const {
    return static_cast<int>(Of<Event>().size());
  }

 private:
  std::vector<Message> messages_;
  BusSubscription subscription_;
};

}  // namespace rtv::test
