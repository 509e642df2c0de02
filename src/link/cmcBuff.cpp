#include "link/cmcBuff.h"

#include <algorithm>
#include <cstring>

#include "platform/Fatal.h"

namespace rtv {

cmcBuff::cmcBuff() { Clear(); }

cmcBuff::cmcBuff(const cmcBuff& other) : cmcBuff() { Assign(other); }

cmcBuff& cmcBuff::operator=(const cmcBuff& other) {
  if (this != &other) Assign(other);
  return *this;
}

void cmcBuff::Reallocate(int capacity) {
  const int size = std::max(capacity, 1);
  auto block = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(size));
  std::memset(block.get(), fillByte_, static_cast<std::size_t>(size));
  if (count_ > 0) std::memcpy(block.get(), Data(), static_cast<std::size_t>(count_));
  block_ = std::move(block);
  front_ = 0;
  capacity_ = capacity;
}

void cmcBuff::SetCount(int n) {
  if (n < 0) n = 0;
  if (capacity_ < n) Reallocate(n + count_ / 4);
  count_ = n;
}

void cmcBuff::Clear() {
  block_ = std::make_unique<std::uint8_t[]>(1);
  block_[0] = fillByte_;
  front_ = 0;
  count_ = 0;
  capacity_ = 1;
}

std::uint8_t& cmcBuff::At(int i) {
  if (i < 0 || i >= count_) FatalError("Out of cmcBuff element !");
  return Data()[i];
}

std::uint8_t cmcBuff::At(int i) const {
  if (i < 0 || i >= count_) FatalError("Out of cmcBuff element !");
  return Data()[i];
}

void cmcBuff::PushBack(std::uint8_t byte) {
  SetCount(count_ + 1);
  Data()[count_ - 1] = byte;
}

void cmcBuff::Append(const std::uint8_t* bytes, int n) {
  if (n <= 0 || bytes == nullptr) return;
  const int old = count_;
  SetCount(count_ + n);
  std::memmove(Data() + old, bytes, static_cast<std::size_t>(n));
}

void cmcBuff::AppendRepeated(std::uint8_t byte, int n) {
  if (n <= 0) return;
  const int old = count_;
  SetCount(count_ + n);
  std::memset(Data() + old, byte, static_cast<std::size_t>(n));
}

void cmcBuff::Append(const cmcBuff& other) {
  if (&other == this) {
    const cmcBuff copy(other);
    Append(copy.Data(), copy.Count());
    return;
  }
  Append(other.Data(), other.Count());
}

void cmcBuff::Assign(const std::uint8_t* bytes, int n) {
  // The source may lie inside this buffer, so copy it out before reshaping.
  const cmcBuff* self = this;
  if (n > 0 && bytes >= self->Data() && bytes < self->Data() + count_) {
    cmcBuff copy;
    copy.Append(bytes, n);
    Assign(copy.Data(), copy.Count());
    return;
  }
  SetCount(0);
  Append(bytes, n);
}

void cmcBuff::Assign(const cmcBuff& other) {
  if (&other != this) Assign(other.Data(), other.Count());
}

int cmcBuff::PopFront() {
  if (count_ <= 0) return -1;
  const int byte = block_[static_cast<std::size_t>(front_)];
  ++front_;
  --capacity_;
  --count_;
  if (front_ > kCompactThreshold) Compact();
  return byte;
}

void cmcBuff::Compact() { Reallocate(std::max(count_, 1)); }

}  // namespace rtv
