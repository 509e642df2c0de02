// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "base/FontDesc.h"

namespace rtv {

// Measures text in a font, in pixels.
class TextMetrics {
 public:
  virtual ~TextMetrics() = default;
  virtual int TextWidth(const FontDesc& font, std::string_view text) const = 0;
  virtual int TextHeight(const FontDesc& font, std::string_view text) const = 0;
};

}  // namespace rtv
