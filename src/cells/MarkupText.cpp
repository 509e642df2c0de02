// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/MarkupText.h"

#include <algorithm>
#include <limits>

namespace rtv {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool IsBlankOrControl(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u <= 0x20 || u == 0x7F;
}

constexpr std::int64_t kSaturation = std::int64_t{1} << 40;

}  // namespace

std::size_t CharEnd(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return text.size();
  std::size_t end = pos + 1;
  if (static_cast<unsigned char>(text[pos]) >= 0xC0) {
    while (end < text.size() && end - pos < 4 && IsContinuation(text[end])) ++end;
  }
  return end;
}

std::int64_t DecimalPrefix(std::string_view text) {
  std::size_t used = 0;
  return DecimalPrefix(text, used);
}

std::int64_t DecimalPrefix(std::string_view text, std::size_t& used) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t digitsStart = i;
  std::int64_t value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = std::min(value * 10 + (text[i] - '0'), kSaturation);
    ++i;
  }
  used = i == digitsStart ? 0 : i;
  return negative ? -value : value;
}

int ToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

std::string_view TrimBlanksAndControls(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace rtv
