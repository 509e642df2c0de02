// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace rtv {

class EepromImage;

// Where an image differs from a reference copy of it. Only the bytes both images hold
// are compared; images of different sizes have no common differences to step through.
class DifferingBytes {
 public:
  // The first differing address after `from`, going on from address 0 after the end.
  static std::optional<int> Next(const EepromImage& reference, const EepromImage& image, int from);
  // The last differing address before `from`; none before address 0.
  static std::optional<int> Previous(const EepromImage& reference, const EepromImage& image,
                                     int from);
};

}  // namespace rtv
