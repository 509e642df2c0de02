// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace rtv {

// A colour as 0x00BBGGRR, or a system colour as 0x800000nn: as the overlay gives them.
using ColourValue = std::uint32_t;

// The colours the desktop's theme decides. The numbers are those the overlay's names
// (clWindow, clBtnFace, ...) stand for.
enum class SystemColour : std::uint8_t {
  ScrollBar = 0,
  Desktop = 1,  // clBackground
  ActiveCaption = 2,
  InactiveCaption = 3,
  Menu = 4,
  Window = 5,
  WindowFrame = 6,
  MenuText = 7,
  WindowText = 8,
  CaptionText = 9,
  ActiveBorder = 10,
  InactiveBorder = 11,
  AppWorkspace = 12,
  Highlight = 13,
  HighlightText = 14,
  ButtonFace = 15,
  ButtonShadow = 16,
  GreyText = 17,
  ButtonText = 18,
  InactiveCaptionText = 19,
  ButtonHighlight = 20,
  DarkShadow3D = 21,
  Light3D = 22,
  InfoText = 23,
  InfoBackground = 24,
};

inline constexpr ColourValue kSystemColourMark = 0x80000000;

// A system colour as a colour value holds it.
constexpr ColourValue ToColourValue(SystemColour colour) {
  return kSystemColourMark | static_cast<ColourValue>(colour);
}

// The system colour a value stands for; none for a plain colour. The low byte is taken as
// it is, so a number without a name here is still a system colour.
constexpr std::optional<SystemColour> SystemColourOf(ColourValue value) {
  if ((value & 0xFF000000u) != kSystemColourMark) return std::nullopt;
  return static_cast<SystemColour>(value & 0xFFu);
}

}  // namespace rtv
