// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/FontMarkup.h"

#include <gtest/gtest.h>

#include <string>

namespace rtv {
namespace {

FontDesc Font(int charset, const char* face, ColourValue colour, int height, int size,
              unsigned style, int pitch) {
  FontDesc font;
  font.charset = charset;
  font.face = face;
  font.colour = colour;
  font.height = height;
  font.size = size;
  font.style = style;
  font.pitch = pitch;
  return font;
}

TEST(FontMarkupTest, AppliesTheSevenFields) {
  constexpr unsigned kU = FontDesc::kUnderline;
  constexpr unsigned kB = FontDesc::kBold;
  constexpr unsigned kI = FontDesc::kItalic;
  constexpr ColourValue kText = ToColourValue(SystemColour::WindowText);
  const FontDesc base = Font(1, "Face", kText, 16, 0, kU, 0);
  struct Case {
    FontDesc start;
    const char* description;
    FontDesc expected;
  };
  const Case cases[] = {
      // Every description resets the face unless it names one.
      {base, "", Font(1, "", kText, 16, 0, kU, 0)},
      {base, ",Courier New", Font(1, "Courier New", kText, 16, 0, kU, 0)},
      {base, ", \tMono ", Font(1, "Mono ", kText, 16, 0, kU, 0)},
      // Keywords match whole and case-sensitive; blanks may surround them.
      {base, "SHIFTJIS_CHARSET", Font(128, "", kText, 16, 0, kU, 0)},
      {base, "  OEM_CHARSET \t", Font(255, "", kText, 16, 0, kU, 0)},
      {base, "shiftjis_charset", Font(1, "", kText, 16, 0, kU, 0)},
      {base, "OEM_CHARSETX", Font(1, "", kText, 16, 0, kU, 0)},
      {base, ",,clRed", Font(1, "", 0x0000FF, 16, 0, kU, 0)},
      {base, ",, clBtnFace", Font(1, "", 0x8000000F, 16, 0, kU, 0)},
      {base, ",,clNone", Font(1, "", kText, 16, 0, kU, 0)},
      // Heights in pixels or in percent of the current height, never 0.
      {base, ",,,-17", Font(1, "", kText, -17, 0, kU, 0)},
      {base, ",,,%50", Font(1, "", kText, 8, 0, kU, 0)},
      {base, ",,,%150", Font(1, "", kText, 24, 0, kU, 0)},
      {Font(1, "", kText, 1, 0, 0, 0), ",,,%50", Font(1, "", kText, 1, 0, 0, 0)},
      {Font(1, "", kText, -17, 0, 0, 0), ",,,%50", Font(1, "", kText, -8, 0, 0, 0)},
      {Font(1, "", kText, -1, 0, 0, 0), ",,,%10", Font(1, "", kText, -1, 0, 0, 0)},
      {base, ",,,0", Font(1, "", kText, 16, 0, kU, 0)},
      {base, ",,,abc", Font(1, "", kText, 16, 0, kU, 0)},
      {base, ",,,%0", Font(1, "", kText, 16, 0, kU, 0)},
      {base, ",,,99999999999999", Font(1, "", kText, 32767, 0, kU, 0)},
      {base, ",,,%99999999999999", Font(1, "", kText, 32767, 0, kU, 0)},
      // A size in points replaces the pixel height; a percentage scales whichever is set.
      {base, ",,,,12", Font(1, "", kText, 0, 12, kU, 0)},
      {base, ",,,,%50", Font(1, "", kText, 8, 0, kU, 0)},
      {Font(1, "", kText, 0, 12, 0, 0), ",,,%50", Font(1, "", kText, 0, 6, 0, 0)},
      {base, ",,,,0", Font(1, "", kText, 16, 0, kU, 0)},
      // Styles: cleared at the first listed name, then each listed name added.
      {base, ",,,,,fsBold+fsItalic", Font(1, "", kText, 16, 0, kB | kI, 0)},
      {base, ",,,,,fsBold + fsItalic", Font(1, "", kText, 16, 0, kB | kI, 0)},
      {base, ",,,,,fsNothing+fsItalic", Font(1, "", kText, 16, 0, kI, 0)},
      {base, ",,,,,fsNothing", Font(1, "", kText, 16, 0, kU, 0)},
      {base, ",,,,,fsbold", Font(1, "", kText, 16, 0, kU, 0)},
      {base, ",,,,,fsStrikeOut+fsUnderline",
       Font(1, "", kText, 16, 0, FontDesc::kStrikeOut | kU, 0)},
      {base, ",,,,,,fpFixed", Font(1, "", kText, 16, 0, kU, 2)},
      {base, ",,,,,,fpVariable", Font(1, "", kText, 16, 0, kU, 1)},
      {Font(1, "", kText, 16, 0, 0, 2), ",,,,,,fpDefault", Font(1, "", kText, 16, 0, 0, 0)},
      {base, ",,,,,,fpfixed", Font(1, "", kText, 16, 0, kU, 0)},
      // Only seven fields count.
      {base, ",,,,,,fpFixed,clRed,-5", Font(1, "", kText, 16, 0, kU, 2)},
      {base, "DEFAULT_CHARSET,,clWindowText,-17,,,", Font(1, "", kText, -17, 0, kU, 0)},
  };
  for (const Case& c : cases) {
    FontDesc font = c.start;
    ApplyFont(font, c.description);
    EXPECT_EQ(font, c.expected) << "'" << c.description << "'";
  }
}

TEST(FontMarkupTest, ColourNames) {
  struct Case {
    const char* name;
    ColourValue value;
  };
  const Case known[] = {
      {"clAqua", 0xFFFF00},           {"clMaroon", 0x000080},
      {"clNavy", 0x800000},           {"clYellow", 0x00FFFF},
      {"clDkGray", 0x808080},         {"clLtGray", 0xC0C0C0},
      {"clBackground", 0x80000001},   {"clWindow", 0x80000005},
      {"clGrayText", 0x80000011},     {"clHightlightText", 0x8000000E},
      {"clBtnHighlight", 0x80000014},
  };
  for (const Case& c : known) EXPECT_EQ(ColourNumber(c.name), c.value) << c.name;
  for (const char* unknown : {"", "clred", "clRed ", "clHighlightText", "clNone"}) {
    EXPECT_EQ(ColourNumber(unknown), std::nullopt) << unknown;
  }
}

}  // namespace
}  // namespace rtv
