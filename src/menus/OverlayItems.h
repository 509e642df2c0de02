// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cells/Cell.h"

namespace rtv {

class OverlayText;

// One item of a menu, tree or toolbar body, with the items nested under it.
struct OverlayItem {
  Cell cell;
  std::vector<OverlayItem> children;
};

// The cells of a menu, tree or toolbar written in the overlay: key + "_BasicCell" is the
// parent of every item, key + "_Body" holds one item per line up to a line starting "#".
// Menu and tree lines nest by the number of bytes before their "+"; toolbar lines are
// plain cells.
class OverlayItems {
 public:
  OverlayItems();
  ~OverlayItems();
  OverlayItems(const OverlayItems&) = delete;
  OverlayItems& operator=(const OverlayItems&) = delete;

  void BuildNested(OverlayText& store, const std::string& key);
  void BuildFlat(OverlayText& store, const std::string& key);

  const Cell& BasicCell() const { return *basic_; }
  std::vector<OverlayItem>& Items() { return items_; }
  const std::vector<OverlayItem>& Items() const { return items_; }

  // The caption of an item: its text without the trailing tabs and blanks.
  static std::string Caption(const Cell& cell);

 private:
  void ReadBasicCell(OverlayText& store, const std::string& key);
  // Builds one level from `line` on; returns the index of the first line it did not use.
  int BuildLevel(OverlayText& store, const std::vector<std::string>& lines, int line,
                 std::vector<OverlayItem>& level);

  // On the heap: every item's cell points at it as its parent.
  std::unique_ptr<Cell> basic_;
  std::vector<OverlayItem> items_;
};

}  // namespace rtv
