// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageLog.h"

namespace rtv::test {

MessageLog::MessageLog(MessageBus& bus)
    : subscription_(
          bus.Subscribe([this](const Message& message) { messages_.push_back(message); })) {}

}  // namespace rtv::test
