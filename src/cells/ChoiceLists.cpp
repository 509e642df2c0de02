// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/ChoiceLists.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "cells/Cell.h"
#include "cells/CellMarkup.h"
#include "overlay/OverlayText.h"

namespace rtv {

ChoiceLists::ChoiceLists(OverlayText& store)
    : store_(store), index_(NameTable::kDefaultBuckets, "Overlapped Hash2 table.") {}

ChoiceLists::~ChoiceLists() = default;

const ChoiceList& ChoiceLists::List(std::string_view sheetKey, int cellLink) {
  char number[16];
  const auto end = std::to_chars(number, number + sizeof number, cellLink).ptr;
  lookupKey_.assign(sheetKey);
  lookupKey_ += '#';
  lookupKey_.append(number, end);
  if (const auto found = index_.Find(lookupKey_)) {
    return *lists_[static_cast<std::size_t>(*found)];
  }
  auto list = Build(sheetKey, cellLink);
  index_.Add(lookupKey_, static_cast<int>(lists_.size()));
  lists_.push_back(std::move(list));
  return *lists_.back();
}

std::unique_ptr<ChoiceList> ChoiceLists::Build(std::string_view sheetKey, int cellLink) {
  const std::string body = store_.GetText(std::string(sheetKey) + "_Cells");
  std::vector<std::string_view> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = body.find('\n', start);
    lines.push_back(std::string_view(body).substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }

  // One cell object parses the whole entry without parent, so a cell that names no type
  // or index carries those of the cell before it.
  auto list = std::make_unique<ChoiceList>();
  Cell cell;
  CellCounters counters{};
  for (std::size_t line = 0; line < lines.size(); ++line) {
    std::string_view rest = lines[line];
    for (int position = 0; !rest.empty(); ++position) {
      rest = ParseCell(store_, cell, rest, &counters, nullptr);
      if (cell.cellLink != cellLink) continue;
      list->byValue.push_back({cell.index, cell.option ? *cell.option : cell.text.value_or(""),
                               static_cast<int>(line), position});
    }
  }

  list->byPosition = list->byValue;
  std::stable_sort(list->byValue.begin(), list->byValue.end(),
                   [](const Choice& a, const Choice& b) { return a.value < b.value; });
  const auto lineCount = static_cast<std::int64_t>(lines.size());
  const auto columnMajor = [lineCount](const Choice& c) { return c.line + lineCount * c.position; };
  std::stable_sort(
      list->byPosition.begin(), list->byPosition.end(),
      [&](const Choice& a, const Choice& b) { return columnMajor(a) < columnMajor(b); });
  return list;
}

std::string ChoiceLists::ChoiceName(std::string_view sheetKey, int cellLink, int value) {
  const std::vector<Choice>& choices = List(sheetKey, cellLink).byValue;
  const auto it = std::lower_bound(choices.begin(), choices.end(), value,
                                   [](const Choice& c, int v) { return c.value < v; });
  if (it == choices.end() || it->value != value) return kMissingName;
  return it->name;
}

int ChoiceLists::ChoiceStep(std::string_view sheetKey, int cellLink, int value, int delta) {
  const std::vector<Choice>& choices = List(sheetKey, cellLink).byPosition;
  if (choices.empty()) return value;
  const auto it = std::find_if(choices.begin(), choices.end(),
                               [value](const Choice& c) { return c.value == value; });
  if (it == choices.end()) return choices.front().value;
  const auto count = static_cast<std::int64_t>(choices.size());
  const std::int64_t at =
      ((it - choices.begin() + static_cast<std::int64_t>(delta)) % count + count) % count;
  return choices[static_cast<std::size_t>(at)].value;
}

}  // namespace rtv
