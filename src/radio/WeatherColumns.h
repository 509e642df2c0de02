// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cells/CellAccess.h"

namespace rtv {

// The columns of the weather channel list (cell links 140–141): use and comment.
class WeatherColumns {
 public:
  WeatherColumns() = delete;
  static AccessResult Serve(CellAccess& access);
};

}  // namespace rtv
