// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/PlainTextMetrics.h"

#include <algorithm>
#include <cstdlib>

namespace rtv {
namespace {

int LineHeight(const FontDesc& font) {
  return font.height != 0 ? std::abs(font.height) : std::max(font.size, 1) * 4 / 3;
}

}  // namespace

int PlainTextMetrics::TextWidth(const FontDesc& font, std::string_view text) const {
  const int charWidth = std::max(LineHeight(font) / 2, 1);
  int widest = 0;
  int current = 0;
  for (char c : text) {
    // Continuation bytes of a UTF-8 character add nothing.
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;
    current = c == '\n' ? 0 : current + 1;
    widest = std::max(widest, current);
  }
  return widest * charWidth;
}

int PlainTextMetrics::TextHeight(const FontDesc& font, std::string_view text) const {
  return LineHeight(font) * (1 + static_cast<int>(std::count(text.begin(), text.end(), '\n')));
}

}  // namespace rtv
