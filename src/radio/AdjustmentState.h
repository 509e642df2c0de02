// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace rtv {

// The values of adjust mode that do not live in the image: the adjustment sheet values
// exchanged with the radio and the raw A/D readings it reported.
struct AdjustmentState {
  static constexpr int kSheetValues = 40;  // cell links 330–369; a bar shows the value before it
  static constexpr int kReadings = 15;     // the A/D readings family, three cells a reading
  static constexpr int kValueMaximum = 255;

  std::array<int, kSheetValues> sheet{};
  std::array<std::uint8_t, kReadings> readings{};
};

}  // namespace rtv
