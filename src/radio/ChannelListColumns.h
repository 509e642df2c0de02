// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cells/CellAccess.h"

namespace rtv {

class ChannelRow;

// The columns of the INT, USA and CAN channel lists (cell links 101–109): number, P/C marks and
// use, favourite, TX inhibit, power, simplex and comment.
class ChannelListColumns {
 public:
  ChannelListColumns() = delete;
  static AccessResult Serve(CellAccess& access);

 private:
  static void ShowNumber(CellAccess& access, const ChannelRow& row);
  static AccessResult ServeAttributes(CellAccess& access, ChannelRow& row);
};

}  // namespace rtv
