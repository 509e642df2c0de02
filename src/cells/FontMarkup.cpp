// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/FontMarkup.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "cells/MarkupText.h"
#include "overlay/NameTable.h"

namespace rtv {
namespace {

struct Named {
  std::string_view name;
  std::int64_t value;
};

constexpr Named kCharsets[] = {
    {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
};

constexpr Named kColours[] = {
    {"clAqua", 0xFFFF00},
    {"clBlack", 0x000000},
    {"clBlue", 0xFF0000},
    {"clDkGray", 0x808080},
    {"clFuchsia", 0xFF00FF},
    {"clGray", 0x808080},
    {"clGreen", 0x008000},
    {"clLime", 0x00FF00},
    {"clLtGray", 0xC0C0C0},
    {"clMaroon", 0x000080},
    {"clNavy", 0x800000},
    {"clOlive", 0x008080},
    {"clPurple", 0x800080},
    {"clRed", 0x0000FF},
    {"clSilver", 0xC0C0C0},
    {"clTeal", 0x808000},
    {"clWhite", 0xFFFFFF},
    {"clYellow", 0x00FFFF},
    {"clBackground", ToColourValue(SystemColour::Desktop)},
    {"clActiveCaption", ToColourValue(SystemColour::ActiveCaption)},
    {"clInactiveCaption", ToColourValue(SystemColour::InactiveCaption)},
    {"clMenu", ToColourValue(SystemColour::Menu)},
    {"clWindow", ToColourValue(SystemColour::Window)},
    {"clWindowFrame", ToColourValue(SystemColour::WindowFrame)},
    {"clMenuText", ToColourValue(SystemColour::MenuText)},
    {"clWindowText", ToColourValue(SystemColour::WindowText)},
    {"clCaptionText", ToColourValue(SystemColour::CaptionText)},
    {"clActiveBorder", ToColourValue(SystemColour::ActiveBorder)},
    {"clInactiveBorder", ToColourValue(SystemColour::InactiveBorder)},
    {"clAppWorkSpace", ToColourValue(SystemColour::AppWorkspace)},
    {"clHighlight", ToColourValue(SystemColour::Highlight)},
    {"clHightlightText",
     ToColourValue(SystemColour::HighlightText)},  // sic: the overlay's spelling
    {"clBtnFace", ToColourValue(SystemColour::ButtonFace)},
    {"clBtnShadow", ToColourValue(SystemColour::ButtonShadow)},
    {"clGrayText", ToColourValue(SystemColour::GreyText)},
    {"clBtnText", ToColourValue(SystemColour::ButtonText)},
    {"clInactiveCaptionText", ToColourValue(SystemColour::InactiveCaptionText)},
    {"clBtnHighlight", ToColourValue(SystemColour::ButtonHighlight)},
};

constexpr Named kStyles[] = {
    {"fsBold", FontDesc::kBold},
    {"fsItalic", FontDesc::kItalic},
    {"fsUnderline", FontDesc::kUnderline},
    {"fsStrikeOut", FontDesc::kStrikeOut},
};

constexpr Named kPitches[] = {{"fpDefault", 0}, {"fpFixed", 2}, {"fpVariable", 1}};

// Largest pixel height or point size a description can set; keeps scaling arithmetic sane.
constexpr std::int64_t kMaxFontMagnitude = 32767;

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

// A keyword matches only whole: after it nothing but blanks or tabs.
template <std::size_t N>
std::optional<std::int64_t> Keyword(const Named (&table)[N], std::string_view field) {
  while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.remove_suffix(1);
  for (const Named& entry : table) {
    if (entry.name == field) return entry.value;
  }
  return std::nullopt;
}

std::int64_t Clamp(std::int64_t value) {
  return std::clamp(value, -kMaxFontMagnitude, kMaxFontMagnitude);
}

// "%" n scales the font's current magnitude, which is its height, or its size for a font
// given in points; the result keeps its sign and is never 0.
void ScaleFont(FontDesc& font, std::int64_t percent) {
  int& magnitude = font.height != 0 ? font.height : font.size;
  std::int64_t scaled = Clamp(static_cast<std::int64_t>(magnitude) * percent / 100);
  if (scaled == 0) scaled = magnitude < 0 ? -1 : 1;
  magnitude = static_cast<int>(scaled);
}

void ApplyHeight(FontDesc& font, std::string_view field) {
  if (!field.empty() && field.front() == '%') {
    const std::int64_t percent = DecimalPrefix(field.substr(1));
    if (percent != 0) ScaleFont(font, percent);
    return;
  }
  const std::int64_t pixels = Clamp(DecimalPrefix(field));
  if (pixels != 0) font.height = static_cast<int>(pixels);
}

void ApplySize(FontDesc& font, std::string_view field) {
  if (!field.empty() && field.front() == '%') {
    const std::int64_t percent = DecimalPrefix(field.substr(1));
    if (percent != 0) ScaleFont(font, percent);
    return;
  }
  const std::int64_t points = Clamp(DecimalPrefix(field));
  if (points == 0) return;
  // A size in points replaces the pixel height: the two are one measure.
  font.size = static_cast<int>(points);
  font.height = 0;
}

void ApplyStyle(FontDesc& font, std::string_view field) {
  bool cleared = false;
  while (true) {
    const std::size_t plus = field.find('+');
    const auto style = Keyword(kStyles, SkipBlanks(field.substr(0, plus)));
    if (style) {
      if (!cleared) font.style = 0;
      cleared = true;
      font.style |= static_cast<unsigned>(*style);
    }
    if (plus == std::string_view::npos) break;
    field.remove_prefix(plus + 1);
  }
}

}  // namespace

std::optional<ColourValue> ColourNumber(std::string_view name) {
  static NameTable table(101);
  if (table.Count() == 0) {
    for (const Named& colour : kColours) table.Add(colour.name, static_cast<int>(colour.value));
  }
  const auto value = table.Find(name);
  if (!value) return std::nullopt;
  return static_cast<ColourValue>(*value);
}

void ApplyFont(FontDesc& font, std::string_view description) {
  font.face.clear();  // the default face, unless the description names one
  for (int fieldNumber = 1; fieldNumber <= 7; ++fieldNumber) {
    const std::size_t comma = description.find(',');
    const std::string_view field = SkipBlanks(description.substr(0, comma));
    switch (fieldNumber) {
      case 1:
        if (const auto charset = Keyword(kCharsets, field))
          font.charset = static_cast<int>(*charset);
        break;
      case 2:
        if (!field.empty()) font.face = std::string(field);
        break;
      case 3:
        if (const auto colour = ColourNumber(field)) font.colour = *colour;
        break;
      case 4:
        ApplyHeight(font, field);
        break;
      case 5:
        ApplySize(font, field);
        break;
      case 6:
        ApplyStyle(font, field);
        break;
      case 7:
        if (const auto pitch = Keyword(kPitches, field)) font.pitch = static_cast<int>(*pitch);
        break;
    }
    if (comma == std::string_view::npos) break;
    description.remove_prefix(comma + 1);
  }
}

}  // namespace rtv
