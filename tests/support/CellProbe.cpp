// SPDX-License-Identifier: GPL-3.0-or-later
#include "CellProbe.h"

#include <algorithm>

#include "cells/Cell.h"
#include "cells/CellAccess.h"

namespace rtv {

bool CellOutcome::Greyed() const {
  return std::find(colours.begin(), colours.end(), CellAccess::kGreyedColour) != colours.end();
}

bool CellOutcome::ReadOnly() const {
  return std::find(colours.begin(), colours.end(), CellAccess::kReadOnlyColour) != colours.end();
}

CellOutcome CellProbe::Run(int link, int index, CellRequest& request) {
  Cell cell;
  cell.cellType = cellType_;
  cell.cellLink = link;
  cell.index = index;
  RecordingCanvas canvas;
  request.cell = &cell;
  request.canvas = &canvas;
  grid_.opened.clear();
  CellOutcome out;
  out.result = host_.accessor.AccessCell(request, false);
  out.text = request.displayText;
  out.flags = request.resultFlags & (CellRequest::kResultWarning | CellRequest::kResultError);
  out.itemState = request.itemState;
  out.key = request.key;
  out.colours = canvas.colours;
  out.opened = grid_.opened;
  out.notice = request.noticeText;
  out.keepEditing = request.keepEditing;
  out.markReason = request.markReason;
  return out;
}

CellOutcome CellProbe::Show(int link, int index) {
  CellRequest request;
  return Run(link, index, request);
}

CellOutcome CellProbe::Key(int link, int index, CellKey key) {
  CellRequest request;
  request.grid = &grid_;
  request.key = key;
  return Run(link, index, request);
}

CellOutcome CellProbe::Type(int link, int index, const std::string& text) {
  CellRequest request;
  request.grid = &grid_;
  request.commit = CellCommit::Text;
  request.editText = text;
  return Run(link, index, request);
}

CellOutcome CellProbe::Choose(int link, int index, int value, int variant) {
  Cell item;
  item.cellLink = variant;
  item.index = value;
  CellRequest request;
  request.grid = &grid_;
  request.commit = CellCommit::Choice;
  request.popupChoice = &item;
  return Run(link, index, request);
}

CellOutcome CellProbe::Ask(int link, int index, int value, int variant) {
  Cell item;
  item.cellLink = variant;
  item.index = value;
  CellRequest request;
  request.popupChoice = &item;
  return Run(link, index, request);
}

CellOutcome CellProbe::Command(int link, int index, int command) {
  CellRequest request;
  request.grid = &grid_;
  request.command = command;
  return Run(link, index, request);
}

}  // namespace rtv
