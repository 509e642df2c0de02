// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/ImageVersion.h"

#include "radio/EepromImage.h"

namespace rtv {

int ImageVersion::Read(const EepromImage& image) {
  if (!image.IsValidAddress(kUnits)) return 0;  // the highest of the four
  return FromDigits(image.Data() + kThousands);
}

int ImageVersion::FromDigits(const std::uint8_t* thousands) {
  int number = 0;
  for (const std::int32_t offset :
       {0, kHundreds - kThousands, kTens - kThousands, kUnits - kThousands}) {
    const std::uint8_t c = thousands[offset];
    // A byte below "0" would make a negative digit; it is no more a digit than one above "9".
    if (c < '0' || c > '9') return 0;
    number = number * 10 + (c - '0');
  }
  return number;
}

}  // namespace rtv
