// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/ReferenceCompare.h"

#include <cstdio>

#include "radio/EepromImage.h"

namespace rtv {

std::string ReferenceCompare::Text(const EepromImage& reference, const EepromImage& image) {
  if (reference.Size() != image.Size()) return kSizeMismatch;
  std::string text;
  const std::uint8_t* before = reference.Data();
  const std::uint8_t* now = image.Data();
  for (int address = 0; address < image.Size(); ++address) {
    if (before[address] == now[address]) continue;
    char line[32];
    std::snprintf(line, sizeof line, "%04X : %02X -> %02X", address, before[address], now[address]);
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

}  // namespace rtv
