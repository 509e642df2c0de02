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

// Groups of consecutive cell links that one handler of the item accessor serves.
enum class LinkFamily {
  Special,             // 0–3
  EepromDebug,         // 4–20
  FreeDebug,           // 21–23
  MenuCommands,        // 24–52
  SheetCall,           // 53
  WarningChecks,       // 54–65
  CloneInformation,    // 66–71
  PopupCommands,       // 72–82
  LayoutHelpers,       // 83–86
  FixedTexts,          // 87–100
  ChannelListColumns,  // 101–109
  RegionColumns,       // 110–133
  DscChannelList,      // 134–139
  WeatherChannelList,  // 140–141
  FreeChannels,        // 142–145
  DscIdLists,          // 146–149
  RadioSettings,       // 150–329
  AdjustmentSheet,     // 330–369
  AdjustmentParams,    // 370–521
  AdReadings,          // 522–566
  None,                // 567 and anything outside the catalog
};
inline constexpr int kLinkFamilyCount = static_cast<int>(LinkFamily::None);

// Name to number. The empty name is "none" (13, 567); any other name that is not in the
// catalog is a fault in the overlay and fatal. Names are case-sensitive.
int CellTypeNumber(std::string_view name);
int CellLinkNumber(std::string_view name);

// The name of a link, or the empty text outside 0–566.
std::string CellLinkName(int link);

// The list kind of a cell type 0–13; any other number is fatal.
ListKind ListKindOf(int cellType);
// Rows of a list kind with row records (0 for kinds without them).
int ListRowCount(ListKind kind);

LinkFamily LinkFamilyOf(int link);
// First and last link of a family.
int LinkFamilyFirst(LinkFamily family);
int LinkFamilyLast(LinkFamily family);

}  // namespace rtv
