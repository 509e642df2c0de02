// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/AdjustmentItems.h"

#include <array>
#include <string>

#include "cells/BarEditor.h"
#include "cells/Cell.h"
#include "cells/CellAccess.h"
#include "cells/CellAccessHost.h"
#include "cells/IntegerEditor.h"
#include "radio/AdjustmentCodes.h"
#include "radio/AdjustmentState.h"
#include "radio/EepromImage.h"
#include "radio/Readings.h"

namespace rtv {
namespace {

constexpr int kFirstParameter = LinkNo("CL_ADP_REF_Init");
constexpr int kLastParameter = LinkNo("CL_ADP_BEEP_LV");
constexpr int kFirstOpening = LinkNo("CL_ADP_SQLOP_OP");
constexpr int kOpeningL1 = LinkNo("CL_ADP_SQLOP_L1");
constexpr int kLastOpening = LinkNo("CL_ADP_SQLOP_L0");
constexpr int kFirstSheet = LinkNo("CL_Adjust_ChGrp");
constexpr int kLastSheet = LinkNo("CL_Adjust_AFDist_Bar");
constexpr int kFirstReading = LinkNo("CL_WinAD_BATTD");
constexpr int kLastReading = LinkNo("CL_WinAD_AFDV");
constexpr int kBatteryReading = 0;
constexpr int kTemperatureReading = 3;
constexpr int kOpeningHigh = 0x0026;  // the measured squelch levels
constexpr int kOpeningLow = 0x0027;

static_assert(kLastSheet - kFirstSheet + 1 == AdjustmentState::kSheetValues);
static_assert(kLastReading - kFirstReading + 1 == 3 * AdjustmentState::kReadings);

// Consecutive parameters from `first`, stored at consecutive addresses from `address`.
struct ParameterRun {
  int first;
  int count;
  int address;
  bool levels;  // a temperature and level group: Inc1–Inc4 and LvRev1–LvRev2 are signed
};

constexpr ParameterRun kRuns[] = {
    {LinkNo("CL_ADP_REF_Init"), 8, 0x005C, true},    {LinkNo("CL_ADP_H_Init"), 12, 0x0064, true},
    {LinkNo("CL_ADP_L_Init"), 12, 0x0070, true},     {LinkNo("CL_ADP_MOD_Init"), 12, 0x009A, true},
    {LinkNo("CL_ADP_DSC13_Init"), 4, 0x00A6, false}, {LinkNo("CL_ADP_MSE_Init"), 2, 0x00E6, false},
    {LinkNo("CL_ADP_SQL_Init"), 12, 0x00AA, true},   {LinkNo("CL_ADP_SQLSC_OP"), 11, 0x00C2, false},
    {LinkNo("CL_ADP_SQLCL_OP"), 11, 0x00CE, false},  {LinkNo("CL_ADP_POW_MIN"), 1, 0x0102, false},
    {LinkNo("CL_ADP_VLS_LV0"), 13, 0x012D, false},   {LinkNo("CL_ADP_AF_LV0"), 21, 0x0103, false},
    {LinkNo("CL_ADP_ALARM_LV0"), 21, 0x00E8, false}, {LinkNo("CL_ADP_BEEP_LV"), 1, 0x0118, false},
};

constexpr auto kParameters = [] {
  std::array<AdjustmentItems::Parameter, kLastParameter - kFirstParameter + 1> table{};
  std::array<bool, table.size()> set{};
  for (const ParameterRun& run : kRuns) {
    for (int i = 0; i < run.count; ++i) {
      const auto at = static_cast<std::size_t>(run.first + i - kFirstParameter);
      if (set[at]) throw "a parameter placed twice";
      set[at] = true;
      table[at].address = run.address + i;
      table[at].isSigned = run.levels && ((i >= 4 && i <= 7) || i >= 10);
    }
  }
  for (int cellLink = kFirstOpening; cellLink <= kLastOpening; ++cellLink) {
    const auto at = static_cast<std::size_t>(cellLink - kFirstParameter);
    if (set[at]) throw "a computed level placed";
    set[at] = true;
    table[at].computed = true;
  }
  for (const bool placed : set) {
    if (!placed) throw "a parameter without a place";
  }
  return table;
}();

IntegerEditor::Range ByteRange(int minimum, int maximum) {
  IntegerEditor::Range range;
  range.minimum = minimum;
  range.maximum = maximum;
  return range;
}

bool Connected(const CellAccess& access) { return access.host.AdjustmentConnected(); }

void ShowText(CellRequest& request, std::string text) {
  request.displayText = std::move(text);
  request.selectionStart = 0;
  request.selectionLength = static_cast<int>(request.displayText.size());
}

}  // namespace

AdjustmentItems::Parameter AdjustmentItems::ParameterOf(int cellLink) {
  if (cellLink < kFirstParameter || cellLink > kLastParameter) return {};
  return kParameters[static_cast<std::size_t>(cellLink - kFirstParameter)];
}

int AdjustmentItems::SquelchOpening(int cellLink, std::uint8_t high, std::uint8_t low) {
  if (cellLink == kOpeningL1) return high;
  const int step = high < low ? 0 : (high - low) * 10 / 9;
  return (step * (kLastOpening - cellLink) + 5) / 10 + low;
}

AccessResult AdjustmentItems::ServeParameter(CellAccess& access) {
  const int cellLink = access.cell.cellLink;
  EepromImage* image = access.host.CellImage();
  if (image == nullptr || image->Size() < kMemoryMapExtent) return AccessResult::Nothing;
  std::uint8_t* data = image->Data();
  const Parameter parameter = ParameterOf(cellLink);
  if (parameter.computed) {
    access.MarkReadOnly();
    ShowText(access.request,
             std::to_string(SquelchOpening(cellLink, data[kOpeningHigh], data[kOpeningLow])));
    return AccessResult::Nothing;
  }
  const bool readOnly = access.cell.cellType == TypeNo("CT_Adj") && !Connected(access);
  if (readOnly) access.MarkReadOnly();
  std::uint8_t& byte = data[parameter.address];
  int value = parameter.isSigned ? static_cast<std::int8_t>(byte) : byte;
  IntegerEditor editor(value, parameter.isSigned ? ByteRange(-128, 127) : ByteRange(0, 255));
  const AccessResult result = editor.Serve(access.request);
  if (editor.changed() && !readOnly) byte = static_cast<std::uint8_t>(value & 0xFF);
  return result;
}

AccessResult AdjustmentItems::ServeSheet(CellAccess& access) {
  const int cellLink = access.cell.cellLink;
  AdjustmentState* state = access.host.CellAdjustment();
  if (state == nullptr) return AccessResult::Nothing;
  const std::string_view name = kCellLinkNames[static_cast<std::size_t>(cellLink)];
  if (name.ends_with("_Bar")) {
    access.MarkReadOnly();
    const int valueLink = cellLink - 1;
    const int value = state->sheet[static_cast<std::size_t>(valueLink - kFirstSheet)];
    ShowText(access.request, BarEditor::Bar(value, 0, AdjustmentCodes::Maximum(valueLink)));
    return AccessResult::Nothing;
  }
  // Values go to the radio, so they change only while it is connected, and only the host
  // stores them: once the radio has taken them.
  const bool readOnly = !Connected(access) || !AdjustmentCodes::Of(cellLink);
  if (readOnly) access.MarkReadOnly();
  const int stored = state->sheet[static_cast<std::size_t>(cellLink - kFirstSheet)];
  int value = stored;
  IntegerEditor editor(value, ByteRange(0, AdjustmentCodes::Maximum(cellLink)));
  const AccessResult result = editor.Serve(access.request);
  if (editor.changed() && !readOnly && value != stored)
    access.host.AdjustmentEdited(cellLink, value);
  return result;
}

AccessResult AdjustmentItems::ServeReading(CellAccess& access) {
  const int cellLink = access.cell.cellLink;
  access.MarkReadOnly();
  const AdjustmentState* state = access.host.CellAdjustment();
  if (state == nullptr) return AccessResult::Nothing;
  const int reading = (cellLink - kFirstReading) / 3;
  const std::uint8_t raw = state->readings[static_cast<std::size_t>(reading)];
  switch ((cellLink - kFirstReading) % 3) {
    case 0:
      ShowText(access.request, RawDecimalText(raw));
      break;
    case 1:
      ShowText(access.request, RawHexText(raw));
      break;
    default:
      ShowText(access.request, reading == kTemperatureReading
                                   ? TemperatureText(raw)
                                   : VoltageText(raw, reading == kBatteryReading));
      break;
  }
  return AccessResult::Nothing;
}

}  // namespace rtv
