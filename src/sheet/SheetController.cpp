// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/SheetController.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/Message.h"
#include "base/MessageBus.h"
#include "base/StatusColours.h"
#include "base/TextMetrics.h"
#include "base/Timers.h"
#include "overlay/OverlayText.h"
#include "sheet/SheetViewport.h"

namespace rtv {
namespace {

// A value refused, and a value taken but not as typed: the colours of a warning.

bool Refuses(CellNotice notice) {
  return notice == CellNotice::OffRaster || notice == CellNotice::IdDigitCount ||
         notice == CellNotice::NameFirst;
}

std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  text.erase(0, text.find_first_not_of(' '));
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

SheetController::SheetController(Sheet& sheet, SheetViewport& view, MessageBus* bus, Timers* timers)
    : sheet_(sheet), view_(view), bus_(bus), timers_(timers) {
  if (bus_ != nullptr) {
    subscription_ = bus_->Subscribe([this](const Message& message) { HandleMessage(message); });
  }
}

SheetController::~SheetController() = default;

void SheetController::SheetRebuilt() {
  markingActive_ = false;
  anchorColumn_ = anchorRow_ = -1;
  lastStepColumn_ = lastStepRow_ = -1;
  mouseDown_ = false;
  pendingReplay_.reset();
  if (replayTimer_) replayTimer_->Stop();
}

void SheetController::Post(Message message) {
  if (bus_ != nullptr) bus_->Post(std::move(message));
}

void SheetController::BeginInput() {
  // A replay still waiting belongs to the input before this one: it goes first.
  if (pendingReplay_) {
    const Replay replay = *pendingReplay_;
    pendingReplay_.reset();
    if (replayTimer_) replayTimer_->Stop();
    Forward(replay.key, replay.forwards);
  }
  view_.CloseEditor(false);
  if (bus_ != nullptr) bus_->Post(msg::StatusText{"", kPlainStatus.text, kPlainStatus.background});
}

void SheetController::KeyDown(NavigationKey key, bool controlOnly) {
  BeginInput();
  if (!sheet_.inputEnabled()) return;
  switch (key) {
    case NavigationKey::PageUp:
      MoveCursor(0, -kPageRows);
      break;
    case NavigationKey::PageDown:
      MoveCursor(0, kPageRows);
      break;
    case NavigationKey::Home:
    case NavigationKey::End:
      MoveToEnd(key == NavigationKey::End, controlOnly);
      break;
    case NavigationKey::Left:
      if (!MoveCursor(-1, 0)) {
        SendToCell(sheet_.currentColumn(), sheet_.currentRow(), SpecialKey::Left);
      }
      break;
    case NavigationKey::Right:
      if (!MoveCursor(1, 0)) {
        SendToCell(sheet_.currentColumn(), sheet_.currentRow(), SpecialKey::Right);
      }
      break;
    case NavigationKey::Up:
      if (!controlOnly) MoveCursor(0, -1);
      break;
    case NavigationKey::Down:
      if (!controlOnly) MoveCursor(0, 1);
      break;
  }
}

void SheetController::MoveToEnd(bool last, bool acrossRows) {
  // Home and End: the first or last selectable cell of the row; with Ctrl, of the column.
  const int column = sheet_.currentColumn();
  const int row = sheet_.currentRow();
  const int count = acrossRows ? sheet_.rowCount() : sheet_.columnCount();
  for (int step = 0; step < count; ++step) {
    const int at = last ? count - 1 - step : step;
    const int c = acrossRows ? column : at;
    const int r = acrossRows ? at : row;
    if (sheet_.CellAt(c, r).cell.selectable) {
      SelectCell(c, r);
      return;
    }
  }
}

void SheetController::KeyDown(CellKey key) {
  BeginInput();
  if (!sheet_.inputEnabled() || key.IsNone()) return;
  SendToCell(sheet_.currentColumn(), sheet_.currentRow(), key);
}

bool SheetController::FindTarget(int dx, int dy, int& column, int& row) const {
  const int columns = sheet_.columnCount();
  const int rows = sheet_.rowCount();
  const bool wrap = sheet_.embedded();
  int x = column;
  int y = row;
  for (;;) {
    x += dx;
    y += dy;
    if (x < 0 || y < 0 || x >= columns || y >= rows) {
      if (!wrap) break;
      x = (x + columns) % columns;
      y = (y + rows) % rows;
    }
    if (x == column && y == row) break;  // round the whole way
    if (sheet_.CellAt(x, y).cell.selectable) {
      column = x;
      row = y;
      return true;
    }
  }
  if (wrap) return false;

  // Nothing straight ahead: the next column (row) that has a selectable cell, taking the
  // one nearest to the last step target.
  const int targetColumn = lastStepColumn_ >= 0 ? lastStepColumn_ : column;
  const int targetRow = lastStepRow_ >= 0 ? lastStepRow_ : row;
  if (dx != 0) {
    for (x = column + dx; x >= 0 && x < columns; x += dx) {
      int best = -1;
      for (y = 0; y < rows; ++y) {
        if (!sheet_.CellAt(x, y).cell.selectable) continue;
        if (best < 0 || std::abs(y - targetRow) < std::abs(best - targetRow)) best = y;
      }
      if (best >= 0) {
        column = x;
        row = best;
        return true;
      }
    }
  } else {
    for (y = row + dy; y >= 0 && y < rows; y += dy) {
      int best = -1;
      for (x = 0; x < columns; ++x) {
        if (!sheet_.CellAt(x, y).cell.selectable) continue;
        if (best < 0 || std::abs(x - targetColumn) < std::abs(best - targetColumn)) best = x;
      }
      if (best >= 0) {
        column = best;
        row = y;
        return true;
      }
    }
  }
  return false;
}

bool SheetController::MoveCursor(int dx, int dy) {
  const int startColumn = sheet_.currentColumn();
  const int startRow = sheet_.currentRow();
  const int steps = dx != 0 ? std::abs(dx) : std::abs(dy);
  const int stepX = Sign(dx);
  const int stepY = dx != 0 ? 0 : Sign(dy);
  int column = startColumn;
  int row = startRow;
  for (int i = 0; i < steps; ++i) {
    const bool found = FindTarget(stepX, stepY, column, row);
    lastStepColumn_ = column;
    lastStepRow_ = row;
    if (!found) break;
  }
  if (column == startColumn && row == startRow) return false;
  moving_ = true;
  SelectCell(column, row, true);
  moving_ = false;
  view_.ShowCell(column, row, column <= sheet_.firstSelectableColumn(),
                 row <= sheet_.firstSelectableRow());
  return true;
}

bool SheetController::SelectCell(int column, int row, bool byProgram) {
  const CellSlot& slot = sheet_.CellAt(column, row);
  if (!byProgram && !moving_) {
    if (!slot.cell.selectable) return false;
    if (markingActive_ && !slot.multiSelect) return false;
  }
  const int oldColumn = sheet_.currentColumn();
  const int oldRow = sheet_.currentRow();
  sheet_.SetCurrent(column, row);
  if (bus_ != nullptr) {
    bus_->Post(msg::StatusText{"", kPlainStatus.text, kPlainStatus.background});
  }
  if (oldColumn != column || oldRow != row) {
    Post(msg::CurrentCellChanged{slot.cell.cellType, slot.cell.cellLink, slot.cell.index});
    if (sheet_.embedded()) {
      view_.RedrawCell(oldColumn, oldRow);
      view_.RedrawCell(column, row);
    } else {
      view_.RedrawRow(oldRow);
      view_.RedrawRow(row);
    }
    view_.CurrentCellChanged();
  }
  ApplyMarking(shift_ || mouseDown_, oldColumn, oldRow);
  if (!byProgram && !moving_) view_.ShowCell(column, row, false, false);
  return true;
}

void SheetController::ClearMarks() {
  for (int row = 0; row < sheet_.rowCount(); ++row) {
    for (int column = 0; column < sheet_.columnCount(); ++column) {
      CellSlot& slot = sheet_.CellAt(column, row);
      if (!slot.marked && !slot.dragMarked) continue;
      slot.marked = slot.dragMarked = false;
      view_.RedrawCell(column, row);
    }
  }
  markingActive_ = false;
}

void SheetController::ApplyMarking(bool extend, int fromColumn, int fromRow) {
  if (sheet_.multiSelect() == Sheet::MultiSelect::None) return;
  const int column = sheet_.currentColumn();
  const int row = sheet_.currentRow();
  ClearMarks();
  if (anchorRow_ < 0) {
    // Marking starts where the cursor was.
    anchorColumn_ = fromColumn >= 0 ? fromColumn : column;
    anchorRow_ = fromColumn >= 0 ? fromRow : row;
  }
  // A rectangle of one cell marks nothing more than the cursor does.
  if (extend && (anchorColumn_ != column || anchorRow_ != row)) {
    for (int r = std::min(anchorRow_, row); r <= std::max(anchorRow_, row); ++r) {
      for (int c = std::min(anchorColumn_, column); c <= std::max(anchorColumn_, column); ++c) {
        CellSlot& slot = sheet_.CellAt(c, r);
        if (!slot.multiSelect) continue;
        slot.marked = true;
        markingActive_ = true;
        view_.RedrawCell(c, r);
      }
    }
  } else {
    anchorColumn_ = column;
    anchorRow_ = row;
    sheet_.CellAt(column, row).dragMarked = true;
  }
  if (sheet_.multiSelect() != Sheet::MultiSelect::Line) return;
  for (int r = 0; r < sheet_.rowCount(); ++r) {
    bool holds = false;
    for (int c = 0; c < sheet_.columnCount() && !holds; ++c) {
      const CellSlot& slot = sheet_.CellAt(c, r);
      holds = slot.marked || slot.dragMarked;
    }
    if (!holds) continue;
    for (int c = sheet_.fixedColumns(); c < sheet_.columnCount(); ++c) {
      sheet_.CellAt(c, r).dragMarked = true;
    }
    view_.RedrawRow(r);
  }
}

void SheetController::MarkRange(int first, int last) {
  ClearMarks();
  const int cellLink = sheet_.CellAt(sheet_.currentColumn(), sheet_.currentRow()).cell.cellLink;
  const int currentIndex = sheet_.CellAt(sheet_.currentColumn(), sheet_.currentRow()).cell.index;
  const int farIndex = currentIndex == first ? last : first;
  for (int row = 0; row < sheet_.rowCount(); ++row) {
    for (int column = 0; column < sheet_.columnCount(); ++column) {
      CellSlot& slot = sheet_.CellAt(column, row);
      if (slot.cell.cellLink != cellLink || slot.cell.index < first || slot.cell.index > last)
        continue;
      slot.marked = true;
      markingActive_ = true;
      if (slot.cell.index == farIndex) {
        anchorColumn_ = column;
        anchorRow_ = row;
      }
      view_.RedrawCell(column, row);
    }
  }
}

CellRequest SheetController::MakeRequest(int column, int row) {
  CellRequest request;
  const Cell* cell = &sheet_.CellAt(column, row).cell;
  request.cell = cell;
  request.ownerCell = ownerCell;
  request.popupHost = view_.PopupHost();
  request.changed = [this, cell](int flags) { Changed(flags, *cell); };
  if (markingActive_ && anchorRow_ >= 0) {
    const int first = std::min(sheet_.fixedColumns(), sheet_.columnCount() - 1);
    const int a = sheet_.CellAt(first, anchorRow_).cell.index;
    const int b = sheet_.CellAt(first, sheet_.currentRow()).cell.index;
    request.rangeFlags |= CellRequest::kRangeSelected;
    request.rangeFirst = std::min(a, b);
    request.rangeLast = std::max(a, b);
  }
  return request;
}

CellRequest SheetController::DrawRequest(int column, int row, bool selected) const {
  CellRequest request;
  request.cell = &sheet_.CellAt(column, row).cell;
  request.ownerCell = ownerCell;
  request.resultFlags = selected ? CellRequest::kCallerSelected : 0;
  if (request.cell->cellLink != kCellLinkNone) sheet_.Access(request, false);
  return request;
}

AccessResult SheetController::SendToCell(int column, int row, CellKey key, int command,
                                         const std::optional<std::string>& text) {
  return Serve(column, row, key, command, text, 0);
}

AccessResult SheetController::Serve(int column, int row, CellKey key, int command,
                                    const std::optional<std::string>& text, int forwards) {
  if (sheet_.embedded()) {
    if (key == SpecialKey::Enter || key == SpecialKey::Activate) {
      // An item the owner says is not available now cannot be chosen.
      if (DrawRequest(column, row, false).itemState == ChoiceState::Unavailable) {
        return AccessResult::Nothing;
      }
      const Cell chosen = sheet_.CellAt(column, row).cell;
      view_.ChoiceMade();
      if (onChoose) onChoose(chosen);
    }
    return AccessResult::Nothing;
  }
  CellRequest request = MakeRequest(column, row);
  request.key = key;
  request.command = command;
  request.callerTellsNotice = bus_ != nullptr;  // below, with the cell's name
  if (text) {
    request.commit = CellCommit::Text;
    request.key = {};
    request.editText = *text;
  }
  const AccessResult result = sheet_.Access(request, true);
  editRefused_ = request.keepEditing;
  if (!request.noticeText.empty() && bus_ != nullptr) {
    const bool refused = Refuses(request.notice);
    bus_->Post(msg::StatusText{CellName(column, row) + ": " + request.noticeText,
                               refused ? kRefusedStatus.text : kNoticeStatus.text,
                               refused ? kRefusedStatus.background : kNoticeStatus.background});
  }
  if (request.redirected) {
    int c = 0;
    int r = 0;
    if (sheet_.FindSelectable(request.servedLink, request.servedIndex, c, r, request.servedType)) {
      moving_ = true;
      SelectCell(c, r, true);
      moving_ = false;
      view_.ShowCell(c, r, false, false);
    }
  }
  if (result == AccessResult::PopupOpened) ClearMarks();
  if (result == AccessResult::StartEdit) {
    editRule_ = request.editRule;
    view_.OpenEditor(request.displayText, request.selectionStart, request.selectionLength);
  }
  const Sheet::MultiSelect multi = sheet_.multiSelect();
  if (multi != Sheet::MultiSelect::None &&
      (request.rangeFlags & CellRequest::kRangeReselect) != 0) {
    MarkRange(std::min(request.rangeFirst, request.rangeLast),
              std::max(request.rangeFirst, request.rangeLast));
  } else if (multi != Sheet::MultiSelect::None) {
    ApplyMarking(shift_);
  }
  Post(msg::RefreshMenuStates{});
  if (!request.forwardedKey.IsNone() && forwards < kMaxForwards) {
    view_.RedrawAll();
    const int pause = std::max(kFirstForwardPauseMs - kForwardPauseStepMs * forwards, 0);
    if (pause == 0 || timers_ == nullptr) {
      Forward(request.forwardedKey, forwards + 1);
    } else {
      if (!replayTimer_) {
        replayTimer_ = timers_->CreateTimer([this] {
          replayTimer_->Stop();
          if (!pendingReplay_) return;
          const Replay replay = *pendingReplay_;
          pendingReplay_.reset();
          Forward(replay.key, replay.forwards);
        });
      }
      pendingReplay_ = Replay{request.forwardedKey, forwards + 1};
      replayTimer_->Start(pause);
    }
  }
  return result;
}

void SheetController::Forward(CellKey key, int forwards) {
  Serve(sheet_.currentColumn(), sheet_.currentRow(), key, 0, std::nullopt, forwards);
}

void SheetController::CommitChoice(int column, int row, const Cell& chosen) {
  if (!sheet_.Contains(column, row)) return;
  CellRequest request = MakeRequest(column, row);
  request.commit = CellCommit::Choice;
  request.popupChoice = &chosen;
  sheet_.Access(request, true);
  view_.RedrawCell(column, row);
  Post(msg::RefreshMenuStates{});
}

bool SheetController::CommitEditText(const std::string& text) {
  editRefused_ = false;
  SendToCell(sheet_.currentColumn(), sheet_.currentRow(), SpecialKey::Enter, 0,
             text.substr(0, kEditorMaxLength));
  return !editRefused_;
}

std::string SheetController::ColumnHeading(int column) const {
  return sheet_.ColumnHeading(column);
}

std::string SheetController::CellName(int column, int row) const {
  std::string label;
  if (sheet_.fixedColumns() > 0 && row >= sheet_.fixedRows()) {
    const Cell& first = sheet_.CellAt(0, row).cell;
    label = OneLine(first.cellLink != kCellLinkNone ? DrawRequest(0, row, false).displayText
                                                    : first.text.value_or(std::string()));
  }
  const std::string heading = ColumnHeading(column);
  if (label.empty()) return heading;
  return heading.empty() ? label : label + ", " + heading;
}

std::string SheetController::MarkText(int column, int row) const {
  if (!sheet_.Contains(column, row)) return {};
  if (sheet_.CellAt(column, row).cell.cellLink == kCellLinkNone) return {};
  const CellRequest request = DrawRequest(column, row, false);
  if ((request.resultFlags & (CellRequest::kResultWarning | CellRequest::kResultError)) == 0) {
    return {};
  }
  const char* key = MarkReasonKey(request.markReason);
  OverlayText& overlay = sheet_.services().overlay;
  return key != nullptr && overlay.HasKey(key) ? overlay.GetFirstLine(key) : std::string();
}

void SheetController::ResolveRowTrack(int& column, int row) const {
  if (!sheet_.Contains(column, row)) return;
  const Cell& cell = sheet_.CellAt(column, row).cell;
  if (cell.selectable || !cell.rowTrack) return;
  for (int c = column - 1; c >= 0; --c) {
    const Cell& left = sheet_.CellAt(c, row).cell;
    if (left.selectable) {
      column = c;
      return;
    }
    if (!left.rowTrack) return;
  }
}

void SheetController::RightButton(int column, int row) {
  ResolveRowTrack(column, row);
  if (markingActive_) {
    const CellSlot& slot = sheet_.CellAt(column, row);
    // The menu acts on the marked rows when the click is among them, else on the row clicked.
    if (slot.marked || slot.dragMarked) return;
    ClearMarks();
  }
  SelectCell(column, row);
}

void SheetController::LeftDown(int column, int row) {
  ResolveRowTrack(column, row);
  if (row < sheet_.fixedRows() && column >= sheet_.fixedColumns() &&
      !sheet_.CellAt(column, row).cell.selectable) {
    SelectColumn(column);  // a column's heading stands for the column
    return;
  }
  SelectCell(column, row);
  mouseDown_ = true;
}

bool SheetController::SelectColumn(int column) {
  if (!sheet_.Contains(column, sheet_.fixedRows())) return false;
  const int current = sheet_.currentRow();
  int bestColumn = -1;
  int bestRow = -1;
  for (int row = sheet_.fixedRows(); row < sheet_.rowCount(); ++row) {
    int c = column;
    ResolveRowTrack(c, row);
    if (!sheet_.CellAt(c, row).cell.selectable) continue;
    if (bestRow < 0 || std::abs(row - current) < std::abs(bestRow - current)) {
      bestColumn = c;
      bestRow = row;
    }
  }
  return bestRow >= 0 && SelectCell(bestColumn, bestRow);
}

void SheetController::DragTo(int column, int row) {
  if (!mouseDown_ || sheet_.multiSelect() == Sheet::MultiSelect::None) return;
  ResolveRowTrack(column, row);
  if (column == sheet_.currentColumn() && row == sheet_.currentRow()) return;
  SelectCell(column, row);
}

void SheetController::LeftUp(int column, int row) {
  mouseDown_ = false;
  if (!sheet_.embedded()) return;
  ResolveRowTrack(column, row);
  if (SelectCell(column, row)) SendToCell(column, row, SpecialKey::Activate);
}

void SheetController::DoubleClick(int column, int row) {
  ResolveRowTrack(column, row);
  if (column == sheet_.currentColumn() && row == sheet_.currentRow()) {
    SendToCell(column, row, SpecialKey::Activate);
  }
}

void SheetController::Hover(int column, int row) {
  if (!sheet_.embedded() || view_.EditorOpen()) return;
  if (column == sheet_.currentColumn() && row == sheet_.currentRow()) return;
  SelectCell(column, row);
}

bool SheetController::IsSelected(int column, int row) const {
  const CellSlot& slot = sheet_.CellAt(column, row);
  if (slot.multiSelect && (slot.marked || slot.dragMarked)) return true;
  if (row != sheet_.currentRow()) return false;
  if (column == sheet_.currentColumn()) return true;
  if (!slot.cell.rowTrack || slot.cell.selectable) return false;
  int c = column;
  ResolveRowTrack(c, row);
  return c != column;
}

bool SheetController::MeetsCriteria(int flags, const Cell& changed, const Cell& cell) {
  const bool typed = changed.cellType != kCellTypeNone;
  const bool linked = cell.cellLink != kCellLinkNone;
  if ((flags & kSameLinkAndIndex) && cell.cellLink == changed.cellLink &&
      cell.index == changed.index) {
    return true;
  }
  if ((flags & kSameType) && cell.cellType == changed.cellType) return true;
  if ((flags & kSameLink) && cell.cellLink == changed.cellLink) return true;
  if ((flags & kAnyLink) && linked) return true;
  if (!typed || !linked) return false;
  if ((flags & kSameIndex) && cell.index == changed.index) return true;
  if ((flags & kNeighbourIndex) && cell.cellType == changed.cellType &&
      std::abs(cell.index - changed.index) <= 1) {
    return true;
  }
  if ((flags & kIndexFrom) && cell.index >= changed.index) return true;
  if ((flags & kIndexUpTo) && cell.index <= changed.index) return true;
  return false;
}

void SheetController::Changed(int flags, const Cell& changed) {
  if (sheet_.busy() || sheet_.rowCount() == 0) return;
  int lastColumn = 0;
  int lastRow = 0;
  view_.VisibleCells(lastColumn, lastRow);
  lastColumn = std::min(lastColumn, sheet_.columnCount() - 1);
  lastRow = std::min(lastRow, sheet_.rowCount() - 1);
  const auto visit = [&](int column, int row) {
    if (MeetsCriteria(flags, changed, sheet_.CellAt(column, row).cell)) {
      view_.RedrawCell(column, row);
    }
  };
  for (int row = 0; row <= lastRow; ++row) {
    if (row >= sheet_.fixedRows() && row < sheet_.topRow()) row = sheet_.topRow();
    if (row > lastRow) break;
    for (int column = 0; column <= lastColumn; ++column) {
      if (column >= sheet_.fixedColumns() && column < sheet_.leftColumn()) {
        column = sheet_.leftColumn();
        if (column > lastColumn) break;
      }
      visit(column, row);
    }
  }
}

int SheetController::UserColumnWidth(int column, int width, int clientWidth) {
  const int row = std::min(sheet_.fixedRows(), sheet_.rowCount() - 1);
  if (sheet_.CellAt(column, row).cell.selectable) {
    int fixedWidth = 0;
    for (int c = 0; c < sheet_.fixedColumns(); ++c) fixedWidth += sheet_.ColumnWidth(c);
    const int upper = std::max(kMinUserWidth, std::min(kMaxUserWidth, clientWidth - fixedWidth));
    width = std::clamp(width, kMinUserWidth, upper);
  }
  sheet_.SetColumnWidth(column, width);
  sheet_.SaveColumnWidths();
  return width;
}

int SheetController::FittedColumnWidth(int column) const {
  const TextMetrics& metrics = sheet_.services().metrics;
  const int margin = static_cast<int>(std::lround(8 * sheet_.scale()));
  int widest = 0;
  for (int row = 0; row < sheet_.rowCount(); ++row) {
    const Cell& cell = sheet_.CellAt(column, row).cell;
    const FontDesc& font = cell.font ? *cell.font : *sheet_.basicCell().font;
    std::string text;
    if (row >= sheet_.fixedRows() && cell.cellLink != kCellLinkNone) {
      text = DrawRequest(column, row, false).displayText;
    } else if (cell.text) {
      text = *cell.text;
    }
    widest = std::max(widest, metrics.TextWidth(font, text) + margin);
  }
  return widest;
}

void SheetController::HandleMessage(const Message& message) {
  if (std::holds_alternative<msg::CommitEdits>(message)) {
    view_.CloseEditor(true);
    return;
  }
  Cell changed;
  changed.cellType = 0;  // the index criteria need a typed cell
  const int flags = std::visit(Overloaded{[](const msg::DataChanged&) { return kAnyLink; },
                                          [&](const msg::RedrawType& m) {
                                            changed.cellType = m.cellType;
                                            return kSameType;
                                          },
                                          [&](const msg::RedrawLink& m) {
                                            changed.cellLink = m.cellLink;
                                            return kSameLink;
                                          },
                                          [&](const msg::RedrawIndex& m) {
                                            changed.index = m.index;
                                            return kSameIndex;
                                          },
                                          [&](const msg::RedrawIndexUpTo& m) {
                                            changed.index = m.index;
                                            return kIndexUpTo;
                                          },
                                          [&](const msg::RedrawIndexFrom& m) {
                                            changed.index = m.index;
                                            return kIndexFrom;
                                          },
                                          [](const auto&) { return 0; }},
                               message);
  if (flags != 0) Changed(flags, changed);
}

}  // namespace rtv
