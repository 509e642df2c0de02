// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cells/CellEditor.h"

namespace rtv {

// The two frequencies of a free channel, in Hz, each with its blank flag.
struct FreeFrequencies {
  std::uint32_t rx = 0;
  std::uint32_t tx = 0;
  bool rxBlank = true;
  bool txBlank = true;
};

// One frequency of a free channel, shown in MHz with five decimals. A typed frequency is
// limited to 100–199.9875 MHz (the highest raster step below 200 MHz; the radio's word
// holds nothing between) and must lie on the channel raster (6.25 kHz) within the
// precision it was typed with.
class FrequencyEditor : public CellEditor {
 public:
  static constexpr std::uint32_t kLowest = 100'000'000;
  static constexpr std::uint32_t kHighest = 199'987'500;
  // Cell user flags: the TX cell shows "<-" for a simplex channel, or a frequency.
  static constexpr std::uint8_t kShowsSameAsRx = 1;
  static constexpr std::uint8_t kShowsFrequency = 2;
  // What the TX cell of a simplex channel shows.
  static constexpr const char* kSameAsRxText = "<-";

  FrequencyEditor(FreeFrequencies& row, bool tx, bool rowHasData);

  // "%d.%05d" MHz.
  static std::string FormatMHz(std::uint32_t hz);
  // The frequency a typed text names, limited and put on the raster; none when the text
  // names none or it is off the raster.
  static std::optional<std::uint32_t> Parse(std::string_view text);
  // The text names a frequency outside the band, which Parse limits to the nearest end.
  static bool OutsideBand(std::string_view text);
  // The raster frequency nearest to what the text names, in MHz without trailing zeros;
  // empty when the text names none.
  static std::string NearestOnRaster(std::string_view text);

  // The user flags the cell is to get after Serve.
  std::uint8_t cellFlags() const;

 protected:
  void Commit(CellRequest& request) override;
  std::string Text() const override;
  AccessResult Key(CellRequest& request, CellKey key) override;
  EditRule Rule() const override { return {0, EditCharset::Frequency}; }

 private:
  bool ShowsSameAsRx() const;
  std::string ValueText() const;

  FreeFrequencies& row_;
  const bool tx_;
  const bool rowHasData_;
};

}  // namespace rtv
