// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "print/PrintMargins.h"

namespace rtv {

class OverlayText;

// What the overlay says about printed pages: the margins, the frame's texts and size.
struct PrintStyle {
  PrintMargins margins;
  int framePoints = 8;
  std::string headerRight;  // the program's title and revision
  std::string footer;       // the maker

  static PrintStyle FromOverlay(OverlayText& overlay);
};

}  // namespace rtv
