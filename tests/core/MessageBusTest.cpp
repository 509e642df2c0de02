// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/MessageBus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ManualClock.h"

namespace rtv {
namespace {

using test::ManualClock;

struct Recorder {
  std::string name;
  std::vector<std::string>* log;
  MessageBus* bus = nullptr;
  bool postFromHandler = false;
  bool unsubscribeOther = false;
  Recorder* other = nullptr;

  static void OnMessage(void* context, const Message& m) {
    auto* self = static_cast<Recorder*>(context);
    self->log->push_back(self->name + ":" + std::to_string(m.type) +
                         (m.payload.empty() ? "" : "=" + m.Text()));
    if (self->postFromHandler && m.type == 1) self->bus->Post(2);
    if (self->unsubscribeOther) self->bus->Unsubscribe(&Recorder::OnMessage, self->other);
  }
};

TEST(MessageBusTest, SendDeliversAtOnceNewestSubscriberFirst) {
  ManualClock clock;
  MessageBus bus(clock);
  std::vector<std::string> log;
  Recorder a{"a", &log}, b{"b", &log};
  bus.Subscribe(&Recorder::OnMessage, &a);
  bus.Subscribe(&Recorder::OnMessage, &b);
  bus.Subscribe(&Recorder::OnMessage, &a);  // again: moves to the front, called once
  bus.Subscribe(nullptr, &a);               // ignored
  bus.SendText(kMsgStatusText, 0, 0, "Ready");
  EXPECT_EQ(log, (std::vector<std::string>{"a:4=Ready", "b:4=Ready"}));
  EXPECT_EQ(bus.SubscriberCount(), 2);
}

TEST(MessageBusTest, PostWaitsForTheTickAndLaterPostsForTheNextOne) {
  ManualClock clock;
  MessageBus bus(clock);
  std::vector<std::string> log;
  Recorder a{"a", &log, &bus, true};
  bus.Subscribe(&Recorder::OnMessage, &a);
  bus.Post(1);
  bus.PostText(3, 0, 0, "x");
  EXPECT_TRUE(log.empty());
  clock.Advance(MessageBus::kTickMs);
  // Message 2 was posted during delivery: it waits for the next tick.
  EXPECT_EQ(log, (std::vector<std::string>{"a:1", "a:3=x"}));
  EXPECT_EQ(bus.PendingCount(), 1);
  clock.Advance(MessageBus::kTickMs);
  EXPECT_EQ(log.back(), "a:2");
}

TEST(MessageBusTest, DeadSubscriptionsAreNeverCalledAgain) {
  ManualClock clock;
  MessageBus bus(clock);
  std::vector<std::string> log;
  Recorder a{"a", &log, &bus}, b{"b", &log, &bus};
  a.unsubscribeOther = true;
  a.other = &b;
  bus.Subscribe(&Recorder::OnMessage, &b);
  bus.Subscribe(&Recorder::OnMessage, &a);  // a is called first and kills b
  bus.Send(7);
  EXPECT_EQ(log, (std::vector<std::string>{"a:7"}));
  EXPECT_EQ(bus.SubscriberCount(), 1);
  bus.Unsubscribe(&Recorder::OnMessage, &a);
  bus.Send(8);
  EXPECT_EQ(log.size(), 1u);
}

}  // namespace
}  // namespace rtv
