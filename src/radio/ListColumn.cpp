// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/ListColumn.h"

#include <string>

#include "cells/Cell.h"
#include "cells/CellAccessHost.h"
#include "cells/ChoiceEditor.h"
#include "radio/ChannelRow.h"

namespace rtv {
namespace {
constexpr int kChoiceVariant = 1;  // Flex0
}

ChannelRow* ListColumn::RowOf(CellAccess& access, ListKind first, ListKind last) {
  ChannelRow* row = access.row;
  if (row == nullptr || access.kind != row->kind) return nullptr;
  const auto kind = static_cast<int>(row->kind);
  return kind >= static_cast<int>(first) && kind <= static_cast<int>(last) ? row : nullptr;
}

AccessResult ListColumn::ChoiceBit(CellAccess& access, const char* listKey, bool& bit,
                                   bool& changed) {
  changed = false;
  ChoiceLists* lists = access.host.CellChoices();
  if (lists == nullptr) return AccessResult::Nothing;
  int value = bit ? 1 : 0;
  ChoiceEditor editor(*lists, listKey, kChoiceVariant, value);
  const AccessResult result = editor.Serve(access.request);
  // A list may name other values; only 0 and 1 fit the bit.
  if (editor.changed() && (value == 0 || value == 1) && (value == 1) != bit) {
    bit = value == 1;
    changed = true;
  }
  return result;
}

AccessResult ListColumn::Text(CellAccess& access, std::span<std::uint8_t> field,
                              TextEditor::Charset charset, bool& changed) {
  TextEditor editor(field, charset);
  const AccessResult result = editor.Serve(access.request);
  changed = editor.changed();
  return result;
}

void ListColumn::ShowNotServed(CellAccess& access) {
  access.request.displayText = std::to_string(access.cell.cellLink) + " *Yet*";
}

}  // namespace rtv
