// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/TextMetrics.h"

namespace rtv {

class QtTextMetrics : public TextMetrics {
 public:
  int TextWidth(const FontDesc& font, std::string_view text) const override;
  int TextHeight(const FontDesc& font, std::string_view text) const override;
};

}  // namespace rtv
