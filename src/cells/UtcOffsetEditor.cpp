// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/UtcOffsetEditor.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace rtv {

UtcOffsetEditor::UtcOffsetEditor(int& minutes) : minutes_(minutes) {}

std::string UtcOffsetEditor::Format(int minutes) {
  const long magnitude = std::labs(minutes);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%s%ld:%02ld",
                minutes > 0   ? "+"
                : minutes < 0 ? "-"
                              : "",
                magnitude / 60, magnitude % 60);
  return buffer;
}

std::optional<int> UtcOffsetEditor::Parse(std::string_view text) {
  std::string kept;
  for (const char c : text) {
    if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == ':') kept += c;
  }
  const bool negative = !kept.empty() && kept.front() == '-';
  std::erase_if(kept, [](char c) { return c == '+' || c == '-'; });
  if (kept.size() > 5) return std::nullopt;  // longer than "hh:mm"
  const auto colon = kept.find(':');
  const std::string hours = kept.substr(0, colon);
  const std::string minutes = colon == std::string::npos ? std::string() : kept.substr(colon + 1);
  if (minutes.find(':') != std::string::npos) return std::nullopt;
  const int h = hours.empty() ? 0 : std::atoi(hours.c_str());
  const int m = minutes.empty() ? 0 : std::atoi(minutes.c_str());
  if (m >= 60) return std::nullopt;
  const int total = std::min(h * 60 + m, kLimit);
  return negative ? -total : total;
}

void UtcOffsetEditor::Commit(CellRequest& request) {
  if (request.commit != CellCommit::Text) return;
  const std::optional<int> minutes = Parse(request.editText);
  if (!minutes) return;
  minutes_ = *minutes;
  Take();
}

std::string UtcOffsetEditor::Text() const { return Format(minutes_); }

AccessResult UtcOffsetEditor::Key(CellRequest& request, CellKey key) {
  if (key.IsDigit() || key.typed() == '-' || key.typed() == '+' || key.typed() == ':') {
    return BeginTyping(request, key.typed());
  }
  if (IsEditKey(key)) return BeginWithText(request, Text());
  return AccessResult::Nothing;
}

}  // namespace rtv
