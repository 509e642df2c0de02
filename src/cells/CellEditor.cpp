#include "cells/CellEditor.h"

#include <utility>

namespace rtv {

int CellEditor::Serve(CellRequest& request) {
  if (request.key == SpecialKey::Activate) request.key = SpecialKey::Enter;
  if (request.commit != CellCommit::None) Commit(request);
  int result = kNothing;
  if (request.grid != nullptr && !request.key.IsNone()) {
    const bool before = changed_;
    result = Key(request, request.key);
    if (result != kNothing || changed_ != before) request.key = {};
  }
  if (result != kStartEdit) ShowSelected(request, Text());
  return result;
}

int CellEditor::BeginTyping(CellRequest& request, char typed) {
  request.displayText.assign(1, typed);
  request.selectionStart = 1;
  request.selectionLength = 0;
  return kStartEdit;
}

int CellEditor::BeginWithText(CellRequest& request, const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  const auto last = text.find_last_not_of(' ');
  ShowSelected(request,
               first == std::string::npos ? std::string() : text.substr(first, last - first + 1));
  return kStartEdit;
}

void CellEditor::ShowSelected(CellRequest& request, std::string text) {
  request.displayText = std::move(text);
  request.selectionStart = 0;
  request.selectionLength = static_cast<int>(request.displayText.size());
}

}  // namespace rtv
