// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/TypedChoiceEditor.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "cells/ChoiceLists.h"

namespace rtv {
namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// The number a text starts with, if it starts with one.
std::optional<long> LeadingNumber(std::string_view text) {
  long number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end == text.data()) return std::nullopt;
  return number;
}

}  // namespace

void TypedChoiceEditor::Commit(CellRequest& request) {
  if (request.commit != CellCommit::Text) {
    ChoiceEditor::Commit(request);
    return;
  }
  const std::string_view typed = Trimmed(request.editText);
  if (typed.empty()) return;
  const ChoiceList& list = lists_.List(listKey_, variant_);
  for (const Choice& choice : list.byValue) {
    if (SameIgnoringCase(Trimmed(choice.name), typed)) {
      value_ = choice.value;
      Take();
      return;
    }
  }
  const std::optional<long> number = LeadingNumber(typed);
  if (!number) return;
  const Choice* nearest = nullptr;
  long nearestDistance = 0;
  for (const Choice& choice : list.byValue) {
    const std::optional<long> label = LeadingNumber(Trimmed(choice.name));
    if (!label) continue;
    const long distance = std::labs(*label - *number);
    if (nearest == nullptr || distance < nearestDistance) {
      nearest = &choice;
      nearestDistance = distance;
    }
  }
  if (nearest == nullptr) return;
  value_ = nearest->value;
  Take();
}

AccessResult TypedChoiceEditor::Key(CellRequest& request, CellKey key) {
  if (key.IsDigit()) return BeginTyping(request, key.typed());
  if (key == SpecialKey::F2) return BeginWithText(request, Text());
  return ChoiceEditor::Key(request, key);
}

}  // namespace rtv
