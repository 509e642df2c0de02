// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "link/AdjustLink.h"
#include "radio/AdjustmentState.h"

namespace rtv {

// The factory adjustment values last read from (or set in) the radio. They live beside the
// image, never in it: each is the radio's own answer to its adjustment code. The slots of
// the read of every value are the A/D readings that the adjustment cells show.
class AdjustValueStore {
 public:
  static constexpr int kSlotCount = AdjustmentState::kReadings;
  static constexpr int kReadAllCount = 15;

  std::uint8_t Slot(int slot) const;
  std::uint8_t* SlotAddress(int slot);
  // The 12-bit value of code 9, which the adjustment sheet shows as the reference.
  std::uint16_t TwelveBitValue() const { return twelveBit_; }
  void SetTwelveBitValue(std::uint16_t value);
  // A value of the adjustment sheet (cell links 330–369) as the radio has it now.
  void SetSheetValue(int cellLink, int value);
  // What the adjustment cells show and edit.
  AdjustmentState& State() { return state_; }
  // Values were read from the radio since the program started.
  bool HasValues() const { return hasValues_; }
  void SetHasValues(bool on) { hasValues_ = on; }

  // The read of every value: the codes in the radio's order, each answer into its slot.
  std::vector<AdjustLink::Item> ReadAllItems();
  // Code and slot of the read of every value, in order.
  static const std::array<std::uint8_t, kReadAllCount> kReadAllCodes;
  static const std::array<std::uint8_t, kReadAllCount> kReadAllSlots;

 private:
  AdjustmentState state_;
  std::uint16_t twelveBit_ = 0;
  bool hasValues_ = false;
};

}  // namespace rtv
