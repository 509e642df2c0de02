#include "radio/ImageVersion.h"

#include "radio/EepromImage.h"

namespace rtv {

int ImageVersion::Read(const EepromImage& image) {
  int number = 0;
  for (const std::int32_t address : {kThousands, kHundreds, kTens, kUnits}) {
    if (!image.IsValidAddress(address)) return 0;
    const std::uint8_t c = image.GetByte(address);
    // A byte below "0" would make a negative digit; it is no more a digit than one above "9".
    if (c < '0' || c > '9') return 0;
    number = number * 10 + (c - '0');
  }
  return number;
}

}  // namespace rtv
