// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "cells/CellRequest.h"

namespace rtv {

struct CellAccess;
class ItemAccessor;

// The warning checks (cell links 54–65): each evaluates the cells of one sheet through the
// accessor and reports their error bits (the ID lists also their warning bits), stopping
// at the first cell that sets them. The tree marks its nodes from these.
class WarningChecks {
 public:
  explicit WarningChecks(ItemAccessor& accessor) : accessor_(accessor) {}

  // The warning and error bits of one check.
  std::uint8_t Evaluate(int cellLink);
  AccessResult Serve(CellAccess& access);

 private:
  std::uint8_t Errors(int cellType, int cellLink, int first, int last);
  std::uint8_t IdList(int cellType, int idLink, int nameLink, int rows);
  // Whether the cell is in error; the first one found is remembered.
  bool Check(int cellType, int cellLink, int index);

  struct Found {
    int type = 0;
    int cellLink = 0;
    int index = 0;
  };
  ItemAccessor& accessor_;
  Found found_;  // of the last Evaluate
};

}  // namespace rtv
