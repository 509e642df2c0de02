// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdlib>

#include "base/TextMetrics.h"

namespace rtv::test {

// Every character is `charWidth` pixels wide; a line is as high as the font's height.
class FixedTextMetrics : public TextMetrics {
 public:
  explicit FixedTextMetrics(int charWidth = 8) : charWidth_(charWidth) {}
  int TextWidth(const FontDesc&, std::string_view text) const override {
    int widest = 0;
    int current = 0;
    for (char c : text) {
      current = c == '\n' ? 0 : current + 1;
      widest = std::max(widest, current);
    }
    return widest * charWidth_;
  }
  int TextHeight(const FontDesc& font, std::string_view text) const override {
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    const int line = font.height != 0 ? std::abs(font.height) : std::max(font.size, 1) * 4 / 3;
    return lines * line;
  }

 private:
  int charWidth_;
};

}  // namespace rtv::test
