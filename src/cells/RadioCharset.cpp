// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/RadioCharset.h"

namespace rtv {

char ToRadioChar(char c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  const auto u = static_cast<unsigned char>(c);
  return u >= 0x20 && u <= 0x5F ? c : ' ';
}

void NormaliseRadioText(std::span<std::uint8_t> field) {
  for (std::uint8_t& b : field) b = static_cast<std::uint8_t>(ToRadioChar(static_cast<char>(b)));
}

void NormaliseFreeName(std::span<std::uint8_t, 3> name) {
  NormaliseRadioText(name.first<2>());
  const char last = ToRadioChar(static_cast<char>(name[2]));
  name[2] = static_cast<std::uint8_t>(last == 'A' || last == 'B' ? last : ' ');
}

}  // namespace rtv
