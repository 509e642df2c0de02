// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

#include "cells/CellAccess.h"
#include "cells/TextEditor.h"

namespace rtv {

class ChannelRow;

// What the columns of the list sheets share: the row of the access, one bit shown through
// a choice list, a text field, and storing the row after a change.
class ListColumn {
 public:
  ListColumn() = delete;

  // The loaded row of the access when it is of one of the given kinds; null otherwise (a
  // column bound to a cell of another list, or a row outside the list).
  static ChannelRow* RowOf(CellAccess& access, ListKind first, ListKind last);

  // One bit of the row through the choice list `listKey` (values 0 and 1, variant 1).
  // Returns the editor's result; `changed` tells whether the bit was changed.
  static AccessResult ChoiceBit(CellAccess& access, const char* listKey, bool& bit, bool& changed);
  // A text field of the row, normalised to `charset` on commit.
  static AccessResult Text(CellAccess& access, std::span<std::uint8_t> field,
                           TextEditor::Charset charset, bool& changed);
  // A link of the family that the memory map leaves unserved.
  static void ShowNotServed(CellAccess& access);
};

}  // namespace rtv
