// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv {

class EepromImage;

// The debug compare: every byte of the image that differs from the reference copy.
class ReferenceCompare {
 public:
  static constexpr const char* kSizeMismatch = "Not match size !";

  // One line "0123 : 00 -> 5A" (address, reference byte, current byte) for each differing
  // address in ascending order, the lines parted by line feeds; the single line
  // kSizeMismatch when the sizes differ.
  static std::string Text(const EepromImage& reference, const EepromImage& image);
};

}  // namespace rtv
