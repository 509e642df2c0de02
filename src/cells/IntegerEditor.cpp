// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/IntegerEditor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace rtv {

IntegerEditor::IntegerEditor(int& value, Range range) : value_(value), range_(std::move(range)) {
  if (range_.clamp && (value_ < range_.minimum || value_ > range_.maximum)) {
    value_ = std::clamp(value_, range_.minimum, range_.maximum);
    Take();
  }
}

void IntegerEditor::Commit(CellRequest& request) {
  if (request.commit != CellCommit::Text) return;
  std::string kept;
  bool number = false;
  for (const char c : request.editText) {
    if ((c >= '0' && c <= '9') || c == '.' || c == '-') kept += c;
    number = number || (c >= '0' && c <= '9') || c == '.';
  }
  kept.resize(std::min<std::size_t>(kept.size(), 9));
  if (!number) return;
  char* end = nullptr;
  const double typed = std::strtod(kept.c_str(), &end);
  if (end == kept.c_str()) return;  // "-" or "--5": no number to take
  long long v = std::llround(typed) - range_.displayOffset;
  if (range_.step > 1) {
    v = std::llround(static_cast<double>(v) / range_.step) * range_.step;
  }
  value_ = static_cast<int>(std::clamp<long long>(v, range_.minimum, range_.maximum));
  Take();
}

std::string IntegerEditor::Text() const {
  if (range_.fixedText) return *range_.fixedText;
  return std::to_string(static_cast<long long>(value_) + range_.displayOffset);
}

AccessResult IntegerEditor::Key(CellRequest& request, CellKey key) {
  if (IsSpace(key) || key == SpecialKey::Backspace) {
    const int step = std::max(range_.step, 1);
    long long v = static_cast<long long>(value_) + (IsSpace(key) ? step : -step);
    if (v < range_.minimum) v = range_.maximum;
    if (v > range_.maximum) v = range_.minimum;
    value_ = static_cast<int>(v / step * step);
    Take();
    return AccessResult::Nothing;
  }
  if (key.IsDigit() || (key.typed() == '-' && range_.minimum < 0)) {
    return BeginTyping(request, key.typed());
  }
  if (IsEnter(key)) return BeginWithText(request, Text());
  return AccessResult::Nothing;
}

}  // namespace rtv
