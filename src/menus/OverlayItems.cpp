// SPDX-License-Identifier: GPL-3.0-or-later
#include "menus/OverlayItems.h"

#include "cells/CellMarkup.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

// The body's lines up to the first one that starts with "#".
std::vector<std::string> BodyLines(OverlayText& store, const std::string& key) {
  std::vector<std::string> lines;
  if (!store.HasKey(key + "_Body")) return lines;
  const std::string body = store.GetText(key + "_Body");
  std::size_t start = 0;
  if (body.empty()) return lines;
  while (start <= body.size()) {
    const auto end = body.find('\n', start);
    lines.push_back(body.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace

OverlayItems::OverlayItems() : basic_(std::make_unique<Cell>()) {}

OverlayItems::~OverlayItems() = default;

void OverlayItems::ReadBasicCell(OverlayText& store, const std::string& key) {
  items_.clear();
  *basic_ = Cell{};
  // Without its entries a menu, tree or toolbar is empty rather than the end of the program.
  if (!store.HasKey(key + "_BasicCell")) return;
  ParseCell(store, *basic_, store.GetFirstLine(key + "_BasicCell"), nullptr, nullptr);
}

void OverlayItems::BuildNested(OverlayText& store, const std::string& key) {
  ReadBasicCell(store, key);
  const std::vector<std::string> lines = BodyLines(store, key);
  int line = 0;
  // A line shallower than the first ends the first level; the next level starts there.
  while (line < static_cast<int>(lines.size())) {
    const int next = BuildLevel(store, lines, line, items_);
    if (next == line) break;
    line = next;
  }
}

void OverlayItems::BuildFlat(OverlayText& store, const std::string& key) {
  ReadBasicCell(store, key);
  for (const std::string& line : BodyLines(store, key)) {
    OverlayItem item;
    ParseCell(store, item.cell, line, nullptr, basic_.get());
    items_.push_back(std::move(item));
  }
}

int OverlayItems::BuildLevel(OverlayText& store, const std::vector<std::string>& lines, int line,
                             std::vector<OverlayItem>& level) {
  int levelDepth = -1;
  while (line < static_cast<int>(lines.size())) {
    const std::string& text = lines[static_cast<std::size_t>(line)];
    const auto plus = text.find('+');
    // A line without "+" is no item; it is skipped as it carries nothing to show.
    if (plus == std::string::npos) {
      ++line;
      continue;
    }
    const int depth = static_cast<int>(plus);
    if (levelDepth < 0) levelDepth = depth;
    if (depth == levelDepth) {
      OverlayItem item;
      ParseCell(store, item.cell, std::string_view(text).substr(plus + 1), nullptr, basic_.get());
      level.push_back(std::move(item));
      ++line;
    } else if (depth > levelDepth) {
      // Deeper lines before any item of this level have no parent: they join this level.
      if (level.empty()) {
        levelDepth = depth;
        continue;
      }
      line = BuildLevel(store, lines, line, level.back().children);
    } else {
      return line;
    }
  }
  return line;
}

std::string OverlayItems::Caption(const Cell& cell) {
  std::string caption = cell.text.value_or(std::string());
  while (!caption.empty() && (caption.back() == '\t' || caption.back() == ' ')) {
    caption.pop_back();
  }
  return caption;
}

}  // namespace rtv
