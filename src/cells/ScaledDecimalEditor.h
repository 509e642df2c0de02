// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "cells/CellEditor.h"

namespace rtv {

// A stored integer shown divided by a scale with three decimals, trailing zeros trimmed,
// and a unit suffix. Where OFF is allowed, 0 shows the off text and "off" typed stores 0.
class ScaledDecimalEditor : public CellEditor {
 public:
  // The overlay entry that names the off state.
  static constexpr const char* kOffTextKey = "GI_AppInd_TimerOff";

  struct Format {
    int scale = 1;
    int minimum = 0;
    int maximum = 0;
    bool offAllowed = false;
    std::string offText;  // the text of kOffTextKey, when OFF is allowed
    int trim = 0;         // trailing characters that may go while they are "0"
    std::string suffix;   // " sec", " msec"
  };

  ScaledDecimalEditor(int& value, Format format);

  // The number alone: "%d.%03d" of the value over the scale, trimmed.
  std::string NumberText() const;

 protected:
  void Commit(CellRequest& request) override;
  std::string Text() const override;
  AccessResult Key(CellRequest& request, CellKey key) override;

 private:
  int& value_;
  const Format format_;
};

}  // namespace rtv
