// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>

namespace rtv {

// An owned, bounds-checked copy of the radio's memory, addressed as the radio does.
class EepromImage {
 public:
  EepromImage() = default;
  EepromImage(const EepromImage& other) { Assign(other); }
  EepromImage& operator=(const EepromImage& other) {
    if (this != &other) Assign(other);
    return *this;
  }

  // Resizes and clears: every byte is 0 afterwards, also when the size is unchanged.
  void SetSize(std::int32_t n);
  std::int32_t Size() const { return size_; }
  bool IsValidAddress(std::int32_t address) const { return address >= 0 && address < size_; }
  void Fill(std::uint8_t value);

  // An address outside the image is a program fault and ends the process.
  void SetByte(std::int32_t address, std::uint8_t value);
  std::uint8_t GetByte(std::int32_t address) const;

  // Copy only when the whole block lies inside the image; otherwise do nothing.
  void WriteBlock(std::int32_t address, const std::uint8_t* source, std::int32_t length);
  void ReadBlock(std::int32_t address, std::uint8_t* destination, std::int32_t length) const;

  void Assign(const EepromImage& other);
  bool Equals(const EepromImage& other) const;
  bool Differs(const EepromImage& other) const { return !Equals(other); }

  // Direct access for the item accessors; stays valid while the size does not change.
  std::uint8_t* Data() { return data_.get(); }
  const std::uint8_t* Data() const { return data_.get(); }

 private:
  bool IsValidBlock(std::int32_t address, std::int32_t length) const;

  std::int32_t size_ = 0;
  std::unique_ptr<std::uint8_t[]> data_;
};

// Inclusive address ranges; a list ends with a pair whose last address is below its first.
struct AddressRange {
  std::int32_t first;
  std::int32_t last;
};

// The part of the image that the clone file holds and the dirty check compares.
inline constexpr AddressRange kCloneRanges[] = {{0x0000, 0x2B5F}, {1, 0}};
// Extent of the memory map: every image must be at least this large.
inline constexpr std::int32_t kMemoryMapExtent = 0x2CF9;

// True when the two images differ anywhere inside the listed ranges.
bool RangesDiffer(const EepromImage& a, const EepromImage& b, const AddressRange* ranges);

}  // namespace rtv
