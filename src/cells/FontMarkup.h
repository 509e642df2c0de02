// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

#include "base/FontDesc.h"

namespace rtv {

// The font and colour vocabulary of cell markup.

// The value of one of the 38 colour names; nothing for any other text (the caller then
// leaves its colour as it was).
std::optional<ColourValue> ColourNumber(std::string_view name);

// Applies a font description of up to seven comma-separated fields (character set, face,
// colour, height, size, style, pitch) to a font. Empty or unknown fields leave their part
// unchanged, except the face, which every description resets to the default face unless it
// names one.
void ApplyFont(FontDesc& font, std::string_view description);

}  // namespace rtv
