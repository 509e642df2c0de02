// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace rtv {

class EepromImage;

// The firmware version an image was made for: four ASCII digits at 0x015A (thousands),
// 0x015C, 0x015D and 0x015E (units); 0x015B is not part of it. The radio's identification
// block carries its own version in the same layout.
class ImageVersion {
 public:
  static constexpr std::int32_t kThousands = 0x015A;
  static constexpr std::int32_t kHundreds = 0x015C;
  static constexpr std::int32_t kTens = 0x015D;
  static constexpr std::int32_t kUnits = 0x015E;

  // The number, or 0 when any of the four bytes is not a digit or lies outside the image.
  static int Read(const EepromImage& image);
  // The number in the digits at bytes 0, 2, 3 and 4 from `thousands`, or 0 when one of
  // them is not a digit.
  static int FromDigits(const std::uint8_t* thousands);
};

}  // namespace rtv
