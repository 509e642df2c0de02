// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "cells/CellCatalog.h"
#include "radio/RowBuffer.h"

namespace rtv {

class CellAccessHost;
class OverlayText;
class Prompts;
struct CellRequest;

// The row commands of the list sheets' popup menu: copy, paste, carry up and down, clear,
// delete and insert whole rows through the row store. One instance lives as long as the
// program; its buffer is the program's row clipboard and survives new images.
class RowOperations {
 public:
  // Popup commands (cell links).
  static constexpr int kCopy = 74;
  static constexpr int kPaste = 75;
  static constexpr int kCarryUp = 76;
  static constexpr int kCarryDown = 77;
  static constexpr int kClear = 78;
  static constexpr int kDelete = 79;
  static constexpr int kInsert = 80;

  // A list kind's rows and what may be done to them.
  struct Rows {
    int first;
    int last;
    bool clearable;
    bool movable;  // delete, insert and carry: rows are interchangeable entries
  };
  static Rows RowsOf(ListKind kind);

  RowOperations(CellAccessHost& host, OverlayText& overlay, Prompts& prompts);
  RowOperations(const RowOperations&) = delete;
  RowOperations& operator=(const RowOperations&) = delete;

  // Whether a command is offered for a row of the kind (the popup item's state).
  bool IsEnabled(int command, ListKind kind) const;

  // Runs `command` at `currentRow` of the kind on the host's image. The request's range
  // (when its range flag is set) gives the target rows; the range to select again, the
  // cursor row (servedIndex, with `redirected`) come back in it. Returns false when the
  // command did nothing (refused, out of the list, or cancelled).
  bool Run(int command, ListKind kind, int currentRow, CellRequest& request);

  const RowBuffer& Buffer() const { return buffer_; }

 private:
  struct Target {
    ListKind kind;
    Rows rows;
    int current;
    int first;
    int last;
  };

  bool Copy(const Target& t, CellRequest& request);
  bool Paste(const Target& t, CellRequest& request);
  bool Carry(const Target& t, int direction, CellRequest& request);
  bool Clear(const Target& t);
  bool Delete(const Target& t, CellRequest& request);
  bool Insert(const Target& t, CellRequest& request);

  bool AnyHoldsData(ListKind kind, int first, int last);
  bool Confirm(const char* key);
  void Done(const char* key);
  static void Reselect(CellRequest& request, int first, int last);
  static void MoveCursor(CellRequest& request, int row);

  CellAccessHost& host_;
  OverlayText& overlay_;
  Prompts& prompts_;
  EepromImage* image_ = nullptr;  // the host's image while a command runs
  RowBuffer buffer_;
};

}  // namespace rtv
