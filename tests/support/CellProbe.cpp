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

CellOutcome CellProbe::Run(int cellLink, int index, CellRequest& request) {
  Cell cell;
  cell.cellType = cellType_;
  cell.cellLink = cellLink;
  cell.index = index;
  RecordingCanvas canvas;
  request.cell = &cell;
  request.canvas = &canvas;
  popupHost_.opened.clear();
  CellOutcome out;
  out.result = host_.accessor.AccessCell(request, false);
  out.text = request.displayText;
  out.flags = request.resultFlags & (CellRequest::kResultWarning | CellRequest::kResultError);
  out.itemState = request.itemState;
  out.key = request.key;
  out.colours = canvas.colours;
  out.opened = popupHost_.opened;
  out.notice = request.noticeText;
  out.keepEditing = request.keepEditing;
  out.markReason = request.markReason;
  return out;
}

CellOutcome CellProbe::Show(int cellLink, int index) {
  CellRequest request;
  return Run(cellLink, index, request);
}

CellOutcome CellProbe::Key(int cellLink, int index, CellKey key) {
  CellRequest request;
  request.popupHost = &popupHost_;
  request.key = key;
  return Run(cellLink, index, request);
}

CellOutcome CellProbe::Type(int cellLink, int index, const std::string& text) {
  CellRequest request;
  request.popupHost = &popupHost_;
  request.commit = CellCommit::Text;
  request.editText = text;
  return Run(cellLink, index, request);
}

CellOutcome CellProbe::Choose(int cellLink, int index, int value, int variant) {
  Cell item;
  item.cellLink = variant;
  item.index = value;
  CellRequest request;
  request.popupHost = &popupHost_;
  request.commit = CellCommit::Choice;
  request.popupChoice = &item;
  return Run(cellLink, index, request);
}

CellOutcome CellProbe::Ask(int cellLink, int index, int value, int variant) {
  Cell item;
  item.cellLink = variant;
  item.index = value;
  CellRequest request;
  request.popupChoice = &item;
  return Run(cellLink, index, request);
}

CellOutcome CellProbe::Command(int cellLink, int index, int command) {
  CellRequest request;
  request.popupHost = &popupHost_;
  request.command = command;
  return Run(cellLink, index, request);
}

}  // namespace rtv
