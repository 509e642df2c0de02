// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/ByteValueText.h"

#include <cstdint>
#include <cstdio>

#include "radio/EepromImage.h"

namespace rtv {

std::string ByteValueText::Of(const EepromImage& image, int address) {
  if (address < 0 || address >= image.Size()) return {};
  const std::uint8_t low = image.GetByte(address);
  const std::uint8_t high = address + 1 < image.Size() ? image.GetByte(address + 1) : 0;
  const int word = low | high << 8;
  char text[64];
  std::snprintf(text, sizeof text, "%02X, %d, %d, \n%04X, %d, %d", low, low,
                static_cast<std::int8_t>(low), word, word, static_cast<std::int16_t>(word));
  return text;
}

}  // namespace rtv
