// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cells/Cell.h"

namespace rtv {

class ItemAccessor;
class OverlayText;

// The overlay's list of warning checks, evaluated over an image through its accessor: which
// sheets hold an error and which a warning. The program marks its tree from this and
// refuses a clone write while any sheet holds an error; the tool refuses the same writes.
class WarningCheckList {
 public:
  // The first cell found in error: its sheet, cell link and index, and why.
  struct ErrorPlace {
    std::string sheet;
    int cellLink = 0;
    int index = 0;
    std::string reason;
  };
  struct Outcome {
    std::vector<std::string> errorSheets;
    std::vector<std::string> warningSheets;
    std::optional<ErrorPlace> firstError;
  };

  // Reads the list from the overlay on first use; an overlay without one checks nothing.
  Outcome Evaluate(OverlayText& overlay, ItemAccessor& accessor);

 private:
  void Read(OverlayText& overlay);

  std::vector<Cell> checks_;
  bool read_ = false;
};

}  // namespace rtv
