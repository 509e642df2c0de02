// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace rtv {

// The image bits that the model puts back from its template whenever an image is
// normalised for saving or writing. A cell over such bits cannot keep an edit, so it is
// shown read-only for that model rather than taking a value that the next save reverts.
class ModelFixedFields {
 public:
  // The bits of the byte at `address` that the model of `modelType` fixes.
  static std::uint8_t Mask(int modelType, std::int32_t address);
  // Whether any of `mask`'s bits of the bytes first … last are fixed.
  static bool Covers(int modelType, std::int32_t first, std::int32_t last, std::uint8_t mask);
};

}  // namespace rtv
