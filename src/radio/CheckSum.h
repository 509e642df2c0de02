// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

namespace rtv {

class EepromImage;

// The check byte of a block: the bitwise complement of the low byte of the sum of its bytes.
std::uint8_t CheckSum(std::span<const std::uint8_t> bytes);
// The same over `count` image bytes from `first`; 0 when the block does not lie in the image.
std::uint8_t CheckSum(const EepromImage& image, std::int32_t first, std::int32_t count);

}  // namespace rtv
