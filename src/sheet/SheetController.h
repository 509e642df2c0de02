// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/BusSubscription.h"
#include "base/Message.h"
#include "cells/CellRequest.h"
#include "sheet/Sheet.h"

namespace rtv {

class MessageBus;
class SheetViewport;
class Timer;
class Timers;

// The cursor, marking and input rules of a sheet on screen: every key, click, command and
// edited text for a cell goes through here to the item accessor. The widget draws and
// forwards events; this decides what they mean.
class SheetController {
 public:
  enum class NavigationKey { PageUp, PageDown, Home, End, Left, Right, Up, Down };

  static constexpr int kPageRows = 10;
  static constexpr int kFirstForwardPauseMs = 30;
  static constexpr int kForwardPauseStepMs = 6;
  // A cell that keeps forwarding its input to another is a fault; the chain stops here.
  static constexpr int kMaxForwards = 32;
  static constexpr int kEditorMaxLength = 1024;
  static constexpr int kMinUserWidth = 10;
  static constexpr int kMaxUserWidth = 650;

  // Changed-notification criteria (the accessor's access flags).
  static constexpr int kSameLinkAndIndex = 0x01;
  static constexpr int kSameType = 0x02;
  static constexpr int kSameLink = 0x04;
  static constexpr int kSameIndex = 0x08;
  static constexpr int kNeighbourIndex = 0x10;
  static constexpr int kAnyLink = 0x20;
  static constexpr int kIndexFrom = 0x40;
  static constexpr int kIndexUpTo = 0x80;

  // `bus` and `timers` may be null (no messages; forwarded keys replayed without pause).
  SheetController(Sheet& sheet, SheetViewport& view, MessageBus* bus, Timers* timers);
  ~SheetController();
  SheetController(const SheetController&) = delete;
  SheetController& operator=(const SheetController&) = delete;

  Sheet& sheet() { return sheet_; }
  // The sheet was built again: marks, anchor and step targets are gone with its cells.
  void SheetRebuilt();

  // Keys with the editor closed: a navigation key moves the cursor, a cell key goes to the
  // current cell.
  void KeyDown(NavigationKey key, bool controlOnly = false);
  void KeyDown(CellKey key);
  void SetShift(bool held) { shift_ = held; }

  // Moves the cursor to the next selectable cell (dx first); true when it moved.
  bool MoveCursor(int dx, int dy);
  // To the first or last selectable cell of the cursor's row (or column).
  void MoveToEnd(bool last, bool acrossRows);
  // The select-cell query and the change: false when the cell may not be selected.
  bool SelectCell(int column, int row, bool byProgram = false);
  // Moves the cursor into a column: the current row's cell, else the nearest row's that
  // may be selected; false when the column has none.
  bool SelectColumn(int column);

  // The one road of inputs to the accessor. `text` is a text edited in place; it goes
  // without a key.
  AccessResult SendToCell(int column, int row, CellKey key, int command = 0,
                          const std::optional<std::string>& text = std::nullopt);
  // A choice popup answered for the owner cell.
  void CommitChoice(int column, int row, const Cell& chosen);
  // The editor's text, committed to the current cell; false when the cell refused it and
  // the editor is to stay open with it.
  bool CommitEditText(const std::string& text);
  // What the editor opened last may hold.
  const EditRule& editRule() const { return editRule_; }
  // The cell in words for the status bar: its row's label and its column's heading.
  std::string CellName(int column, int row) const;
  // The heading of a column: the text of its lowest heading cell that has one.
  std::string ColumnHeading(int column) const;
  // Why a cell is marked, in words; empty when it is not.
  std::string MarkText(int column, int row) const;

  // Mouse, on a cell.
  void RightButton(int column, int row);
  void LeftDown(int column, int row);
  void DragTo(int column, int row);
  void LeftUp(int column, int row);
  void DoubleClick(int column, int row);
  void Hover(int column, int row);
  // A non-selectable row-track cell stands for the selectable cell on its left.
  void ResolveRowTrack(int& column, int row) const;

  // Drawing: the cell is shown in selection colours.
  bool IsSelected(int column, int row) const;
  // A bound cell's display text and result flags, as drawn.
  CellRequest DrawRequest(int column, int row, bool selected) const;
  // A request for one cell, with the sheet's callbacks.
  CellRequest MakeRequest(int column, int row);

  // Redraws the visible cells that meet the criteria for the changed cell.
  void Changed(int flags, const Cell& changed);
  static bool MeetsCriteria(int flags, const Cell& changed, const Cell& cell);

  bool markingActive() const { return markingActive_; }
  void ClearMarks();
  int anchorRow() const { return anchorRow_; }

  // A width the user dragged a column to, held within bounds; stored when listed.
  int UserColumnWidth(int column, int width, int clientWidth);
  // The width of a column's widest content (headings and shown values).
  int FittedColumnWidth(int column) const;

  // A choice popup's sheet view: the cell the choice is for; its items ask it whether they can
  // be chosen now.
  const Cell* ownerCell = nullptr;
  // The embedded sheet's choice, handed to its owner.
  std::function<void(const Cell& chosen)> onChoose;

 private:
  void HandleMessage(const Message& message);
  void Post(Message message);
  void BeginInput();
  void ApplyMarking(bool extend, int fromColumn = -1, int fromRow = -1);
  void MarkRange(int first, int last);
  void Forward(CellKey key, int forwards);
  AccessResult Serve(int column, int row, CellKey key, int command,
                     const std::optional<std::string>& text, int forwards);
  bool FindTarget(int dx, int dy, int& column, int& row) const;
  void SetSelected(int column, int row);

  Sheet& sheet_;
  SheetViewport& view_;
  MessageBus* bus_;
  Timers* timers_;
  bool shift_ = false;
  bool moving_ = false;
  bool mouseDown_ = false;
  bool markingActive_ = false;
  int anchorColumn_ = -1;
  int anchorRow_ = -1;
  int lastStepColumn_ = -1;
  int lastStepRow_ = -1;
  std::unique_ptr<Timer> replayTimer_;
  struct Replay {
    CellKey key;
    int forwards;
  };
  std::optional<Replay> pendingReplay_;
  EditRule editRule_;
  bool editRefused_ = false;
  BusSubscription subscription_;  // last: it ends before the members its handler uses
};

}  // namespace rtv
