// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "cells/CellNames.h"

namespace rtv {

// The row structure a cell type stands for.
enum class ListKind {
  None = 0,
  IntChannels = 1,
  UsaChannels = 2,
  CanChannels = 3,
  DscChannels = 4,
  WeatherChannels = 5,
  FreeChannels = 6,
  DscIndividualIds = 7,
  DscGroupIds = 8,
  IdBlocking = 9,
  AtisCall = 10,
  Adjustment = 11,
};

// Groups of consecutive cell links that one handler of the item accessor serves; where
// each begins is written once, in CellCatalog.cpp.
enum class LinkFamily {
  Special,
  EepromDebug,
  FreeDebug,
  MenuCommands,
  SheetCall,
  WarningChecks,
  CloneInformation,
  PopupCommands,
  LayoutHelpers,
  FixedTexts,
  ChannelListColumns,
  RegionColumns,
  DscChannelList,
  WeatherChannelList,
  FreeChannels,
  DscIdLists,
  RadioSettings,
  AdjustmentSheet,
  AdjustmentParams,
  AdReadings,
  None,  // anything outside the catalog
};
inline constexpr int kLinkFamilyCount = static_cast<int>(LinkFamily::None);

// Name to number. The empty name is "none" (13, 567); any other name that is not in the
// catalog is a fault in the overlay and fatal. Names are case-sensitive.
int CellTypeNumber(std::string_view name);
int CellLinkNumber(std::string_view name);

// The name of a link, or the empty text outside 0–566.
std::string CellLinkName(int cellLink);

// The list kind of a cell type 0–13; any other number is fatal.
ListKind ListKindOf(int cellType);
// Rows of a list kind with row records (0 for kinds without them).
int ListRowCount(ListKind kind);

LinkFamily LinkFamilyOf(int cellLink);
// First and last link of a family.
int LinkFamilyFirst(LinkFamily family);
int LinkFamilyLast(LinkFamily family);

}  // namespace rtv
