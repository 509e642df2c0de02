// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Colour.h"

#include <gtest/gtest.h>

#include <optional>

namespace rtv {
namespace {

// The numbers are the overlay's: clWindow is 0x80000005, clBtnFace 0x8000000F, ...
TEST(ColourTest, SystemColoursAreHeldAsTheOverlayGivesThem) {
  struct Case {
    SystemColour colour;
    ColourValue value;
  };
  const Case cases[] = {
      {SystemColour::ScrollBar, 0x80000000},      {SystemColour::Desktop, 0x80000001},
      {SystemColour::Window, 0x80000005},         {SystemColour::WindowText, 0x80000008},
      {SystemColour::Highlight, 0x8000000D},      {SystemColour::HighlightText, 0x8000000E},
      {SystemColour::ButtonFace, 0x8000000F},     {SystemColour::GreyText, 0x80000011},
      {SystemColour::InfoBackground, 0x80000018},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToColourValue(c.colour), c.value) << static_cast<int>(c.colour);
    EXPECT_EQ(SystemColourOf(c.value), c.colour) << std::hex << c.value;
  }
}

TEST(ColourTest, PlainColoursAreNoSystemColours) {
  for (const ColourValue plain : {0x000000u, 0x0000FFu, 0xFFFFFFu, 0x00C0C0C0u, 0x00800005u,
                                  0x40000005u, 0xC0000005u, 0x7F000008u}) {
    EXPECT_EQ(SystemColourOf(plain), std::nullopt) << std::hex << plain;
  }
  // A number without a name is still a system colour: the platform decides what it shows.
  EXPECT_EQ(SystemColourOf(0x80000019), static_cast<SystemColour>(25));
}

}  // namespace
}  // namespace rtv
