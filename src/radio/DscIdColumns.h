// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cells/CellAccess.h"

namespace rtv {

class ChannelRow;

// The columns of the DSC individual and group ID lists (cell links 146–149): the 9-digit ID and
// its name.
class DscIdColumns {
 public:
  DscIdColumns() = delete;
  static AccessResult Serve(CellAccess& access);

 private:
  // Why the ID is flagged (None when it is not): when an earlier row of the list holds it too, or
  // when its first digits do not fit the list (an individual ID does not start with one 0, a group
  // ID starts with 0).
  static CellMarkReason IdError(const ChannelRow& row);
};

}  // namespace rtv
