// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PageRect.h"

namespace rtv {

// What the pages of a print job are laid out for.
struct PrintSetup {
  int pageWidth = 0;  // the whole sheet of paper, in printer dots
  int pageHeight = 0;
  PageRect area;               // the page inside its margins
  int dotsPerInch = 600;       // the printer's vertical resolution
  int screenDotsPerInch = 96;  // the cells keep their screen proportions on paper
  int framePoints = 8;         // header and footer lines
  int fontPoints = 10;         // the cells
};

}  // namespace rtv
