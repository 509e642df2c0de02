// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/TreeSheets.h"

#include "menus/OverlayItems.h"

namespace rtv {
namespace {

// The node classes of the tree: which user flag marks the nodes that come and go.
bool Shown(const Cell& cell, const OptionalSheets& shown) {
  const struct {
    int flag;
    bool on;
  } classes[] = {{0, shown.makerSheets},     {1, shown.usaChannels}, {2, shown.canadianChannels},
                 {3, shown.weatherChannels}, {4, shown.modelSheets}, {6, shown.adjustSheets}};
  for (const auto& nodeClass : classes) {
    if (cell.UserFlag(nodeClass.flag) && !nodeClass.on) return false;
  }
  return true;
}

void Collect(const std::vector<OverlayItem>& items, const OptionalSheets& shown,
             std::vector<TreeSheets::Entry>& entries) {
  for (const OverlayItem& item : items) {
    if (!Shown(item.cell, shown)) continue;
    if (item.cell.option && !item.cell.option->empty()) {
      entries.push_back({*item.cell.option, OverlayItems::Caption(item.cell)});
    }
    Collect(item.children, shown, entries);
  }
}

}  // namespace

std::vector<TreeSheets::Entry> TreeSheets::List(OverlayText& overlay, const OptionalSheets& shown) {
  OverlayItems tree;
  tree.BuildNested(overlay, kTreeKey);
  std::vector<Entry> entries;
  Collect(tree.Items(), shown, entries);
  return entries;
}

}  // namespace rtv
