// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rtv {

// Texts of the radio's 8-bit A/D readings and of its serial number.
std::string VoltageText(std::uint8_t raw, bool battery);  // "%3.2f V"
std::string TemperatureText(std::uint8_t raw);            // "%3.2f'C"
std::string RawDecimalText(std::uint8_t raw);             // "%3d"
std::string RawHexText(std::uint8_t raw);                 // "%2X"
// The 2 + 8 hexadecimal characters of the serial number shown as "%02d%06ld"; empty when
// the characters are not all hexadecimal digits.
std::string EsnText(std::string_view esn);

}  // namespace rtv
