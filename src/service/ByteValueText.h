// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv {

class EepromImage;

// What the memory window's label says of the byte at an address: the byte in hexadecimal,
// unsigned and signed, then the 16-bit value of it and the next byte (low byte first) the
// same three ways. Past the end of the image the high byte counts as 0.
class ByteValueText {
 public:
  static std::string Of(const EepromImage& image, int address);
};

}  // namespace rtv
