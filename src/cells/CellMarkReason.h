// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace rtv {

// Why a cell carries its warning or error mark.
enum class CellMarkReason : std::uint8_t {
  None,
  NoWeatherChannel,
  GroupIdPrefix,
  IndividualIdPrefix,
  DuplicateId,
  IdWithoutName,
  PriorityChannelUnused,
  ChoiceUnavailable,
  AlarmRange,
  AtisWithoutRegion,
  SelfIdIsGroup,
};

// The overlay key of the reason's text; null for None.
const char* MarkReasonKey(CellMarkReason reason);

}  // namespace rtv
