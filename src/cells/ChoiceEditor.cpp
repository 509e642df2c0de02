// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/ChoiceEditor.h"

#include <utility>

#include "cells/Cell.h"
#include "cells/ChoiceLists.h"
#include "cells/ChoicePopupHost.h"

namespace rtv {

ChoiceEditor::ChoiceEditor(ChoiceLists& lists, std::string listKey, int variant, int& value)
    : lists_(lists),
      ownedKey_(std::move(listKey)),
      listKey_(ownedKey_),
      variant_(variant),
      value_(value) {}

ChoiceEditor::ChoiceEditor(ChoiceLists& lists, const char* listKey, int variant, int& value)
    : lists_(lists), listKey_(listKey), variant_(variant), value_(value) {}

void ChoiceEditor::Commit(CellRequest& request) {
  if (request.commit != CellCommit::Choice || request.popupChoice == nullptr) return;
  if (request.popupChoice->cellLink != variant_) return;
  value_ = request.popupChoice->index;
  Take();
}

std::string ChoiceEditor::Text() const { return lists_.ChoiceName(listKey_, variant_, value_); }

AccessResult ChoiceEditor::Key(CellRequest& request, CellKey key) {
  if (IsSpace(key) || key == SpecialKey::Backspace) {
    value_ = lists_.ChoiceStep(listKey_, variant_, value_, IsSpace(key) ? 1 : -1);
    Take();
    return AccessResult::Nothing;
  }
  if (IsEnter(key)) {
    request.popupHost->OpenChoicePopup(std::string(listKey_), variant_, value_);
    return AccessResult::PopupOpened;
  }
  return AccessResult::Nothing;
}

}  // namespace rtv
