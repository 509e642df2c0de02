// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "EditorAccess.h"
#include "MemoryAccessHost.h"
#include "RecordingCanvas.h"

namespace rtv {

// What one access left in its request.
struct CellOutcome {
  AccessResult result = AccessResult::Nothing;
  std::string text;
  std::uint8_t flags = 0;  // warning and error bits
  ChoiceState itemState = ChoiceState::Available;
  CellKey key;  // as the accessor left it
  std::vector<ColourValue> colours;
  std::vector<std::string> opened;
  std::string notice;  // the notice in words
  bool keepEditing = false;
  CellMarkReason markReason = CellMarkReason::None;

  bool Error() const { return (flags & CellRequest::kResultError) != 0; }
  bool Greyed() const;
  bool ReadOnly() const;
};

// Accesses cells of a MemoryAccessHost as the sheet view, a popup or the printer would.
class CellProbe {
 public:
  // Named constants, not calls: clang 14 refuses a consteval call as a default argument.
  static constexpr int kNullCellType = TypeNo("CT_Null");
  static constexpr int kFirstFlexLink = LinkNo("Flex0");

  explicit CellProbe(MemoryAccessHost& host, int cellType = kNullCellType)
      : host_(host), cellType_(cellType) {}

  // Display only: no sheet view, no key.
  CellOutcome Show(int cellLink, int index = 0);
  // A key typed into the cell of a sheet view.
  CellOutcome Key(int cellLink, int index, CellKey key);
  CellOutcome Key(int cellLink, int index, char typed) {
    return Key(cellLink, index, CellKey::Typed(typed));
  }
  // The in-place editor committed `text`.
  CellOutcome Type(int cellLink, int index, const std::string& text);
  // Item `value` of the cell's choice popup was chosen (its items are bound to `variant`).
  CellOutcome Choose(int cellLink, int index, int value, int variant = kFirstFlexLink);
  // The popup asks whether item `value` can be chosen now.
  CellOutcome Ask(int cellLink, int index, int value, int variant = kFirstFlexLink);
  // A popup-menu command (73–82) on the cell.
  CellOutcome Command(int cellLink, int index, int command);

 private:
  CellOutcome Run(int cellLink, int index, CellRequest& request);

  MemoryAccessHost& host_;
  int cellType_;
  RecordingPopupHost popupHost_;
};

}  // namespace rtv
