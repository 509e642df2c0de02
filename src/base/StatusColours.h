// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Colour.h"

namespace rtv {

// The colours of the status bar's message panel: one pair for each kind of message, so
// that a kind looks the same wherever it is told.
struct StatusColours {
  ColourValue text;
  ColourValue background;
};

// A plain message: window text on the panel's own face.
inline constexpr StatusColours kPlainStatus{ToColourValue(SystemColour::WindowText),
                                            ToColourValue(SystemColour::ButtonFace)};
// An input refused, or a cell that cannot be changed: yellow on dark red.
inline constexpr StatusColours kRefusedStatus{0x00FFFF, 0x000080};
// Something to notice in a sheet: a value taken otherwise than typed, a cell's mark.
inline constexpr StatusColours kNoticeStatus{ToColourValue(SystemColour::WindowText), 0x80FFFF};
// A radio exchange that needs attention (a stopped write, a backup not kept): black on
// light yellow.
inline constexpr StatusColours kWarningStatus{0x000000, 0x80FFFF};
// A radio exchange done: black on light green.
inline constexpr StatusColours kDoneStatus{0x000000, 0xC0FFC0};

}  // namespace rtv
