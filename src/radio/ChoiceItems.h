// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cells/CellRequest.h"

namespace rtv {

class ItemAccessor;
struct CellAccess;

// Serves the special cell links 0–2: nothing, a cell's own text (also the items of a choice
// list) and the choice items that are greyed when their owner cannot take them now.
class ChoiceItems {
 public:
  explicit ChoiceItems(ItemAccessor& accessor) : accessor_(accessor) {}
  AccessResult Serve(CellAccess& access);

 private:
  ItemAccessor& accessor_;
};

}  // namespace rtv
