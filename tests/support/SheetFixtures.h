// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

#include "sheet/SheetModelHost.h"

namespace rtv::test {

// The three entries of one sheet, as overlay lines.
struct SheetEntries {
  std::string key;
  std::string style;
  std::string basicCell;
  std::vector<std::string> cells;
};

// Overlay lines holding the sheets, the texts the sheets read, the width list and the end.
std::vector<std::string> SheetOverlay(const std::vector<SheetEntries>& sheets,
                                      const std::vector<std::string>& widthList = {},
                                      const std::vector<std::string>& extra = {});

// The cell model entries ("#CellModel_..." and its line) of the program's flag-bits sheet,
// without the end: the models a markup test or fuzz target parses against.
std::vector<std::string> FlagBitsCellModels();

// A model, a view switch and a channel plan set by the test. Every plan channel and no user
// channel exists at first.
class FakeModelHost : public SheetModelHost {
 public:
  int ModelType() const override { return modelType; }
  bool UsableView() const override { return usable; }
  bool OptionInstalled() const override { return option; }
  std::uint8_t RegionFlags() const override { return regions; }
  ChannelMarks Channel(ListKind, int row) const override {
    return channels[static_cast<std::size_t>(row)];
  }
  // A user channel with a name (user 0 is row 351).
  void NameUser(int user) { channels[static_cast<std::size_t>(351 + user)].nameBlank = false; }

  int modelType = 0;
  bool usable = false;
  bool option = false;
  std::uint8_t regions = 0;
  std::array<ChannelMarks, 421> channels{};
};

}  // namespace rtv::test
