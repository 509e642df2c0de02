// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv {

// The sheet view that asks for a cell, seen from the item accessor. Its presence in a
// request means keys and in-place editing apply; the sheet view implements it and adds
// what the accessor asks of it (opening a choice popup next to the cell).
class ChoicePopupHost {
 public:
  virtual ~ChoicePopupHost() = default;
  // Shows the choice list `listKey` (its cells bound to link `variant`) next to the current
  // cell with `value` selected; the chosen item comes back committed to the cell
  // (CellCommit::Choice).
  virtual void OpenChoicePopup(const std::string& listKey, int variant, int value) = 0;
};

}  // namespace rtv
