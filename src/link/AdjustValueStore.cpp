// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/AdjustValueStore.h"

#include "cells/CellNames.h"
#include "radio/AdjustmentCodes.h"

namespace rtv {

static_assert(AdjustLink::kTwelveBitCode == AdjustmentCodes::kTwelveBitCode);

const std::array<std::uint8_t, AdjustValueStore::kReadAllCount> AdjustValueStore::kReadAllCodes = {
    0x20, 0x22, 0x23, 0x24, 0x26, 0x28, 0x29, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x37, 0x39};
const std::array<std::uint8_t, AdjustValueStore::kReadAllCount> AdjustValueStore::kReadAllSlots = {
    0, 1, 2, 3, 4, 5, 6, 14, 10, 13, 7, 11, 9, 8, 12};

std::uint8_t AdjustValueStore::Slot(int slot) const {
  return slot >= 0 && slot < kSlotCount ? state_.readings[static_cast<std::size_t>(slot)] : 0;
}

std::uint8_t* AdjustValueStore::SlotAddress(int slot) {
  return slot >= 0 && slot < kSlotCount ? &state_.readings[static_cast<std::size_t>(slot)]
                                        : nullptr;
}

void AdjustValueStore::SetTwelveBitValue(std::uint16_t value) {
  twelveBit_ = value & AdjustmentCodes::kTwelveBitMaximum;
  SetSheetValue(LinkNo("CL_Adjust_Ref"), twelveBit_);
}

void AdjustValueStore::SetSheetValue(int cellLink, int value) {
  const int at = cellLink - LinkNo("CL_Adjust_ChGrp");
  if (at < 0 || at >= AdjustmentState::kSheetValues) return;
  state_.sheet[static_cast<std::size_t>(at)] = value;
}

std::vector<AdjustLink::Item> AdjustValueStore::ReadAllItems() {
  std::vector<AdjustLink::Item> items;
  for (std::size_t i = 0; i < kReadAllCodes.size(); ++i) {
    items.push_back({kReadAllCodes[i], nullptr, SlotAddress(kReadAllSlots[i])});
  }
  items.push_back(AdjustLink::Item{});
  return items;
}

}  // namespace rtv
