// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "cells/CellRequest.h"

namespace rtv {

struct CellAccess;

// Serves the adjustment parameters stored in the image (with the computed squelch opening
// levels), the adjustment sheet and the A/D readings of adjust mode: the AdjustmentParams,
// AdjustmentSheet and AdReadings link families.
class AdjustmentItems {
 public:
  struct Parameter {
    int address = 0;
    bool isSigned = false;  // −128…127 stored as a signed byte
    bool computed = false;  // a squelch opening level, read-only
  };
  static Parameter ParameterOf(int cellLink);
  // The squelch opening level a computed link shows, from the two measured levels.
  static int SquelchOpening(int cellLink, std::uint8_t high, std::uint8_t low);

  static AccessResult ServeParameter(CellAccess& access);
  static AccessResult ServeSheet(CellAccess& access);
  static AccessResult ServeReading(CellAccess& access);
};

}  // namespace rtv
