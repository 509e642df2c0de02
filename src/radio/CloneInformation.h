// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace rtv {

// What the radio reported about itself at the last identify, as the clone information
// cells show it.
struct CloneInformation {
  static constexpr int kCommentLength = 16;

  std::string esn;    // the serial number as 2 + 8 hexadecimal characters
  int modelType = 0;  // line of the model names
  int revision = 0;
  std::array<std::uint8_t, kCommentLength> comment{};  // edited in place, space padded
  std::string option;                                  // the installed option, as text
};

}  // namespace rtv
