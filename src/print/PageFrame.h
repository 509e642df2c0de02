// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PageRect.h"

namespace rtv {

// Where the header line, the footer line, their rules and the cells go on a printed page.
struct PageFrame {
  PageRect header;      // the sheet's title at the left, the program and revision at the right
  PageRect headerRule;  // black
  PageRect footerRule;  // black
  PageRect footer;      // the maker's name at the right
  PageRect body;        // the cells

  // The frame of a page area whose frame text is `textHeight` dots high.
  static PageFrame Layout(const PageRect& area, int textHeight);
};

}  // namespace rtv
