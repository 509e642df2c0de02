// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

namespace rtv {

// The radio shows only the 64 characters from space (0x20) to underscore (0x5F).
// Lower-case letters become upper case; every other character becomes a space.
char ToRadioChar(char c);
void NormaliseRadioText(std::span<std::uint8_t> field);
// A free channel name: two radio characters, then only "A", "B" or space.
void NormaliseFreeName(std::span<std::uint8_t, 3> name);

}  // namespace rtv
