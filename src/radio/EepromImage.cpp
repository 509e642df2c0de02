// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/EepromImage.h"

#include <algorithm>
#include <cstring>

#include "base/Fatal.h"

namespace rtv {

void EepromImage::SetSize(std::int32_t n) {
  if (n != size_) {
    data_.reset();
    size_ = 0;
    if (n > 0) {
      data_ = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(n));
      size_ = n;
    }
  }
  if (n > 0) Fill(0);
}

void EepromImage::Fill(std::uint8_t value) {
  if (data_) std::memset(data_.get(), value, static_cast<std::size_t>(size_));
}

void EepromImage::SetByte(std::int32_t address, std::uint8_t value) {
  if (!IsValidAddress(address)) FatalError("Out of EEPROM image address (SetByte).");
  data_[static_cast<std::size_t>(address)] = value;
}

std::uint8_t EepromImage::GetByte(std::int32_t address) const {
  if (!IsValidAddress(address)) FatalError("Out of EEPROM image address (GetByte).");
  return data_[static_cast<std::size_t>(address)];
}

bool EepromImage::IsValidBlock(std::int32_t address, std::int32_t length) const {
  // Compared in 64 bits so that a huge length cannot wrap around.
  return IsValidAddress(address) && length >= 1 &&
         static_cast<std::int64_t>(address) + length <= size_;
}

void EepromImage::WriteBlock(std::int32_t address, const std::uint8_t* source,
                             std::int32_t length) {
  if (!IsValidBlock(address, length) || source == nullptr) return;
  std::memmove(data_.get() + address, source, static_cast<std::size_t>(length));
}

void EepromImage::ReadBlock(std::int32_t address, std::uint8_t* destination,
                            std::int32_t length) const {
  if (!IsValidBlock(address, length) || destination == nullptr) return;
  std::memmove(destination, data_.get() + address, static_cast<std::size_t>(length));
}

void EepromImage::Assign(const EepromImage& other) {
  if (this == &other) return;
  SetSize(other.size_);
  other.ReadBlock(0, data_.get(), size_);
}

bool EepromImage::Equals(const EepromImage& other) const {
  if (size_ != other.size_) return false;
  if (size_ == 0) return true;
  return std::memcmp(data_.get(), other.data_.get(), static_cast<std::size_t>(size_)) == 0;
}

bool RangesDiffer(const EepromImage& a, const EepromImage& b, const AddressRange* ranges) {
  for (const AddressRange* r = ranges; r->last >= r->first; ++r) {
    // Each side is copied into a zero-filled buffer of the range's length, so a range
    // that reaches past either image compares as zero bytes there.
    const std::int32_t length = r->last - r->first + 1;
    EepromImage left, right;
    left.SetSize(length);
    right.SetSize(length);
    const std::int32_t availableA = std::clamp(a.Size() - r->first, 0, length);
    const std::int32_t availableB = std::clamp(b.Size() - r->first, 0, length);
    if (a.IsValidAddress(r->first)) left.WriteBlock(0, a.Data() + r->first, availableA);
    if (b.IsValidAddress(r->first)) right.WriteBlock(0, b.Data() + r->first, availableB);
    if (left.Differs(right)) return true;
  }
  return false;
}

}  // namespace rtv
