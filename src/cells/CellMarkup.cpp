// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/CellMarkup.h"

#include <cstdint>
#include <string>

#include "base/Fatal.h"
#include "cells/CellCatalog.h"
#include "cells/FontMarkup.h"
#include "cells/MarkupText.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

constexpr std::string_view kModelPrefix = "CellModel_";
// Models may name models; a loop among them must not recurse forever.
constexpr int kMaxModelDepth = 32;
constexpr std::size_t kCounterEscapeWidth = 6;

[[noreturn]] void CounterError() { FatalError("Ch No. Error"); }

// Reads "@ch" and one digit not followed by another digit at `pos`; returns the counter
// number and moves `pos` past the reference.
int CounterReference(std::string_view text, std::size_t& pos) {
  const std::string_view ref = text.substr(pos);
  if (ref.size() < 4 || ref[0] != '@' || ref[1] != 'c' || ref[2] != 'h' || ref[3] < '0' ||
      ref[3] > '9') {
    CounterError();
  }
  if (ref.size() > 4 && ref[4] >= '0' && ref[4] <= '9') CounterError();
  pos += 4;
  return ref[3] - '0';
}

// Everything the markup of one cell works on.
class MarkupReader {
 public:
  MarkupReader(OverlayText& models, Cell& cell) : models_(models), cell_(cell) {}

  void ApplyCellText(std::string_view piece);
  void ApplyAttributes(std::string_view text, int depth);
  void ApplyAttribute(std::string_view item, int depth);

 private:
  int& Counter(int n) { return cell_.counters != nullptr ? (*cell_.counters)[n] : scratch_[n]; }
  void ApplyLetter(char letter, bool clear);
  void ApplyModel(std::string_view name, int depth);
  void ApplyBinding(std::string_view binding);
  void ApplyCounterCommand(std::string_view item);
  void ApplyUserFlag(std::string_view item);
  void ApplyDisplayText(std::string_view text);

  OverlayText& models_;
  Cell& cell_;
  CellCounters scratch_{};  // stands in when the cell is parsed without a counter block
};

void MarkupReader::ApplyCellText(std::string_view piece) {
  // Bytes inside braces are attributes, all others display text; braces do not nest and
  // cannot be escaped.
  std::string attributes;
  std::string display;
  bool inBraces = false;
  for (std::size_t i = 0; i < piece.size();) {
    const std::size_t end = CharEnd(piece, i);
    if (piece[i] == '{') {
      inBraces = true;
    } else if (piece[i] == '}') {
      inBraces = false;
    } else {
      (inBraces ? attributes : display).append(piece.substr(i, end - i));
    }
    i = end;
  }
  ApplyAttributes(attributes, 0);
  ApplyDisplayText(display);
}

void MarkupReader::ApplyAttributes(std::string_view text, int depth) {
  bool clearNext = false;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    const bool clear = clearNext;
    clearNext = false;
    if (c == '\\') {
      i = CharEnd(text, i + 1);  // the escaped character is no command
      continue;
    }
    if (c == '(') {
      std::size_t close = i + 1;
      while (close < text.size() && text[close] != ')') {
        close = text[close] == '\\' ? CharEnd(text, close + 1) : CharEnd(text, close);
      }
      if (close >= text.size()) return;  // an unterminated item is ignored
      ApplyAttribute(text.substr(i + 1, close - i - 1), depth);
      i = close + 1;
      continue;
    }
    if (c == '!') {
      clearNext = true;
    } else {
      ApplyLetter(c, clear);
    }
    i = CharEnd(text, i);
  }
}

void MarkupReader::ApplyLetter(char letter, bool clear) {
  switch (letter) {
    // Clearing an alignment has no meaning: "!" before one leaves it as it was.
    case '<':
      if (!clear) cell_.horizontalAlign = Cell::kLeft;
      break;
    case '^':
      if (!clear) cell_.horizontalAlign = Cell::kCentre;
      break;
    case '>':
      if (!clear) cell_.horizontalAlign = Cell::kRight;
      break;
    case '~':
      if (!clear) cell_.verticalAlign = Cell::kTop;
      break;
    case '-':
      if (!clear) cell_.verticalAlign = Cell::kMiddle;
      break;
    case '_':
      if (!clear) cell_.verticalAlign = Cell::kBottom;
      break;
    case 'W':
      cell_.fitWidth = !clear;
      break;
    case 'H':
      cell_.fitHeight = !clear;
      break;
    case '+':
      cell_.joinLeft = !clear;
      break;
    case 'B':
      cell_.bottomLine = !clear;
      break;
    case 'X':
      cell_.rightMark = clear ? Cell::kNoMark : Cell::kFullLine;
      break;
    case 'Q':
      cell_.rightMark = clear ? Cell::kNoMark : Cell::kQuarterPillar;
      break;
    case 'S':
      cell_.selectable = !clear;
      break;
    case 'T':
      cell_.rowTrack = !clear;
      break;
    default:
      break;
  }
}

void MarkupReader::ApplyAttribute(std::string_view item, int depth) {
  constexpr std::string_view kColourItem = "Color=";
  constexpr std::string_view kFont = "Font=";
  constexpr std::string_view kImageIndex = "ImageIndex=";
  constexpr std::string_view kPopupMenu = "PopupMenu=";
  if (item.starts_with('$')) {
    ApplyModel(item.substr(1), depth);
  } else if (item.starts_with(kColourItem)) {
    if (const auto colour = ColourNumber(item.substr(kColourItem.size()))) cell_.colour = *colour;
  } else if (item.starts_with(kFont)) {
    if (!cell_.font) {
      const Cell* parent = cell_.parent;
      cell_.font = parent != nullptr && parent->font ? *parent->font : FontDesc{};
    }
    ApplyFont(*cell_.font, item.substr(kFont.size()));
  } else if (item.starts_with('%')) {
    ApplyBinding(item.substr(1));
  } else if (item.starts_with('@')) {
    ApplyCounterCommand(item);
  } else if (item.starts_with(kImageIndex)) {
    cell_.imageIndex = ToInt(DecimalPrefix(item.substr(kImageIndex.size())));
  } else if (item.starts_with(kPopupMenu)) {
    cell_.popupMenu = std::string(item.substr(kPopupMenu.size()));
  } else if (item.starts_with("Flag")) {
    ApplyUserFlag(item);
  }
}

void MarkupReader::ApplyModel(std::string_view name, int depth) {
  const std::string key = std::string(kModelPrefix) + std::string(name);
  if (depth >= kMaxModelDepth) FatalError("Cell model nesting too deep.\n'" + key + "'");
  ApplyAttributes(models_.GetFirstLine(key), depth + 1);
}

// [type "."] [link] ["[" index "]"] [":" option]
void MarkupReader::ApplyBinding(std::string_view binding) {
  for (std::size_t dot = binding.find('.'); dot != std::string_view::npos;
       dot = binding.find('.', dot + 1)) {
    if (dot > 0 && binding[dot - 1] == '\\') continue;
    cell_.cellType = CellTypeNumber(binding.substr(0, dot));
    binding.remove_prefix(dot + 1);
    break;
  }
  const std::size_t linkEnd = binding.find_first_of("[:");
  cell_.cellLink = CellLinkNumber(binding.substr(0, linkEnd));
  if (linkEnd == std::string_view::npos) return;

  std::size_t colon = linkEnd;
  if (binding[linkEnd] == '[') {
    const std::size_t close = binding.find(']', linkEnd + 1);
    const std::string_view index = binding.substr(linkEnd + 1, close - linkEnd - 1);
    if (index.starts_with('@')) {
      std::size_t pos = 0;
      cell_.index = Counter(CounterReference(index, pos));
    } else {
      cell_.index = ToInt(DecimalPrefix(index));
    }
    colon = close == std::string_view::npos ? close : binding.find(':', close + 1);
  }
  if (colon == std::string_view::npos) return;

  // Backslashes escape the character after them and are dropped.
  const std::string_view text = binding.substr(colon + 1);
  std::string option;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\') {
      if (++i == text.size()) break;
    }
    option.push_back(text[i]);
  }
  cell_.option = std::move(option);
}

// "@chN++" adds one; "@chN = value" sets the counter.
void MarkupReader::ApplyCounterCommand(std::string_view item) {
  std::size_t pos = 0;
  int& counter = Counter(CounterReference(item, pos));
  std::string_view rest = item.substr(pos);
  if (rest.starts_with("++")) {
    counter = static_cast<int>(static_cast<unsigned>(counter) + 1u);  // wraps, never traps
    return;
  }
  while (rest.starts_with(' ')) rest.remove_prefix(1);
  if (!rest.starts_with('=')) return;
  std::size_t used = 0;
  const std::int64_t value = DecimalPrefix(rest.substr(1), used);
  if (used > 0) counter = ToInt(value);
}

// Exactly "Flag", a digit 0–7, "=" and "0" or "1".
void MarkupReader::ApplyUserFlag(std::string_view item) {
  if (item.size() != 7 || item[4] < '0' || item[4] > '7' || item[5] != '=' ||
      (item[6] != '0' && item[6] != '1')) {
    return;
  }
  cell_.SetUserFlag(item[4] - '0', item[6] == '1');
}

void MarkupReader::ApplyDisplayText(std::string_view raw) {
  const std::string_view text = TrimBlanksAndControls(raw);
  if (text.empty()) {
    cell_.text.reset();
    return;
  }
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] != '\\') {
      const std::size_t end = CharEnd(text, i);
      out.append(text.substr(i, end - i));
      i = end;
      continue;
    }
    if (i + 1 >= text.size()) break;  // a backslash at the very end stands for nothing
    const char escaped = text[i + 1];
    if (escaped == 'n' || escaped == 'N') {
      out.push_back('\n');
      i += 2;
    } else if (escaped == '_') {
      out.push_back(' ');
      i += 2;
    } else if (escaped == '(') {
      // "\(@chN)" or "\(@chN+k)": the counter's value, at most six characters.
      std::size_t pos = i + 2;
      std::int64_t value = Counter(CounterReference(text, pos));
      if (pos < text.size() && text[pos] == '+') {
        std::size_t used = 0;
        value += DecimalPrefix(text.substr(pos + 1), used);
        pos += 1 + used;
      }
      if (pos < text.size() && text[pos] == ')') ++pos;
      out.append(std::to_string(value).substr(0, kCounterEscapeWidth));
      i = pos;
    } else {
      const std::size_t end = CharEnd(text, i + 1);
      out.append(text.substr(i + 1, end - i - 1));
      i = end;
    }
  }
  cell_.text = std::move(out);
}

// The first "|" that no backslash escapes.
std::size_t CellEnd(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '|') return i;
    i = text[i] == '\\' ? CharEnd(text, i + 1) : CharEnd(text, i);
  }
  return std::string_view::npos;
}

}  // namespace

std::string_view ParseCell(OverlayText& models, Cell& cell, std::string_view rowText,
                           CellCounters* counters, const Cell* parent, bool splitOnly) {
  const std::size_t end = CellEnd(rowText);
  const std::string_view piece = rowText.substr(0, end);
  const std::string_view rest =
      end == std::string_view::npos ? std::string_view() : rowText.substr(end + 1);
  cell.Restart(parent);
  if (!splitOnly) {
    cell.counters = counters;
    MarkupReader(models, cell).ApplyCellText(piece);
    cell.counters = nullptr;
  }
  return rest;
}

std::vector<Cell> ParseRow(OverlayText& models, std::string_view rowText, CellCounters* counters,
                           const Cell* parent) {
  std::vector<Cell> cells;
  while (!rowText.empty()) {
    Cell& cell = cells.emplace_back();
    rowText = ParseCell(models, cell, rowText, counters, parent);
  }
  return cells;
}

void ApplyAttributes(OverlayText& models, Cell& cell, std::string_view attributes) {
  MarkupReader(models, cell).ApplyAttributes(attributes, 0);
}

void ApplyAttribute(OverlayText& models, Cell& cell, std::string_view item) {
  MarkupReader(models, cell).ApplyAttribute(item, 0);
}

}  // namespace rtv
