// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/CheckSum.h"

#include "radio/EepromImage.h"

namespace rtv {

std::uint8_t CheckSum(std::span<const std::uint8_t> bytes) {
  unsigned sum = 0;
  for (const std::uint8_t b : bytes) sum += b;
  return static_cast<std::uint8_t>(~sum & 0xFFu);
}

std::uint8_t CheckSum(const EepromImage& image, std::int32_t first, std::int32_t count) {
  if (count < 1 || !image.IsValidAddress(first) || !image.IsValidAddress(first + count - 1)) {
    return 0;
  }
  return CheckSum(
      std::span<const std::uint8_t>(image.Data() + first, static_cast<std::size_t>(count)));
}

}  // namespace rtv
