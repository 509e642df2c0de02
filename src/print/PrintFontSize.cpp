// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintFontSize.h"

#include <algorithm>

namespace rtv {

int PrintFontSize::PointsOfChoice(int choice) {
  return std::clamp(choice, 1, kChoices) + kSmallest - 1;
}

int PrintFontSize::ChoiceOfPoints(int points) {
  return std::clamp(points, kSmallest, kLargest) - kSmallest + 1;
}

int PrintFontSize::FontHeight(int points, int dotsPerInch) {
  return -std::max(points * dotsPerInch / 72, 1);
}

}  // namespace rtv
