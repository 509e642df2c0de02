// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/DebugTextLinkTrace.h"

#include "base/Message.h"
#include "base/MessageBus.h"

namespace rtv {

void DebugTextLinkTrace::Line(const std::string& text) {
  // Posted: the link is in the middle of a step, and the window only appends.
  bus_.Post(msg::DebugText{text});
  if (next_ != nullptr) next_->Line(text);
}

}  // namespace rtv
