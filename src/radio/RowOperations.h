// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <vector>

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
//
// A command changes only what typing into the cells of its rows could change: a fixed
// list is cleared back to the model's rows, a paste keeps what the plan fixes, a channel
// plan's row never touches the free channel it lists, and a free channel moves together
// with what every plan says of it. A range covers the rows the sheet shows, never the
// rows it hides between them.
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

  // Whether the channel sheet of the kind lists the row (the others list every row).
  bool Shown(ListKind kind, int row);

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
    std::vector<int> shown;  // the rows first … last that the sheet lists
  };
  // Where the free channels went: old row to new row; a channel that is gone maps to -1.
  using FreeChannelMoves = std::map<int, int>;

  bool Copy(const Target& t, CellRequest& request);
  bool Paste(const Target& t, CellRequest& request);
  bool Carry(const Target& t, int direction, CellRequest& request);
  bool Clear(const Target& t);
  bool Delete(const Target& t, CellRequest& request);
  bool Insert(const Target& t, CellRequest& request);

  bool AnyHoldsData(ListKind kind, int first, int last);
  bool AnyHoldsData(ListKind kind, const std::vector<int>& rows);
  // The listed rows from `from` on, at most `count`.
  std::vector<int> ShownFrom(ListKind kind, int from, int last, int count);
  // Rows of free channels that lost their channel: what the plans say of them goes back to
  // the model's.
  void ResetFreeRows(const std::vector<int>& rows);
  // The P and C words follow the free channels they name.
  void FollowFreeChannels(const FreeChannelMoves& moves);
  std::vector<int> Holding(ListKind kind, const std::vector<int>& rows);
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
