// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cells/CellCanvas.h"
#include "cells/CellKey.h"
#include "cells/CellMarkReason.h"
#include "cells/CellNames.h"
#include "cells/EditRule.h"

namespace rtv {

class ChoicePopupHost;
struct Cell;

// What a commit hands to a cell.
enum class CellCommit : std::uint8_t {
  None,
  Text,    // the in-place editor's text (editText)
  Choice,  // an item of the cell's choice popup (popupChoice)
};

// What the sheet view does after an access.
enum class AccessResult : std::uint8_t {
  Nothing,
  PopupOpened,  // a choice popup opened: no editing starts
  StartEdit,    // edit the display text in place
};

// Something an access wants the status bar to say about a value it took or refused; the
// request's noticeValues fill the places of its text.
enum class CellNotice : std::uint8_t {
  None,
  FrequencyLimited,  // a typed frequency lay outside the band and the nearest end was taken
  OffRaster,         // refused: typed MHz, the nearest raster frequency
  IdDigitCount,      // refused: the digits an ID needs
  TextCut,           // taken, cut to the field's length
  TextReplaced,      // taken, characters the radio cannot show became spaces
  NameFirst,         // refused: a private channel takes frequencies only once named
};

// Whether an item of a choice popup can be chosen now (its owner cell answers).
enum class ChoiceState : std::uint8_t { Available, Unavailable };

// One access to a cell through the item accessor: the caller fills the inputs, calls
// AccessCell, and reads the outputs.
struct CellRequest {
  // Result flags; bits 0–1 belong to the caller and are kept.
  static constexpr std::uint8_t kCallerSelected = 0x01;  // the cell is drawn selected
  static constexpr std::uint8_t kCallerPrinting = 0x02;  // the cell is drawn on paper
  static constexpr std::uint8_t kResultWarning = 0x04;
  static constexpr std::uint8_t kResultError = 0x08;

  static constexpr std::uint8_t kRangeSelected = 0x01;
  static constexpr std::uint8_t kRangeReselect = 0x02;

  // The chosen item of a choice popup (its cell link selects the list, its index is the value).
  const Cell* popupChoice = nullptr;
  // The asking sheet view; without one no key handling or in-place editing happens.
  ChoicePopupHost* popupHost = nullptr;
  const Cell* cell = nullptr;
  // For the items of a cell's popup menu (CT_PopupMenu): the cell the menu was opened on,
  // whose row the items act on.
  const Cell* ownerCell = nullptr;
  // Where the cell is being drawn, if it is.
  CellCanvas* canvas = nullptr;
  CellRect cellRect;
  int selectionStart = 0;   // out: caret in the in-place editor
  int selectionLength = 0;  // out
  CellKey key;              // in; cleared or rewritten when consumed
  int command = 0;          // in: a popup-menu command link (73–82), 0 for none
  std::string editText;     // in
  std::string displayText;  // out
  std::uint8_t resultFlags = 0;
  // In/out: the cell's user flags; menu items and buttons get their states (flags 0–3)
  // back here, the frequency cells their "same as RX" marks.
  std::uint8_t userFlags = 0;
  ChoiceState itemState = ChoiceState::Available;  // out, popup items
  CellCommit commit = CellCommit::None;
  bool redirected = false;  // out: another cell of the row was served
  int servedType = kCellTypeNone;
  int servedLink = kCellLinkNone;
  int servedIndex = 0;
  CellKey forwardedKey;                   // out: the key to replay on the redirected cell
  CellNotice notice = CellNotice::None;   // out
  std::vector<std::string> noticeValues;  // out
  std::string noticeText;                 // out: the notice in words, from the overlay
  // In: the caller tells the notice itself (with the cell's name), so the accessor does not.
  bool callerTellsNotice = false;
  // Out: the committed text was refused and the value kept; the editor stays open with it.
  bool keepEditing = false;
  // Out: what the cell's in-place editor may hold.
  EditRule editRule;
  // Out, a warning check: the first cell it found in error (foundLink 0 for none).
  int foundType = 0;
  int foundLink = 0;
  int foundIndex = 0;
  // Out: why the cell is marked (with kResultWarning or kResultError).
  CellMarkReason markReason = CellMarkReason::None;
  std::uint8_t rangeFlags = 0;
  int rangeFirst = 0;
  int rangeLast = 0;
  // Called at the end of an access with the access flags, when the caller asks for it.
  std::function<void(int accessFlags)> changed;
};

}  // namespace rtv
