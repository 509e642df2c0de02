// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/CellMarkReason.h"

namespace rtv {

const char* MarkReasonKey(CellMarkReason reason) {
  switch (reason) {
    case CellMarkReason::None:
      return nullptr;
    case CellMarkReason::NoWeatherChannel:
      return "GI_Botttom_MarkNoWeather";
    case CellMarkReason::GroupIdPrefix:
      return "GI_Botttom_MarkGroupId";
    case CellMarkReason::IndividualIdPrefix:
      return "GI_Botttom_MarkIndividualId";
    case CellMarkReason::DuplicateId:
      return "GI_Botttom_MarkDuplicateId";
    case CellMarkReason::IdWithoutName:
      return "GI_Botttom_MarkIdName";
    case CellMarkReason::PriorityChannelUnused:
      return "GI_Botttom_MarkPriorityUnused";
    case CellMarkReason::ChoiceUnavailable:
      return "GI_Botttom_MarkUnavailable";
    case CellMarkReason::AlarmRange:
      return "GI_Botttom_MarkAlarmRange";
    case CellMarkReason::AtisWithoutRegion:
      return "GI_Botttom_MarkAtisRegion";
    case CellMarkReason::SelfIdIsGroup:
      return "GI_Botttom_MarkSelfId";
  }
  return nullptr;
}

}  // namespace rtv
