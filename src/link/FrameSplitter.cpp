// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/FrameSplitter.h"

#include "link/CloneFrames.h"

namespace rtv {

FrameSplitter::Outcome FrameSplitter::Push(std::uint8_t byte) {
  if (ended_) Reset();
  if (byte == kFramePreamble) {
    frame_.Assign(&byte, 1);
  } else if (frame_.Count() == 0) {
    // noise before a frame
  } else if (byte == kFrameEnd) {
    ended_ = true;
    return Outcome::Complete;
  } else if (frame_.Count() >= maxLength_) {
    ended_ = true;
    return Outcome::TooLong;
  } else {
    frame_.PushBack(byte);
  }
  return Outcome::Pending;
}

void FrameSplitter::Reset() {
  frame_.SetCount(0);
  ended_ = false;
}

void FrameSplitter::Clear() {
  frame_.Clear();
  ended_ = false;
}

}  // namespace rtv
