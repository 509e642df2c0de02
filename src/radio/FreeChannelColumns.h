// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cells/CellAccess.h"

namespace rtv {

// The columns of the free channel list (cell links 142–145): RX and TX frequency and the name.
// The channel width (CL_Fch_WN) is not served.
class FreeChannelColumns {
 public:
  FreeChannelColumns() = delete;
  static AccessResult Serve(CellAccess& access);
};

}  // namespace rtv
