// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rtv {

// The printing font size: the five choices "1" to "5" of the preview's setting stand for
// 8 to 12 points, stored in points.
class PrintFontSize {
 public:
  static constexpr int kSmallest = 8;
  static constexpr int kLargest = 12;
  static constexpr int kChoices = kLargest - kSmallest + 1;

  static int PointsOfChoice(int choice);  // 1…5; outside: the nearest
  static int ChoiceOfPoints(int points);
  // A font height in dots (negative: the character height) for a size in points.
  static int FontHeight(int points, int dotsPerInch);
};

}  // namespace rtv
