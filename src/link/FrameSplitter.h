// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "base/ByteQueue.h"

namespace rtv {

// Cuts the bytes from the radio into frames, one byte at a time: FE starts a frame (again,
// if one was open), FD ends it, and bytes outside a frame are noise. A frame stays
// available until the next byte is pushed.
class FrameSplitter {
 public:
  enum class Outcome { Pending, Complete, TooLong };

  // A frame grows to at most maxLength bytes before its FD.
  explicit FrameSplitter(int maxLength) : maxLength_(maxLength) {}

  Outcome Push(std::uint8_t byte);
  // The frame from its first FE on, without the FD; after TooLong, what was taken.
  const ByteQueue& Frame() const { return frame_; }
  // Drops the open frame; Clear also gives back its memory.
  void Reset();
  void Clear();

 private:
  int maxLength_;
  ByteQueue frame_;
  bool ended_ = false;
};

}  // namespace rtv
