// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

#include "sheet/Sheet.h"

namespace rtv {

class SheetModelHost;

// The sheet of every window of the program: it skips lines whose model condition is false,
// labels its title for the usable view and, for the INT, USA and CAN channel tables, lists
// only the channels that exist and numbers its rows with them.
class ModelSheet : public Sheet {
 public:
  static constexpr int kLastChannel = 420;
  static constexpr int kLastPlanChannel = 350;

  ModelSheet(const SheetServices& services, SheetModelHost& model, OverlayText& store,
             std::string descriptor, int initialLink = 0, int initialIndex = 0);

  void Build() override;
  void ApplyStyleItem(std::string_view item) override;
  void ApplyControlItem(std::string_view item) override;
  void FillCells() override;

  // Whether channel row n of this sheet's plan appears in the current view.
  bool ChannelListed(int n);
  // The number of channels that appear.
  int ListedCount();
  // The sheet is one of the three channel tables whose rows are the listed channels.
  bool NumbersChannels() const;

 private:
  bool ConditionHolds(std::string_view name, bool& known) const;
  const std::vector<bool>& Listed();

  SheetModelHost& model_;
  std::optional<std::vector<bool>> listed_;  // per build
};

}  // namespace rtv
