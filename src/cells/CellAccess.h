// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cells/CellCatalog.h"
#include "cells/CellRequest.h"

namespace rtv {

class CellAccessHost;
class ChannelRow;
struct Cell;

// One access in progress, as the family handlers see it.
struct CellAccess {
  static constexpr ColourValue kReadOnlyColour = 32896;   // olive
  static constexpr ColourValue kGreyedColour = 12632256;  // silver

  CellRequest& request;
  const Cell& cell;
  ListKind kind;
  // The program around the accessor; never null during an access.
  CellAccessHost& host;
  // The row record of the cell's list, loaded before the handler runs; null for a cell
  // that belongs to no list.
  ChannelRow* row = nullptr;
  // Added to the access flags by a handler (kAccessUseChanged).
  int extraFlags = 0;
  // A key that would edit met a read-only cell; the status bar says so after the access.
  bool refused = false;
  // The cell is read-only because the model puts its own value back on saving.
  bool fixedByModel = false;

  // Shown, not editable: olive text, a typed character, Enter, Backspace or F2 is refused
  // (key cleared), and a committed text or popup choice is dropped.
  void MarkReadOnly();
  // Read-only because the model fixes the value; the refusal says so.
  void MarkFixedByModel();
  // Shown in silver; stays editable.
  void MarkGreyed();
  void MarkError(CellMarkReason reason = CellMarkReason::None) {
    request.resultFlags |= CellRequest::kResultError;
    if (request.markReason == CellMarkReason::None) request.markReason = reason;
  }
  void MarkWarning(CellMarkReason reason = CellMarkReason::None) {
    request.resultFlags |= CellRequest::kResultWarning;
    if (request.markReason == CellMarkReason::None) request.markReason = reason;
  }
  // A read-only text such as "---".
  void ShowReadOnly(const char* text);
};

}  // namespace rtv
