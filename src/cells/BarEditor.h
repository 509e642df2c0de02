// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "cells/CellEditor.h"

namespace rtv {

// A value drawn as a 20-step bar between its minimum and maximum: "[####----...]".
// Shown only; keys and commits do nothing.
class BarEditor : public CellEditor {
 public:
  static constexpr int kSteps = 20;

  BarEditor(int value, int minimum, int maximum);

  static std::string Bar(int value, int minimum, int maximum);

 protected:
  void Commit(CellRequest&) override {}
  std::string Text() const override { return Bar(value_, minimum_, maximum_); }
  AccessResult Key(CellRequest&, CellKey) override { return AccessResult::Nothing; }

 private:
  const int value_;
  const int minimum_;
  const int maximum_;
};

}  // namespace rtv
