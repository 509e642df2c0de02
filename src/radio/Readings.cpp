// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/Readings.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace rtv {
namespace {

constexpr double kFullScaleVolts = 3.3;
constexpr double kBatteryDivider = 6.64;

double Volts(std::uint8_t raw) { return raw * kFullScaleVolts / 255.0; }

std::string Printf(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

bool ReadHex(std::string_view text, unsigned long& out) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out, 16);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::string VoltageText(std::uint8_t raw, bool battery) {
  return Printf("%3.2f V", Volts(raw) * (battery ? kBatteryDivider : 1.0));
}

std::string TemperatureText(std::uint8_t raw) {
  if (raw == 0) return "0.00'C";
  if (raw == 255) return {};  // the thermistor reads as a short circuit
  const double v = Volts(raw);
  const double ohms = (330'000.0 - v * 100'000.0) / v;
  const double kelvin = 1.0 / (std::log(ohms / 47'000.0) * 0.00025 + 0.0033540164346805303);
  return Printf("%3.2f'C", kelvin - 273.15);
}

std::string RawDecimalText(std::uint8_t raw) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%3d", raw);
  return buffer;
}

std::string RawHexText(std::uint8_t raw) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%2X", raw);
  return buffer;
}

std::string EsnText(std::string_view esn) {
  unsigned long high = 0;
  unsigned long low = 0;
  if (esn.size() != 10 || !ReadHex(esn.substr(0, 2), high) || !ReadHex(esn.substr(2), low)) {
    return {};
  }
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02lu%06lu", high, low);
  return buffer;
}

}  // namespace rtv
