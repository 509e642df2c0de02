// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/MarkFlagsEditor.h"

#include <utility>

#include "cells/Cell.h"
#include "cells/ChoicePopupHost.h"

namespace rtv {
namespace {
constexpr int kVariant = 1;  // Flex0
}

MarkFlagsEditor::MarkFlagsEditor(std::string listKey, int& flags, bool spaceToggles)
    : ownedKey_(std::move(listKey)),
      listKey_(ownedKey_),
      flags_(flags),
      spaceToggles_(spaceToggles) {}

MarkFlagsEditor::MarkFlagsEditor(const char* listKey, int& flags, bool spaceToggles)
    : listKey_(listKey), flags_(flags), spaceToggles_(spaceToggles) {}

void MarkFlagsEditor::Commit(CellRequest& request) {
  if (request.commit != CellCommit::Choice || request.popupChoice == nullptr) return;
  if (request.popupChoice->cellLink != kVariant) return;
  switch (request.popupChoice->index) {
    case 1:
      flags_ |= kFlagP;
      Take();
      break;
    case 2:
      flags_ |= kFlagC;
      Take();
      break;
    case 3:
      action_ = Action::Toggle;
      break;
    case 4:
      action_ = Action::Jump;
      break;
    default:
      break;
  }
}

std::string MarkFlagsEditor::Text() const {
  std::string marks;
  if ((flags_ & kFlagP) != 0) marks += 'P';
  if ((flags_ & kFlagC) != 0) marks += 'C';
  return marks;
}

AccessResult MarkFlagsEditor::Key(CellRequest& request, CellKey key) {
  if (IsSpace(key) || key == SpecialKey::Backspace) {
    if (spaceToggles_) {
      action_ = Action::Toggle;
      request.key = {};
    }
    return AccessResult::Nothing;
  }
  if (IsEnter(key)) {
    request.popupHost->OpenChoicePopup(std::string(listKey_), kVariant, flags_);
    return AccessResult::PopupOpened;
  }
  return AccessResult::Nothing;
}

}  // namespace rtv
