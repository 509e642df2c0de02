// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "cells/CellKey.h"
#include "cells/CellRequest.h"

namespace rtv {

struct CellAccess;

// The cells of the maker's service windows: the memory window's address column and its
// sixteen byte columns, the free debug cells and the flag bits.
class DebugItems {
 public:
  static constexpr int kBytesPerRow = 16;
  // On a byte of the memory window: go to the next byte that differs from the reference
  // (going on from the start after the end), or to the previous one (stopping at the start).
  static constexpr SpecialKey kNextDifferenceKey = SpecialKey::F3;
  static constexpr SpecialKey kPreviousDifferenceKey = SpecialKey::F4;
  // The flag bits window shows the region flags (MemoryLayout), bit n − 1 at index n.
  static constexpr int kFlagBits = 8;

  // The image address of a byte cell of the memory window; none for other links.
  static std::optional<int> ByteAddress(int cellLink, int index);

  static AccessResult ServeMemoryWindow(CellAccess& access);
  static AccessResult ServeFreeDebug(CellAccess& access);
  static AccessResult ServeFlagBit(CellAccess& access);
};

}  // namespace rtv
