// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "cells/CellEditor.h"

namespace rtv {

// A whole number in [minimum, maximum], shown plus a display offset (1-based numbers
// stored 0-based). Space and Backspace step and wrap; a commit rounds, snaps to the step
// and clamps.
class IntegerEditor : public CellEditor {
 public:
  struct Range {
    int minimum = 0;
    int maximum = 0;
    int displayOffset = 0;
    int step = 1;
    std::optional<std::string> fixedText;  // shown instead of the number
    // Out-of-range values are clamped before and after, and a clamp counts as a change.
    bool clamp = false;
  };

  IntegerEditor(int& value, Range range);

 protected:
  void Commit(CellRequest& request) override;
  std::string Text() const override;
  AccessResult Key(CellRequest& request, CellKey key) override;

 private:
  int& value_;
  const Range range_;
};

}  // namespace rtv
