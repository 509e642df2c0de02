// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rtv {

// Small text helpers shared by the markup readers. Overlay text is UTF-8: the scanners
// step over whole characters, so a separator is never found inside a multi-byte one.

// The position after the character that starts at `pos` (a lead byte and its
// continuation bytes; a stray continuation byte counts as one character).
std::size_t CharEnd(std::string_view text, std::size_t pos);

// The decimal number at the start of `text` as atoi reads it (leading white space, a
// sign, digits; 0 without digits), saturated instead of overflowing.
std::int64_t DecimalPrefix(std::string_view text);
// The same, also reporting how many bytes the number took (0 without digits).
std::int64_t DecimalPrefix(std::string_view text, std::size_t& used);

// Clamps to the int range.
int ToInt(std::int64_t value);

// Without leading and trailing blanks and control bytes.
std::string_view TrimBlanksAndControls(std::string_view text);

}  // namespace rtv
