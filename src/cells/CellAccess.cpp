// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/CellAccess.h"

namespace rtv {

void CellAccess::MarkReadOnly() {
  if (request.canvas != nullptr) request.canvas->SetFontColour(kReadOnlyColour);
  request.commit = CellCommit::None;
  const CellKey key = request.key;
  if (key.IsTyped() || key == SpecialKey::Enter || key == SpecialKey::Backspace ||
      key == SpecialKey::F2) {
    request.key = {};
    refused = true;
  }
}

void CellAccess::MarkFixedByModel() {
  MarkReadOnly();
  fixedByModel = true;
}

void CellAccess::MarkGreyed() {
  if (request.canvas != nullptr) request.canvas->SetFontColour(kGreyedColour);
}

void CellAccess::ShowReadOnly(const char* text) {
  request.displayText = text;
  MarkReadOnly();
}

}  // namespace rtv
