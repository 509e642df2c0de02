// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/BarEditor.h"

#include <algorithm>

namespace rtv {

BarEditor::BarEditor(int value, int minimum, int maximum)
    : value_(value), minimum_(minimum), maximum_(maximum) {}

std::string BarEditor::Bar(int value, int minimum, int maximum) {
  // A value outside the range, or an empty range, must not overrun the bar.
  const long long span = static_cast<long long>(maximum) - minimum;
  const long long n = span <= 0
                          ? 0
                          : std::clamp((static_cast<long long>(value) - minimum) * kSteps / span,
                                       0LL, static_cast<long long>(kSteps));
  return "[" + std::string(static_cast<std::size_t>(n), '#') +
         std::string(static_cast<std::size_t>(kSteps - n), '-') + "]";
}

}  // namespace rtv
