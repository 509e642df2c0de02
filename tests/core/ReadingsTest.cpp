// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/Readings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace rtv {
namespace {

TEST(ReadingsTest, Voltages) {
  EXPECT_EQ(VoltageText(0, false), "0.00 V");
  EXPECT_EQ(VoltageText(255, false), "3.30 V");
  EXPECT_EQ(VoltageText(100, false), "1.29 V");
  EXPECT_EQ(VoltageText(255, true), "21.91 V");  // 3.3 V × 6.64
  EXPECT_EQ(VoltageText(0, true), "0.00 V");
}

double Degrees(const std::string& text) {
  EXPECT_EQ(text.substr(text.size() - 2), "'C") << text;
  return std::strtod(text.c_str(), nullptr);
}

TEST(ReadingsTest, Temperatures) {
  EXPECT_EQ(TemperatureText(0), "0.00'C");
  EXPECT_EQ(TemperatureText(255), "");
  EXPECT_EQ(TemperatureText(128), "9.27'C");
  // The thermistor has 47 kΩ at 25 °C, between the readings 173 and 174.
  EXPECT_LT(Degrees(TemperatureText(173)), 25.0);
  EXPECT_GT(Degrees(TemperatureText(174)), 25.0);
  // Rising readings are rising temperatures over the whole scale.
  double last = -1000;
  for (int raw = 1; raw < 255; ++raw) {
    const double now = Degrees(TemperatureText(static_cast<std::uint8_t>(raw)));
    EXPECT_GT(now, last) << raw;
    last = now;
  }
}

TEST(ReadingsTest, RawForms) {
  struct Case {
    std::uint8_t raw;
    const char* decimal;
    const char* hex;
  };
  const Case cases[] = {{0, "  0", " 0"}, {7, "  7", " 7"}, {10, " 10", " A"}, {255, "255", "FF"}};
  for (const Case& c : cases) {
    EXPECT_EQ(RawDecimalText(c.raw), c.decimal);
    EXPECT_EQ(RawHexText(c.raw), c.hex);
  }
}

TEST(ReadingsTest, SerialNumbers) {
  struct Case {
    const char* esn;
    const char* text;
  };
  const Case cases[] = {
      {"0A00000100", "10000256"},
      {"0000000001", "00000001"},
      {"01000F4240", "011000000"},  // more than six digits are all shown
      {"ff000000ff", "255000255"},
      {"0A0000010G", ""},
      {"0A-0000100", ""},
      {"0A0000010", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(EsnText(c.esn), c.text) << c.esn;
}

}  // namespace
}  // namespace rtv
