// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace rtv {

// Where the radio's tables and flags lie in the image: one name for each address that more
// than one part of the program uses. An address that only one item reads stays in that
// item's row of the settings table.
struct MemoryLayout {
  // Tables with one entry per region, USA, INT, CAN in this order.
  static constexpr std::int32_t kAttributeTables = 0x02F0;  // one byte per channel row
  static constexpr std::int32_t kAttributeTableSize = 448;
  static constexpr std::int32_t kSavedPWords = 0x0AB0;  // the P words as the last save set them
  static constexpr std::int32_t kCWords = 0x0AE0;
  static constexpr std::int32_t kSimplifiedDisplay = 0x0B50;
  static constexpr std::int32_t kPWords = 0x0BA2;

  static constexpr std::int32_t kFreeTable = 0x0830;  // private channels, 9-byte records
  static constexpr std::int32_t kWeatherMask = 0x0BA0;
  // Bit 0 USA plan, 1 weather channels, 2 Canadian plan, 3 PTT scan, 5 channel extension,
  // 6 adjust mode, 7 initial; the INT plan is always on.
  static constexpr std::int32_t kRegionFlags = 0x0BA8;
  static constexpr std::int32_t kFunctionFlags = 0x0BA9;
  static constexpr std::int32_t kMakerName = 0x0EE0;
  static constexpr std::int32_t kModelType = 0x0EE9;
  static constexpr std::int32_t kValidFlag = 0x0EEA;
  static constexpr std::int32_t kCommentTable = 0x0F10;  // 11-byte records, one per channel row
  static constexpr std::int32_t kWeatherComments = 0x2250;
  static constexpr std::int32_t kAtisId = 0x22D0;
  static constexpr std::int32_t kAtisRegions = 0x22E0;  // bit per region; 0 means ATIS on
  static constexpr std::int32_t kDscAttributes = 0x2300;
  static constexpr std::int32_t kSelfId = 0x23C0;  // the ship's own MMSI: five digit bytes, check
  static constexpr std::int32_t kDscCalls = 0x23D7;
  static constexpr std::int32_t kAlarmOptions = 0x2582;
  static constexpr std::int32_t kIdTable = 0x25C0;  // individual, then group IDs, 16-byte records
};

}  // namespace rtv
