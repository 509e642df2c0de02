// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>

namespace rtv {

// Growable byte queue with a movable front: pushes at the back grow the block by a
// quarter beyond the need, pops at the front only advance until 4096 bytes are free.
class ByteQueue {
 public:
  static constexpr int kCompactThreshold = 4096;

  ByteQueue();
  ByteQueue(const ByteQueue& other);
  ByteQueue& operator=(const ByteQueue& other);

  int Count() const { return count_; }
  int Capacity() const { return capacity_; }
  std::uint8_t* Data() { return block_.get() + front_; }
  const std::uint8_t* Data() const { return block_.get() + front_; }

  void SetCount(int n);
  void Clear();
  // An index outside 0..Count()-1 is a program fault and ends the process.
  std::uint8_t& At(int i);
  std::uint8_t At(int i) const;

  void PushBack(std::uint8_t byte);
  void Append(const std::uint8_t* bytes, int n);
  void AppendRepeated(std::uint8_t byte, int n);
  void Append(const ByteQueue& other);
  void Assign(const std::uint8_t* bytes, int n);
  void Assign(const ByteQueue& other);
  // The front element 0..255, or -1 when empty.
  int PopFront();
  void Compact();

 private:
  void Reallocate(int capacity);

  std::unique_ptr<std::uint8_t[]> block_;
  int front_ = 0;
  int count_ = 0;
  int capacity_ = 0;
  std::uint8_t fillByte_ = 0;
};

}  // namespace rtv
