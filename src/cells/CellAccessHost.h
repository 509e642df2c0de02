// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/Colour.h"
#include "base/Message.h"
#include "cells/CellCatalog.h"

namespace rtv {

struct AdjustmentState;
struct CloneInformation;
class ChoiceLists;
class EepromImage;
class OverlayText;
struct Cell;
struct CellAccess;

// What the item accessor needs of the program around it. The controller implements it;
// tests use a small double. Only AfterImageWrite is required; the rest have quiet defaults
// so that a bare accessor (printing, tools) works without a controller.
class CellAccessHost {
 public:
  virtual ~CellAccessHost() = default;

  // After every key, commit or command: restart the warning-check timer and compare the
  // working image with the saved one.
  virtual void AfterImageWrite() = 0;

  // A key, a commit or a command is about to reach `cell` (`command` 0 for none); what it
  // changes is one step of the user's work.
  virtual void CellInputStarting(const Cell& /*cell*/, int /*command*/) {}

  // The image the cells show and edit; null when there is none.
  virtual EepromImage* CellImage() { return nullptr; }
  // The model's default image (its initial file), which fixed lists are cleared back to;
  // null when there is none.
  virtual EepromImage* CellTemplateImage() { return nullptr; }
  // The reference copy the memory window compares the image with; null when there is none.
  virtual EepromImage* CellReferenceImage() { return nullptr; }
  // The choice lists and the overlay the cells read; null when there are none.
  virtual ChoiceLists* CellChoices() { return nullptr; }
  virtual OverlayText* CellOverlay() { return nullptr; }
  // The model type 0–6 of the current image.
  virtual int CellModelType() const { return 0; }
  // The channel sheets list only the channels in use (their used-only view).
  virtual bool ChannelSheetsUsedOnly() const { return false; }
  // The adjustment link is connected (adjustment cells are editable).
  virtual bool AdjustmentConnected() const { return false; }

  // The status bar text (msg::StatusText), posted.
  virtual void PostStatusText(const std::string& /*text*/, ColourValue /*textColour*/,
                              ColourValue /*background*/) {}
  // Any other bus message, posted.
  virtual void PostBusMessage(Message /*message*/) {}
  // A menu command, a sheet call or help asked for by a cell (cell links 24–53, command 81).
  virtual void RunCellCommand(int /*cellLink*/, const Cell& /*cell*/) {}

  // What the menu item or toolbar button of a command shows now: user flags 0–3
  // (checked, hidden, disabled, relabelled) and, when relabelled, its caption.
  struct CommandState {
    std::uint8_t flags = 0;
    std::string caption;
  };
  static constexpr std::uint8_t kCommandChecked = 0x01;
  static constexpr std::uint8_t kCommandHidden = 0x02;
  static constexpr std::uint8_t kCommandDisabled = 0x04;
  static constexpr std::uint8_t kCommandRelabelled = 0x08;
  virtual CommandState CellCommandState(int /*cellLink*/, const Cell& /*cell*/) { return {}; }
  // Puts a text on the system clipboard.
  virtual void CopyToClipboard(const std::string& /*text*/) {}
  // What the radio reported at the last identify; null before any.
  virtual CloneInformation* CellCloneInformation() { return nullptr; }
  // The adjust-mode values outside the image; null when there are none.
  virtual AdjustmentState* CellAdjustment() { return nullptr; }
  // An adjustment sheet value was edited: it goes to the radio, and into the adjustment
  // state once the radio has taken it.
  virtual void AdjustmentEdited(int /*cellLink*/, int /*value*/) {}
  // A row operation of the cell popup menu (commands 74–80: copy, paste, carry up, carry
  // down, clear, delete, insert) on the access's row; the accessor reloads the row after it.
  virtual void RunRowOperation(int /*command*/, CellAccess& /*access*/) {}
  // Whether a row operation (74–80) can run on a row of `kind`; the Edit menu disables
  // the items that cannot.
  virtual bool RowOperationEnabled(int /*command*/, ListKind /*kind*/) const { return false; }
};

}  // namespace rtv
