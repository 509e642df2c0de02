// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/ModelSheet.h"

#include <algorithm>

#include "cells/FontMarkup.h"
#include "cells/MarkupText.h"
#include "overlay/OverlayText.h"
#include "sheet/SheetModelHost.h"

namespace rtv {
namespace {

constexpr std::string_view kChannelSheetPrefixes[] = {"GI_Sheet_IntCh", "GI_Sheet_UsaCh",
                                                      "GI_Sheet_CanCh"};

}  // namespace

ModelSheet::ModelSheet(const SheetServices& services, SheetModelHost& model, OverlayText& store,
                       std::string descriptor, int initialLink, int initialIndex)
    : Sheet(services, store, std::move(descriptor), initialLink, initialIndex), model_(model) {}

void ModelSheet::Build() {
  listed_.reset();  // the image or the view may have changed since the last build
  Sheet::Build();
}

void ModelSheet::ApplyStyleItem(std::string_view item) {
  if (item != "WithUsable" || !model_.UsableView()) {
    Sheet::ApplyStyleItem(item);
    return;
  }
  OverlayText& overlay = services().overlay;
  const std::string usable = overlay.GetFirstLine("GI_AppInd_chSheet_Usable_Title");
  SetTitle(title() ? *title() + " " + usable : usable);
  FontDesc font;
  ApplyFont(font, overlay.GetFirstLine("GI_AppInd_chSheet_Usable_Font"));
  SetTitleFont(font);
}

bool ModelSheet::ConditionHolds(std::string_view name, bool& known) const {
  known = true;
  const int model = model_.ModelType();
  const std::uint8_t regions = model_.RegionFlags();
  if (name == "OnlyOption") return model_.OptionInstalled();
  if (name == "OnlyOpt2" || name == "OnlyOpt3") return false;
  if (name == "Only_UsaAusExpModel") return model == 0 || model == 6;
  if (name == "Only_UkHolChnModel") return model == 1 || model == 3 || model == 5;
  if (name == "Only_UsaModel") return model == 0;
  if (name == "Only_EurModel") return model == 2;
  if (name == "OnlyUsaCh") return (regions & 0x01) != 0;
  if (name == "OnlyCanCh") return (regions & 0x04) != 0;
  if (name == "OnlyWxCh") return (regions & 0x02) != 0;
  known = false;
  return true;
}

void ModelSheet::ApplyControlItem(std::string_view item) {
  if (item == "LoopFrom") {
    StartLoop(std::max(ListedCount(), 1));
    return;
  }
  const std::size_t blank = item.find(' ');
  if (blank != std::string_view::npos) {
    bool known = false;
    const bool holds = ConditionHolds(item.substr(0, blank), known);
    if (known && !holds) {
      SkipLines(std::max(ToInt(DecimalPrefix(item.substr(blank + 1))), 0));
      return;
    }
  }
  Sheet::ApplyControlItem(item);
}

bool ModelSheet::NumbersChannels() const {
  return std::any_of(std::begin(kChannelSheetPrefixes), std::end(kChannelSheetPrefixes),
                     [this](std::string_view prefix) { return key().starts_with(prefix); });
}

const std::vector<bool>& ModelSheet::Listed() {
  if (listed_) return *listed_;
  const ListKind kind = ListKindOf(basicCell().cellType);
  const bool usable = model_.UsableView();
  std::vector<bool> listed(kLastChannel + 1);
  for (int n = 0; n <= kLastChannel; ++n) {
    const ChannelMarks marks = model_.Channel(kind, n);
    const bool named = n <= kLastPlanChannel || !marks.nameBlank;
    const bool regionChannel = marks.pChannel || marks.cChannel;
    listed[static_cast<std::size_t>(n)] =
        regionChannel || (usable ? !marks.inhibited && named : named);
  }
  listed_ = std::move(listed);
  return *listed_;
}

bool ModelSheet::ChannelListed(int n) {
  return n >= 0 && n <= kLastChannel && Listed()[static_cast<std::size_t>(n)];
}

int ModelSheet::ListedCount() {
  const std::vector<bool>& listed = Listed();
  return static_cast<int>(std::count(listed.begin(), listed.end(), true));
}

void ModelSheet::FillCells() {
  if (!NumbersChannels()) {
    Sheet::FillCells();
  } else {
    const bool usable = model_.UsableView();
    FillCellsWith([this, usable](Cell& cell) {
      if (!usable && cell.index <= kLastPlanChannel) return;
      int n = std::max(cell.index, 0);
      while (n <= kLastChannel && !ChannelListed(n)) ++n;
      if (n <= kLastChannel) cell.index = n;
    });
  }
  // A hidden column is never a stop for the cursor.
  for (int column = 0; column < columnCount(); ++column) {
    if (ColumnWidth(column) != 0) continue;
    for (int row = 0; row < rowCount(); ++row) CellAt(column, row).cell.selectable = false;
  }
}

}  // namespace rtv
