// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "cells/CellEditor.h"

namespace rtv {

class ChoiceLists;

// A value named by a choice list: Space and Backspace step through the list, Enter opens
// it as a popup, a popup choice of the list's variant sets the value.
class ChoiceEditor : public CellEditor {
 public:
  ChoiceEditor(ChoiceLists& lists, std::string listKey, int variant, int& value);
  // A key that outlives the editor (a literal) is used as it is, without a copy: cells are
  // drawn through these editors on every repaint.
  ChoiceEditor(ChoiceLists& lists, const char* listKey, int variant, int& value);

 protected:
  void Commit(CellRequest& request) override;
  std::string Text() const override;
  AccessResult Key(CellRequest& request, CellKey key) override;

  ChoiceLists& lists_;
  const std::string ownedKey_;
  const std::string_view listKey_;
  const int variant_;
  int& value_;
};

}  // namespace rtv
