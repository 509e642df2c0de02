// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ByteQueue.h"

#include <algorithm>
#include <cstring>

#include "base/Fatal.h"

namespace rtv {

ByteQueue::ByteQueue() { Clear(); }

ByteQueue::ByteQueue(const ByteQueue& other) : ByteQueue() { Assign(other); }

ByteQueue& ByteQueue::operator=(const ByteQueue& other) {
  if (this != &other) Assign(other);
  return *this;
}

void ByteQueue::Reallocate(int capacity) {
  const int size = std::max(capacity, 1);
  auto block = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(size));
  std::memset(block.get(), fillByte_, static_cast<std::size_t>(size));
  if (count_ > 0) std::memcpy(block.get(), Data(), static_cast<std::size_t>(count_));
  block_ = std::move(block);
  front_ = 0;
  capacity_ = capacity;
}

void ByteQueue::SetCount(int n) {
  if (n < 0) n = 0;
  if (capacity_ < n) Reallocate(n + count_ / 4);
  count_ = n;
}

void ByteQueue::Clear() {
  block_ = std::make_unique<std::uint8_t[]>(1);
  block_[0] = fillByte_;
  front_ = 0;
  count_ = 0;
  capacity_ = 1;
}

std::uint8_t& ByteQueue::At(int i) {
  if (i < 0 || i >= count_) FatalError("Out of ByteQueue element !");
  return Data()[i];
}

std::uint8_t ByteQueue::At(int i) const {
  if (i < 0 || i >= count_) FatalError("Out of ByteQueue element !");
  return Data()[i];
}

void ByteQueue::PushBack(std::uint8_t byte) {
  SetCount(count_ + 1);
  Data()[count_ - 1] = byte;
}

void ByteQueue::Append(const std::uint8_t* bytes, int n) {
  if (n <= 0 || bytes == nullptr) return;
  const int old = count_;
  SetCount(count_ + n);
  std::memmove(Data() + old, bytes, static_cast<std::size_t>(n));
}

void ByteQueue::AppendRepeated(std::uint8_t byte, int n) {
  if (n <= 0) return;
  const int old = count_;
  SetCount(count_ + n);
  std::memset(Data() + old, byte, static_cast<std::size_t>(n));
}

void ByteQueue::Append(const ByteQueue& other) {
  if (&other == this) {
    const ByteQueue copy(other);
    Append(copy.Data(), copy.Count());
    return;
  }
  Append(other.Data(), other.Count());
}

void ByteQueue::Assign(const std::uint8_t* bytes, int n) {
  // The source may lie inside this buffer, so copy it out before reshaping.
  const ByteQueue* self = this;
  if (n > 0 && bytes >= self->Data() && bytes < self->Data() + count_) {
    ByteQueue copy;
    copy.Append(bytes, n);
    Assign(copy.Data(), copy.Count());
    return;
  }
  SetCount(0);
  Append(bytes, n);
}

void ByteQueue::Assign(const ByteQueue& other) {
  if (&other != this) Assign(other.Data(), other.Count());
}

int ByteQueue::PopFront() {
  if (count_ <= 0) return -1;
  const int byte = block_[static_cast<std::size_t>(front_)];
  ++front_;
  --capacity_;
  --count_;
  if (front_ > kCompactThreshold) Compact();
  return byte;
}

void ByteQueue::Compact() { Reallocate(std::max(count_, 1)); }

}  // namespace rtv
