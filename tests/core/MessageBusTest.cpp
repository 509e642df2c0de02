// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/MessageBus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ManualClock.h"

namespace rtv {
namespace {

using test::ManualClock;

// What a subscriber heard, as "name:what".
std::string Describe(const Message& m) {
  return std::visit(
      Overloaded{[](const msg::StatusText& s) { return "status=" + s.text; },
                 [](const msg::RedrawLink& r) { return "cellLink=" + std::to_string(r.cellLink); },
                 [](const msg::DataChanged&) { return std::string("data"); },
                 [](const msg::CommitEdits&) { return std::string("commit"); },
                 [](const auto&) { return std::string("other"); }},
      m);
}

struct Recorder {
  std::string name;
  std::vector<std::string>* log;
  MessageBus* bus = nullptr;
  bool postFromHandler = false;
  BusSubscription* endOther = nullptr;  // ended by this subscriber's handler
  BusSubscription subscription{};

  void Subscribe(MessageBus& onBus) {
    subscription = onBus.Subscribe([this](const Message& m) { Heard(m); });
  }
  void Heard(const Message& m) {
    log->push_back(name + ":" + Describe(m));
    if (postFromHandler && std::holds_alternative<msg::DataChanged>(m))
      bus->Post(msg::CommitEdits{});
    if (endOther != nullptr) endOther->End();
  }
};

TEST(MessageBusTest, SendDeliversAtOnceNewestSubscriberFirst) {
  ManualClock clock;
  MessageBus bus(clock);
  std::vector<std::string> log;
  Recorder a{"a", &log}, b{"b", &log};
  a.Subscribe(bus);
  b.Subscribe(bus);
  a.Subscribe(bus);  // again: the old subscription ends, the new one is first; called once
  BusSubscription none = bus.Subscribe(nullptr);  // ignored
  EXPECT_FALSE(none.Active());
  bus.Send(msg::StatusText{"Ready", 0, 0});
  EXPECT_EQ(log, (std::vector<std::string>{"a:status=Ready", "b:status=Ready"}));
  EXPECT_EQ(bus.SubscriberCount(), 2);
}

TEST(MessageBusTest, PostWaitsForTheTickInOrderAndLaterPostsForTheNextOne) {
  ManualClock clock;
  MessageBus bus(clock);
  std::vector<std::string> log;
  Recorder a{"a", &log, &bus, true};
  a.Subscribe(bus);
  bus.Post(msg::DataChanged{});
  bus.Post(msg::RedrawLink{42});
  EXPECT_TRUE(log.empty());
  clock.Advance(MessageBus::kTickMs);
  // The commit was posted during delivery: it waits for the next tick.
  EXPECT_EQ(log, (std::vector<std::string>{"a:data", "a:cellLink=42"}));
  EXPECT_EQ(bus.PendingCount(), 1);
  clock.Advance(MessageBus::kTickMs);
  EXPECT_EQ(log.back(), "a:commit");
}

TEST(MessageBusTest, EndedSubscriptionsAreNeverCalledAgain) {
  ManualClock clock;
  MessageBus bus(clock);
  std::vector<std::string> log;
  Recorder a{"a", &log, &bus}, b{"b", &log, &bus};
  a.endOther = &b.subscription;
  b.Subscribe(bus);
  a.Subscribe(bus);  // a is called first and ends b's subscription
  bus.Send(msg::DataChanged{});
  EXPECT_EQ(log, (std::vector<std::string>{"a:data"}));
  EXPECT_EQ(bus.SubscriberCount(), 1);
  a.subscription.End();
  bus.Send(msg::DataChanged{});
  EXPECT_EQ(log.size(), 1u);
  EXPECT_EQ(bus.SubscriberCount(), 0);
}

TEST(MessageBusTest, ASubscriptionEndsWithItsOwnerAndMayOutliveTheBus) {
  ManualClock clock;
  std::vector<std::string> log;
  Recorder kept{"kept", &log};
  {
    MessageBus bus(clock);
    {
      Recorder gone{"gone", &log};
      gone.Subscribe(bus);
      EXPECT_EQ(bus.SubscriberCount(), 1);
    }
    EXPECT_EQ(bus.SubscriberCount(), 0);
    kept.Subscribe(bus);
    bus.Send(msg::DataChanged{});
  }
  EXPECT_EQ(log, std::vector<std::string>{"kept:data"});
  EXPECT_TRUE(kept.subscription.Active());
  kept.subscription.End();  // the bus has gone: nothing to reach
  EXPECT_FALSE(kept.subscription.Active());
}

TEST(MessageBusTest, ATypedSubscriptionHearsItsTypeOnlyWithItsFields) {
  ManualClock clock;
  MessageBus bus(clock);
  std::vector<int> links;
  const BusSubscription subscription = bus.SubscribeTo<msg::RedrawLink>(
      [&links](const msg::RedrawLink& redraw) { links.push_back(redraw.cellLink); });
  bus.Send(msg::RedrawIndex{7});
  bus.Send(msg::RedrawLink{12});
  bus.Post(msg::RedrawLink{13});
  bus.Send(msg::DataChanged{});
  clock.Advance(MessageBus::kTickMs);
  EXPECT_EQ(links, (std::vector<int>{12, 13}));
}

}  // namespace
}  // namespace rtv
