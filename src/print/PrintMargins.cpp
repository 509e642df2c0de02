// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintMargins.h"

#include <array>
#include <charconv>

namespace rtv {
namespace {

constexpr double kInchesPerMillimetre = 0.03937007874015748;

double Number(std::string_view field) {
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  (void)end;
  return error == std::errc() && value > 0 ? value : 0;
}

int Dots(double millimetres, int dotsPerInch) {
  return static_cast<int>(millimetres * dotsPerInch * kInchesPerMillimetre);
}

}  // namespace

PrintMargins PrintMargins::Parse(std::string_view line) {
  std::array<double, 4> values{};
  for (double& value : values) {
    const std::size_t comma = line.find(',');
    value = Number(line.substr(0, comma));
    if (comma == std::string_view::npos) break;
    line.remove_prefix(comma + 1);
  }
  return {values[0], values[1], values[2], values[3]};
}

PageRect PrintMargins::PageArea(int pageWidth, int pageHeight, int dotsPerInch) const {
  return {Dots(left, dotsPerInch), Dots(top, dotsPerInch), pageWidth - Dots(right, dotsPerInch),
          pageHeight - Dots(bottom, dotsPerInch)};
}

}  // namespace rtv
