// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

#include "base/Message.h"

namespace rtv {

// One subscriber's place on the message bus. Its handler is called until the subscription
// ends: when End is called or the object goes, even in the middle of a delivery. It may
// outlive the bus.
class BusSubscription {
 public:
  using Handler = std::function<void(const Message&)>;

  // What the bus keeps of a subscriber.
  struct Entry {
    Handler handler;
    bool ended = false;
  };

  BusSubscription() = default;
  explicit BusSubscription(std::shared_ptr<Entry> entry) : entry_(std::move(entry)) {}
  ~BusSubscription() { End(); }
  BusSubscription(BusSubscription&& other) noexcept = default;
  BusSubscription& operator=(BusSubscription&& other) noexcept;
  BusSubscription(const BusSubscription&) = delete;
  BusSubscription& operator=(const BusSubscription&) = delete;

  void End();
  bool Active() const { return entry_ != nullptr && !entry_->ended; }

 private:
  std::shared_ptr<Entry> entry_;
};

}  // namespace rtv
