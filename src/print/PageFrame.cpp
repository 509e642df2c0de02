// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PageFrame.h"

#include <algorithm>

namespace rtv {

PageFrame PageFrame::Layout(const PageRect& area, int textHeight) {
  const int h = std::max(textHeight, 1);
  const int rule = static_cast<int>(0.1 * h + 1);
  PageFrame frame;
  // The right-aligned texts end one dot inside the area, and the footer one dot above it.
  frame.header = {area.left, area.top, area.right - 1, area.top + h};
  frame.headerRule = {area.left, frame.header.bottom, area.right, frame.header.bottom + rule};
  frame.footer = {area.left, area.bottom - 1 - h, area.right - 1, area.bottom - 1};
  frame.footerRule = {area.left, frame.footer.top - rule, area.right, frame.footer.top};
  frame.body = {area.left, frame.headerRule.bottom + 5 * rule, area.right,
                frame.footerRule.top - 5 * rule};
  frame.body.bottom = std::max(frame.body.bottom, frame.body.top + 1);
  return frame;
}

}  // namespace rtv
