// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

#include "radio/RadioModelHost.h"
#include "sheet/SheetModelHost.h"

namespace rtv {

class AppSettings;
class EepromImage;
class ServiceModes;

// The current model as its image rules and the channel sheets see it: its type and the
// channel view from the settings, its template, the region flags and the channel rows of the
// working image, and the adjust mode.
class CurrentModel : public RadioModelHost, public SheetModelHost {
 public:
  using SwitchTo = std::function<void(int modelType)>;

  CurrentModel(AppSettings& settings, const EepromImage& working, const EepromImage& modelTemplate,
               const ServiceModes& modes, SwitchTo switchTo)
      : settings_(settings),
        working_(working),
        template_(modelTemplate),
        modes_(modes),
        switchTo_(std::move(switchTo)) {}

  // The model's rules.
  const EepromImage& ModelTemplate() const override { return template_; }
  int ModelType() const override;
  bool IsAdjustMode() const override;
  void SwitchModel(int modelType) override { switchTo_(modelType); }

  // The channel sheets.
  bool UsableView() const override;
  std::uint8_t RegionFlags() const override;
  ChannelMarks Channel(ListKind kind, int row) const override;

 private:
  AppSettings& settings_;
  const EepromImage& working_;
  const EepromImage& template_;
  const ServiceModes& modes_;
  SwitchTo switchTo_;
};

}  // namespace rtv
