// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/TextMetrics.h"

namespace rtv {

// A measure for sheets built without a screen (export, import, the command line): every
// character is as wide as it is on average in the font, every line as high as the font.
// Widths only size columns, so a rough measure leaves every text as the sheet view shows it.
class PlainTextMetrics : public TextMetrics {
 public:
  int TextWidth(const FontDesc& font, std::string_view text) const override;
  int TextHeight(const FontDesc& font, std::string_view text) const override;
};

}  // namespace rtv
