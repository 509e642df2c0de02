// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/AdjustmentCodes.h"

#include "cells/CellNames.h"

namespace rtv {
namespace {

struct Entry {
  int cellLink;
  std::uint8_t code;
};

// The test conditions take the code of their place in the sheet (the frequency beside the
// channel is shown only), so the reference is code 9 and takes twelve bits; the alignment
// values follow on.
constexpr Entry kEntries[] = {
    {LinkNo("CL_Adjust_ChGrp"), 0x00},
    {LinkNo("CL_Adjust_ChNo"), 0x01},
    {LinkNo("CL_Adjust_RfPow"), 0x03},
    {LinkNo("CL_Adjust_TA"), 0x04},
    {LinkNo("CL_Adjust_AFLevel"), 0x05},
    {LinkNo("CL_Adjust_SQLLevel"), 0x06},
    {LinkNo("CL_Adjust_MicExt"), 0x07},
    {LinkNo("CL_Adjust_PTT"), 0x08},
    {LinkNo("CL_Adjust_Ref"), AdjustmentCodes::kTwelveBitCode},
    {LinkNo("CL_Adjust_High"), 0x0A},
    {LinkNo("CL_Adjust_Low"), 0x0B},
    {LinkNo("CL_Adjust_ModW"), 0x0C},
    {LinkNo("CL_Adjust_DSC13"), 0x0D},
    {LinkNo("CL_Adjust_DSC21"), 0x0E},
    {LinkNo("CL_Adjust_ATIS13"), 0x0F},
    {LinkNo("CL_Adjust_ATIS21"), 0x10},
    {LinkNo("CL_Adjust_MsensInt"), 0x11},
    {LinkNo("CL_Adjust_MsensExt"), 0x12},
    {LinkNo("CL_Adjust_BpfT1"), 0x13},
    {LinkNo("CL_Adjust_BpfT1_Sweep"), 0x14},
    {LinkNo("CL_Adjust_SqlTh"), 0x15},
    {LinkNo("CL_Adjust_SqlTh_Sweep"), 0x16},
    {LinkNo("CL_Adjust_SqlTi"), 0x17},
    {LinkNo("CL_Adjust_SqlTi_Sweep"), 0x18},
    {LinkNo("CL_Adjust_AFDist"), 0x19},
};

// The answers of the read of every value use 0x20 and up, and 0x57/0x58 read one value.
consteval bool CodesAreOwn() {
  for (std::size_t i = 0; i < std::size(kEntries); ++i) {
    if (kEntries[i].code >= 0x20) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (kEntries[j].code == kEntries[i].code || kEntries[j].cellLink == kEntries[i].cellLink) {
        return false;
      }
    }
  }
  return true;
}
static_assert(CodesAreOwn());

}  // namespace

std::optional<AdjustmentCodes::Code> AdjustmentCodes::Of(int cellLink) {
  for (const Entry& entry : kEntries) {
    if (entry.cellLink == cellLink) return Code{entry.code, entry.code == kTwelveBitCode};
  }
  return std::nullopt;
}

int AdjustmentCodes::Maximum(int cellLink) {
  const std::optional<Code> code = Of(cellLink);
  return code && code->twelveBit ? kTwelveBitMaximum : kByteMaximum;
}

}  // namespace rtv
