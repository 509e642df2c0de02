// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/DifferingBytes.h"

#include <algorithm>

#include "radio/EepromImage.h"

namespace rtv {
namespace {

bool Differs(const EepromImage& reference, const EepromImage& image, int address) {
  return reference.GetByte(address) != image.GetByte(address);
}

}  // namespace

std::optional<int> DifferingBytes::Next(const EepromImage& reference, const EepromImage& image,
                                        int from) {
  const int size = image.Size();
  if (size <= 0 || reference.Size() != size) return std::nullopt;
  const int start = from < 0 || from >= size ? 0 : from + 1;
  for (int step = 0; step < size; ++step) {
    const int address = (start + step) % size;
    if (Differs(reference, image, address)) return address;
  }
  return std::nullopt;
}

std::optional<int> DifferingBytes::Previous(const EepromImage& reference, const EepromImage& image,
                                            int from) {
  const int size = image.Size();
  if (size <= 0 || reference.Size() != size) return std::nullopt;
  for (int address = std::min(from, size) - 1; address >= 0; --address) {
    if (Differs(reference, image, address)) return address;
  }
  return std::nullopt;
}

}  // namespace rtv
