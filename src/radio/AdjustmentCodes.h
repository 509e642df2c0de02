// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace rtv {

// Which request sets each value of the adjustment sheet in the radio. The frequency shown
// beside the channel and the bars follow other values and are never sent.
class AdjustmentCodes {
 public:
  // The one value the radio takes with twelve bits (the reference oscillator's fine step).
  static constexpr std::uint8_t kTwelveBitCode = 9;
  static constexpr int kByteMaximum = 255;
  static constexpr int kTwelveBitMaximum = 0x0FFF;

  struct Code {
    std::uint8_t code = 0;
    bool twelveBit = false;
  };
  // The request of a sheet link (330–369); none for the links that are shown only.
  static std::optional<Code> Of(int cellLink);
  // The largest value a sheet link holds.
  static int Maximum(int cellLink);
};

}  // namespace rtv
