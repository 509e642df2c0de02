// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CurrentModel.h"

#include "app/AppSettings.h"
#include "app/ServiceModes.h"
#include "radio/EepromImage.h"
#include "radio/MemoryLayout.h"
#include "radio/RadioModel.h"

namespace rtv {

int CurrentModel::ModelType() const { return settings_.modelType; }

bool CurrentModel::IsAdjustMode() const { return modes_.Adjust(); }

bool CurrentModel::UsableView() const { return settings_.channelsInUseOnly != 0; }

std::uint8_t CurrentModel::RegionFlags() const {
  return working_.GetByte(MemoryLayout::kRegionFlags);
}

ChannelMarks CurrentModel::Channel(ListKind kind, int row) const {
  return ChannelOf(working_, kind, row);
}

}  // namespace rtv
