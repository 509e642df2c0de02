// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/ScaledDecimalEditor.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace rtv {

ScaledDecimalEditor::ScaledDecimalEditor(int& value, Format format)
    : value_(value), format_(std::move(format)) {}

std::string ScaledDecimalEditor::NumberText() const {
  const long long scale = std::max(format_.scale, 1);
  const long long v = value_;
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%lld.%03lld", v / scale,
                std::llabs(v * 1000 / scale % 1000));
  std::string text = buffer;
  for (int i = 0; i < format_.trim && !text.empty(); ++i) {
    const char last = text.back();
    if (last != '0' && last != '.') break;
    text.pop_back();
    if (last == '.') break;
  }
  return text;
}

std::string ScaledDecimalEditor::Text() const {
  if (format_.offAllowed && value_ == 0) return format_.offText;
  return NumberText() + format_.suffix;
}

void ScaledDecimalEditor::Commit(CellRequest& request) {
  if (request.commit != CellCommit::Text) return;
  if (format_.offAllowed) {
    std::string letters;
    for (const char c : request.editText) {
      if (std::isalpha(static_cast<unsigned char>(c))) {
        letters += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      }
    }
    if (letters.rfind("of", 0) == 0) {
      value_ = 0;
      Take();
      return;
    }
  }
  std::string kept;
  bool digit = false;
  for (const char c : request.editText) {
    const bool isDigit = c >= '0' && c <= '9';
    if (isDigit || c == '.') kept += c;
    digit = digit || isDigit;
  }
  if (!digit) return;
  kept.resize(std::min<std::size_t>(kept.size(), 9));
  const double typed = std::strtod(kept.c_str(), nullptr);
  const double scaled = (typed + 0.0005) * std::max(format_.scale, 1);
  value_ = static_cast<int>(std::clamp<double>(scaled, format_.minimum, format_.maximum));
  Take();
}

AccessResult ScaledDecimalEditor::Key(CellRequest& request, CellKey key) {
  if (IsSpace(key) || key == SpecialKey::Backspace) {
    long long v = static_cast<long long>(value_) + (IsSpace(key) ? 1 : -1);
    if (v < format_.minimum) v = format_.maximum;
    if (v > format_.maximum) v = format_.minimum;
    value_ = static_cast<int>(v);
    Take();
    return AccessResult::Nothing;
  }
  if (key.IsDigit() || key.typed() == '.' || key.typed() == 'O' || key.typed() == 'o') {
    return BeginTyping(request, key.typed());
  }
  if (IsEnter(key)) return BeginWithText(request, NumberText());
  return AccessResult::Nothing;
}

}  // namespace rtv
