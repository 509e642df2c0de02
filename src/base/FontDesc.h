// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "base/Colour.h"

namespace rtv {

// A font as the cell markup describes it; the widgets layer turns it into a QFont.
struct FontDesc {
  enum Style : unsigned { kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8 };

  int charset = 1;   // DEFAULT_CHARSET
  std::string face;  // empty: the platform's default UI face
  ColourValue colour = ToColourValue(SystemColour::WindowText);
  int height = -17;    // pixels; negative is the character height without leading
  int size = 0;        // points; used when height is 0
  unsigned style = 0;  // Style bits
  int pitch = 0;       // 0 default, 1 variable, 2 fixed

  bool operator==(const FontDesc&) const = default;
};

}  // namespace rtv
