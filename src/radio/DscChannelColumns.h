// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cells/CellAccess.h"

namespace rtv {

// The columns of the DSC channel list (cell links 134–139): number, TX and RX use, power,
// simplex and the comment it shares with the channel lists.
class DscChannelColumns {
 public:
  DscChannelColumns() = delete;
  static AccessResult Serve(CellAccess& access);
};

}  // namespace rtv
