// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/CellEditor.h"

#include <utility>

namespace rtv {

AccessResult CellEditor::Serve(CellRequest& request) {
  if (request.key == SpecialKey::Activate) request.key = SpecialKey::Enter;
  request.editRule = Rule();
  if (request.commit != CellCommit::None) Commit(request);
  AccessResult result = AccessResult::Nothing;
  if (request.popupHost != nullptr && !request.key.IsNone()) {
    const bool before = changed_;
    result = Key(request, request.key);
    if (result != AccessResult::Nothing || changed_ != before) request.key = {};
  }
  if (result != AccessResult::StartEdit) ShowSelected(request, Text());
  return result;
}

AccessResult CellEditor::BeginTyping(CellRequest& request, char typed) {
  request.displayText.assign(1, typed);
  request.selectionStart = 1;
  request.selectionLength = 0;
  return AccessResult::StartEdit;
}

AccessResult CellEditor::BeginWithText(CellRequest& request, const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  const auto last = text.find_last_not_of(' ');
  ShowSelected(request,
               first == std::string::npos ? std::string() : text.substr(first, last - first + 1));
  return AccessResult::StartEdit;
}

void CellEditor::Refuse(CellRequest& request, CellNotice notice, std::vector<std::string> values) {
  request.notice = notice;
  request.noticeValues = std::move(values);
  request.keepEditing = true;
}

void CellEditor::ShowSelected(CellRequest& request, std::string text) {
  request.displayText = std::move(text);
  request.selectionStart = 0;
  request.selectionLength = static_cast<int>(request.displayText.size());
}

}  // namespace rtv
