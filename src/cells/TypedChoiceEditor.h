// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "cells/ChoiceEditor.h"

namespace rtv {

// A choice whose value may also be typed: a committed text picks the item whose label it
// names (ignoring case), or for a number the item whose numeric label is nearest.
class TypedChoiceEditor : public ChoiceEditor {
 public:
  using ChoiceEditor::ChoiceEditor;

 protected:
  void Commit(CellRequest& request) override;
  AccessResult Key(CellRequest& request, CellKey key) override;
};

}  // namespace rtv
