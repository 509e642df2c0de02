// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/HexByteEditor.h"

#include "base/HexDigits.h"

namespace rtv {

void HexByteEditor::Commit(CellRequest& request) {
  if (request.commit != CellCommit::Text) return;
  int value = 0;
  int digits = 0;
  for (const char c : request.editText) {
    if (c == ' ') continue;
    const int digit = HexDigitValue(c);
    if (digit < 0 || ++digits > 2) return;
    value = value * 16 + digit;
  }
  if (digits == 0) return;
  value_ = static_cast<std::uint8_t>(value);
  Take();
}

std::string HexByteEditor::Text() const {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[value_ >> 4], kDigits[value_ & 0x0F]};
}

AccessResult HexByteEditor::Key(CellRequest& request, CellKey key) {
  if (key.IsTyped() && HexDigitValue(key.typed()) >= 0) return BeginTyping(request, key.typed());
  if (IsEnter(key)) return BeginWithText(request, Text());
  return AccessResult::Nothing;
}

}  // namespace rtv
