// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/Cell.h"

namespace rtv {

void Cell::Restart(const Cell* from) {
  if (from != nullptr) {
    *this = *from;
  } else {
    Cell fresh;
    fresh.cellType = cellType;
    fresh.index = index;
    *this = std::move(fresh);
  }
  parent = from;
  font.reset();
  popupMenu.reset();
}

std::string Cell::PopupMenuName() const {
  for (const Cell* c = this; c != nullptr; c = c->parent) {
    if (c->popupMenu && !c->popupMenu->empty()) return *c->popupMenu;
  }
  return {};
}

const FontDesc* Cell::DrawingFont() const {
  for (const Cell* c = this; c != nullptr; c = c->parent) {
    if (c->font) return &*c->font;
  }
  return nullptr;
}

void Cell::SetUserFlag(int n, bool on) {
  if (n < 0 || n >= 8) return;
  const auto bit = static_cast<std::uint8_t>(1u << n);
  userFlags = static_cast<std::uint8_t>(on ? userFlags | bit : userFlags & ~bit);
}

}  // namespace rtv
