#pragma once

#include <cstdint>
#include <string>

namespace rtv {

// A colour as 0x00BBGGRR, or a system colour as 0x800000nn.
using ColourValue = std::uint32_t;

// A font as the cell markup describes it; the widgets layer turns it into a QFont.
struct FontDesc {
  enum Style : unsigned { kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8 };

  int charset = 1;                  // DEFAULT_CHARSET
  std::string face;                 // empty: the platform's default UI face
  ColourValue colour = 0x80000008;  // clWindowText
  int height = -17;                 // pixels; negative is the character height without leading
  int size = 0;                     // points; used when height is 0
  unsigned style = 0;               // Style bits
  int pitch = 0;                    // 0 default, 1 variable, 2 fixed

  bool operator==(const FontDesc&) const = default;
};

}  // namespace rtv
