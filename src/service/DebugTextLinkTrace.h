// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/LinkTrace.h"

namespace rtv {

class MessageBus;

// Posts every line of the link's record as debug text, for the free debug window, and
// hands it on to the trace that was there before (the log, when asked for).
class DebugTextLinkTrace : public LinkTrace {
 public:
  DebugTextLinkTrace(MessageBus& bus, LinkTrace* next) : bus_(bus), next_(next) {}

  void Line(const std::string& text) override;
  LinkTrace* Next() const { return next_; }

 private:
  MessageBus& bus_;
  LinkTrace* next_;
};

}  // namespace rtv
