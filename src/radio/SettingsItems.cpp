// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/SettingsItems.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "cells/Cell.h"
#include "cells/CellAccess.h"
#include "cells/CellAccessHost.h"
#include "cells/ChoiceEditor.h"
#include "cells/ChoiceLists.h"
#include "cells/IdDigitsEditor.h"
#include "cells/IntegerEditor.h"
#include "cells/ScaledDecimalEditor.h"
#include "cells/TextEditor.h"
#include "cells/TypedChoiceEditor.h"
#include "cells/UtcOffsetEditor.h"
#include "overlay/OverlayText.h"
#include "radio/EepromImage.h"
#include "radio/ItemAccessor.h"
#include "radio/MemoryLayout.h"
#include "radio/ModelFixedFields.h"

namespace rtv {
namespace {

using Field = SettingItem::Field;
using Editor = SettingItem::Editor;
using Lists = SettingItem::Lists;
using Grey = SettingItem::Grey;
using Rule = SettingItem::Rule;

struct FieldPlace {
  Field field;
  std::uint8_t bit;
};
constexpr FieldPlace kByte{Field::Byte, 0};
constexpr FieldPlace kWord{Field::Word, 0};
constexpr FieldPlace kLowNibble{Field::LowNibble, 0};
constexpr FieldPlace kHighNibble{Field::HighNibble, 0};
constexpr FieldPlace Bit(int n) { return {Field::Bit, static_cast<std::uint8_t>(n)}; }

consteval SettingItem Item(std::string_view name, int address, FieldPlace place, Editor editor) {
  SettingItem item;
  item.cellLink = LinkNo(name);
  item.address = address;
  item.field = place.field;
  item.bit = place.bit;
  item.editor = editor;
  return item;
}

consteval SettingItem Pick(std::string_view name, int address, FieldPlace place, const char* list,
                           int variant = 1) {
  SettingItem item = Item(name, address, place, Editor::Choice);
  item.list = list;
  item.variant = variant;
  return item;
}

consteval SettingItem Number(std::string_view name, int address, FieldPlace place, int minimum,
                             int maximum, int displayOffset = 0) {
  SettingItem item = Item(name, address, place, Editor::Integer);
  item.minimum = minimum;
  item.maximum = maximum;
  item.displayOffset = displayOffset;
  return item;
}

consteval SettingItem Scaled(std::string_view name, int address, FieldPlace place, int scale,
                             int minimum, int maximum, const char* suffix, int storeFactor = 1) {
  SettingItem item = Item(name, address, place, Editor::Scaled);
  item.scale = scale;
  item.minimum = minimum;
  item.maximum = maximum;
  item.suffix = suffix;
  item.storeFactor = storeFactor;
  return item;
}

consteval SettingItem IdItem(std::string_view name, int address, int digits) {
  SettingItem item = Item(name, address, {Field::Id, 0}, Editor::Id);
  item.digits = digits;
  return item;
}

consteval SettingItem TextItem(std::string_view name, int address, int length) {
  SettingItem item = Item(name, address, {Field::Text, 0}, Editor::Text);
  item.digits = length;
  return item;
}

consteval SettingItem DisplayItem(std::string_view name, int address) {
  return Item(name, address, {Field::DisplayCode, 0}, Editor::Choice)
      .From(Lists::DisplayByModel)
      .Indexed(5, 3);
}

consteval SettingItem UtcItem(std::string_view name, int address) {
  return Item(name, address, {Field::SignedWord, 0}, Editor::UtcOffset);
}

constexpr SettingItem kItems[] = {
    IdItem("CL_ComDsc_SelfId", MemoryLayout::kSelfId, 9).Checked(Rule::SelfId),
    Pick("CL_ComDsc_IntCh", 0x23D4, Bit(1), "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_ComDsc_UsaCh", 0x23D4, Bit(0), "GI_Sheet_Sel_Misc_OnOff").Greyed(Grey::UsaRegion),
    Pick("CL_ComDsc_CanCh", 0x23D4, Bit(2), "GI_Sheet_Sel_Misc_OnOff").Greyed(Grey::CanRegion),
    Pick("CL_ComDsc_ChAutoSwitch", 0x0B3D, kByte, nullptr).From(Lists::AutoSwitch),
    Pick("CL_ComDsc_Ch70SqlLv", 0x0B3F, kByte, "GI_Sheet_Sel_Ch70SqlLevel"),
    Pick("CL_ComDsc_DscDataOutput", 0x0B3E, kByte, "GI_Sheet_Sel_DscDataOutput"),
    Pick("CL_ComDsc_IndAutoAck", 0x0B57, kByte, "GI_Sheet_Sel_AutoAckInd")
        .Greyed(Grey::NoAutoAckCall, 24),
    Pick("CL_ComDsc_PosAutoAck", 0x0B58, kByte, "GI_Sheet_Sel_AutoAck")
        .Greyed(Grey::NoAutoAckCall, 33),
    Pick("CL_ComDsc_PolAutoAck", 0x0B59, kByte, "GI_Sheet_Sel_AutoAck")
        .Greyed(Grey::NoAutoAckCall, 39),
    Pick("CL_ComDsc_TestAutoAck", 0x0B5A, kByte, "GI_Sheet_Sel_AutoAck")
        .Greyed(Grey::NoAutoAckCall, 54),
    Pick("CL_ComDsc_Alarm_OnOff_Safety", 0x0B40, Bit(3), "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_ComDsc_Alarm_OnOff_Routine", 0x0B40, Bit(4), "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_ComDsc_Alarm_OnOff_Warning", 0x0B40, Bit(2), "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_ComDsc_Alarm_OnOff_SelfTerm", 0x0B40, Bit(1), "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_ComDsc_Alarm_OnOff_Discrete", 0x0B40, Bit(0), "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_ComDsc_Alarm_Kind_Tx", 0x258E, kByte, "GI_Sheet_Sel_AlmOpt_Kind").ReadOnly(),
    Pick("CL_ComDsc_Alarm_Kind_DistressTx", 0x258A, kByte, "GI_Sheet_Sel_AlmOpt_Kind").ReadOnly(),
    Pick("CL_ComDsc_Alarm_Kind_NoMmsi", 0x2582, kByte, "GI_Sheet_Sel_AlmOpt_Kind").ReadOnly(),
    Pick("CL_ComDsc_Alarm_Kind_PosCeases", 0x2586, kByte, "GI_Sheet_Sel_AlmOpt_Kind").ReadOnly(),
    Pick("CL_ComDsc_Alarm_Kind_Pos4hr", 0x25A2, kByte, "GI_Sheet_Sel_AlmOpt_Kind").ReadOnly(),
    Pick("CL_ComDsc_Alarm_Kind_Pos23hr", 0x25A6, kByte, "GI_Sheet_Sel_AlmOpt_Kind").ReadOnly(),
    Pick("CL_ComDsc_Alarm_Kind_SelfTerm", 0x2592, kByte, "GI_Sheet_Sel_AlmOpt_Kind").ReadOnly(),
    Pick("CL_ComDsc_Alarm_Kind_Discrete1", 0x25AA, kByte, "GI_Sheet_Sel_AlmOpt_Kind").ReadOnly(),
    Pick("CL_ComDsc_Alarm_Kind_Discrete2", 0x259E, kByte, "GI_Sheet_Sel_AlmOpt_Kind").ReadOnly(),
    Pick("CL_ComDsc_Alarm_Kind_Inactivity", 0x2596, kByte, "GI_Sheet_Sel_AlmOpt_Kind").ReadOnly(),
    Number("CL_ComDsc_Alarm_Vol_Tx", 0x258F, kByte, 0, 20),
    Number("CL_ComDsc_Alarm_Vol_DistressTx", 0x258B, kByte, 0, 20),
    Number("CL_ComDsc_Alarm_Vol_NoMmsi", 0x2583, kByte, 0, 20),
    Number("CL_ComDsc_Alarm_Vol_PosCeases", 0x2587, kByte, 0, 20),
    Number("CL_ComDsc_Alarm_Vol_Pos4hr", 0x25A3, kByte, 0, 20),
    Number("CL_ComDsc_Alarm_Vol_Pos23hr", 0x25A7, kByte, 0, 20),
    Number("CL_ComDsc_Alarm_Vol_SelfTerm", 0x2593, kByte, 0, 20),
    Number("CL_ComDsc_Alarm_Vol_Discrete1", 0x25AB, kByte, 0, 20),
    Number("CL_ComDsc_Alarm_Vol_Discrete2", 0x259F, kByte, 0, 20),
    Number("CL_ComDsc_Alarm_Vol_Inactivity", 0x2597, kByte, 0, 20),
    Pick("CL_ComDsc_Alarm_Shutdown_NoMmsi", 0x2585, kLowNibble, "GI_Sheet_Sel_DSC_ALM_Stop")
        .ReadOnly(),
    Pick("CL_ComDsc_Alarm_Shutdown_PosCeases", 0x2589, kLowNibble, "GI_Sheet_Sel_DSC_ALM_Stop"),
    Pick("CL_ComDsc_Alarm_Shutdown_Pos4hr", 0x25A5, kLowNibble, "GI_Sheet_Sel_DSC_ALM_Stop"),
    Pick("CL_ComDsc_Alarm_Shutdown_Pos23hr", 0x25A9, kLowNibble, "GI_Sheet_Sel_DSC_ALM_Stop"),
    Pick("CL_ComDsc_Alarm_Shutdown_SelfTerm", 0x2595, kLowNibble, "GI_Sheet_Sel_DSC_ALM_Stop")
        .ReadOnly(),
    Pick("CL_ComDsc_Alarm_Shutdown_Discrete1", 0x25AD, kLowNibble, "GI_Sheet_Sel_DSC_ALM_Stop")
        .ReadOnly(),
    Pick("CL_ComDsc_Alarm_Shutdown_Discrete2", 0x25A1, kLowNibble, "GI_Sheet_Sel_DSC_ALM_Stop")
        .ReadOnly(),
    Pick("CL_ComDsc_Alarm_Shutdown_Inactivity", 0x2599, kLowNibble, "GI_Sheet_Sel_DSC_ALM_Stop")
        .ReadOnly(),
    Pick("CL_ComDsc_Alarm_Visual_Tx", 0x2591, kHighNibble, "GI_Sheet_Sel_Misc_OnOff").ReadOnly(),
    Pick("CL_ComDsc_Alarm_Visual_DistressTx", 0x258D, kHighNibble, "GI_Sheet_Sel_Misc_OnOff")
        .ReadOnly(),
    Pick("CL_ComDsc_Alarm_Visual_NoMmsi", 0x2585, kHighNibble, "GI_Sheet_Sel_Misc_OnOff")
        .ReadOnly(),
    Pick("CL_ComDsc_Alarm_Visual_PosCeases", 0x2589, kHighNibble, "GI_Sheet_Sel_Misc_OnOff")
        .ReadOnly(),
    Pick("CL_ComDsc_Alarm_Visual_Pos4hr", 0x25A5, kHighNibble, "GI_Sheet_Sel_Misc_OnOff")
        .ReadOnly(),
    Pick("CL_ComDsc_Alarm_Visual_Pos23hr", 0x25A9, kHighNibble, "GI_Sheet_Sel_Misc_OnOff")
        .ReadOnly(),
    Pick("CL_ComDsc_Alarm_Visual_SelfTerm", 0x2595, kHighNibble, "GI_Sheet_Sel_Misc_OnOff")
        .ReadOnly(),
    Pick("CL_ComDsc_Alarm_Visual_Discrete1", 0x25AD, kHighNibble, "GI_Sheet_Sel_Misc_OnOff")
        .ReadOnly(),
    Pick("CL_ComDsc_Alarm_Visual_Discrete2", 0x25A1, kHighNibble, "GI_Sheet_Sel_Misc_OnOff")
        .ReadOnly(),
    Pick("CL_ComDsc_Alarm_Visual_Inactivity", 0x2599, kHighNibble, "GI_Sheet_Sel_Misc_OnOff")
        .ReadOnly(),
    Pick("CL_ComDsc_AllCall_ChCall", 0x23D6, Bit(2), "GI_Sheet_Sel_ChCall_AllShips"),
    Pick("CL_ComDsc_GroupCall_ChCall", 0x23D6, Bit(1), "GI_Sheet_Sel_ChCall"),
    Pick("CL_ComDsc_IndvCall_ChCall", 0x23D6, Bit(0), "GI_Sheet_Sel_ChCall"),
    Pick("CL_ComDsc_Proc_TaskMode", 0x0B56, kByte, "GI_Sheet_Sel_Misc_TaskMode"),
    Pick("CL_ComDsc_Proc_DispInMenu", 0x0E8E, kByte, "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_DscCall_Tx", 0x23D7, kByte, "GI_Sheet_Sel_Misc_OnOff").Indexed(7, 61),
    Pick("CL_DscCall_Tx_Fix", 0x23D7, kByte, "GI_Sheet_Sel_Misc_OnOff").Indexed(7, 61).ReadOnly(),
    Pick("CL_DscCall_Tx_EPIRB_Ind", 0x2401, kByte, "GI_Sheet_Sel_DscCall_TX_EPIRB")
        .Checked(Rule::CallNeeded, 2),
    Pick("CL_DscCall_Tx_EPIRB_All", 0x240F, kByte, "GI_Sheet_Sel_DscCall_TX_EPIRB")
        .Checked(Rule::CallNeeded, 5),
    Pick("CL_DscCall_Tx_MOB_Ind", 0x2416, kByte, "GI_Sheet_Sel_DscCall_TX_EPIRB")
        .Checked(Rule::CallNeeded, 2),
    Pick("CL_DscCall_Tx_MOB_Grp", 0x241D, kByte, "GI_Sheet_Sel_DscCall_TX_EPIRB"),
    Pick("CL_DscCall_Rx", 0x23D8, kByte, "GI_Sheet_Sel_Misc_OnOff").Indexed(7, 61),
    Pick("CL_DscCall_Rx_Fix", 0x23D8, kByte, "GI_Sheet_Sel_Misc_OnOff").Indexed(7, 61).ReadOnly(),
    Pick("CL_DscCall_TxPow", 0x23D9, kByte, "GI_Sheet_Sel_DscCall_Power").Indexed(7, 61),
    Pick("CL_DscCall_Alarm_Kind", 0x23DA, kByte, "GI_Sheet_Sel_DscCall_Alarm_Kind")
        .Indexed(7, 61)
        .ReadOnly(),
    Number("CL_DscCall_Alarm_Min", 0x23DB, kByte, 0, 20).Indexed(7, 61).Checked(Rule::AlarmMinimum),
    Number("CL_DscCall_Alarm_Max", 0x23DC, kByte, 0, 20).Indexed(7, 61).Checked(Rule::AlarmMaximum),
    Pick("CL_DscCall_Alarm_Stop", 0x23DD, kLowNibble, "GI_Sheet_Sel_DSC_ALM_Stop").Indexed(7, 61),
    Pick("CL_DscCall_Alarm_Visual", 0x23DD, kHighNibble, "GI_Sheet_Sel_Misc_OnOff").Indexed(7, 61),
    TextItem("CL_ComCom_CloneComment", 0x0EEB, 16),
    Pick("CL_ComCom_Usa", MemoryLayout::kRegionFlags, Bit(0), "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_ComCom_Canada", MemoryLayout::kRegionFlags, Bit(2), "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_ComCom_Wx", MemoryLayout::kRegionFlags, Bit(1), "GI_Sheet_Sel_Misc_OnOff"),
    DisplayItem("CL_ComCom_Display", 0x0B90).Greyed(Grey::RegionOfIndex),
    Pick("CL_ComCom_Scan", 0x0BBC, Bit(2), "GI_Sheet_Sel_Misc_OnOff")
        .Indexed(1, 3)
        .Greyed(Grey::RegionOfIndex),
    Pick("CL_ComCom_DW", 0x0BBC, Bit(0), "GI_Sheet_Sel_Misc_OnOff")
        .Indexed(1, 3)
        .Greyed(Grey::RegionOfIndex),
    Pick("CL_ComCom_TW", 0x0BBC, Bit(1), "GI_Sheet_Sel_Misc_OnOff")
        .Indexed(1, 3)
        .Greyed(Grey::RegionOfIndex),
    Pick("CL_ComCom_AquaQuakeF", 0x0BA9, Bit(2), "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_ComCom_TotF", 0x0BA9, Bit(5), "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_ComCom_PrivateModeF", 0x0BA9, Bit(0), "GI_Sheet_Sel_Misc_OnOff"),
    Number("CL_ComCom_TotTimer", 0x0BAE, kWord, 0, 600).Suffixed(" sec").Greyed(Grey::TotOff),
    Pick("CL_ComCom_TotAlarm", 0x0BA9, Bit(4), "GI_Sheet_Sel_Misc_OnOff").Greyed(Grey::TotOff),
    Pick("CL_ComCom_PttScan", MemoryLayout::kRegionFlags, Bit(3), "GI_Sheet_Sel_PTT_Scan"),
    Pick("CL_ComCom_ChEx", MemoryLayout::kRegionFlags, Bit(5), "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_RadioSet_ScanType", 0x0B1E, kByte, "GI_Sheet_Sel_ScanType"),
    Pick("CL_RadioSet_ScanTimer", 0x0B1F, kByte, "GI_Sheet_Sel_Misc_OnOff"),
    Scaled("CL_RadioSet_ScanSpeed", 0x0BB1, kByte, 1, 50, 200, " msec"),
    Pick("CL_RadioSet_Dwtw", 0x0B20, kByte, "GI_Sheet_Sel_DualTri"),
    Pick("CL_RadioSet_WxAlert", 0x0B21, kByte, "GI_Sheet_Sel_WxAlert"),
    Pick("CL_RadioSet_Favmic", 0x0B44, Bit(2), "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_RadioSet_CHCloseup", 0x0AEC, kByte, "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_RadioSet_SimpDisp", 0x0B50, kByte, "GI_Sheet_Sel_SimpDisp_OnOff")
        .Indexed(1, 3)
        .Greyed(Grey::RegionOfIndex),
    Pick("CL_RadioSet_SimpMenu", 0x0E98, kByte, "GI_Sheet_Sel_Misc_OnOff")
        .Indexed(1, 3)
        .Greyed(Grey::RegionOfIndex),
    Pick("CL_ComConf_Backlight", 0x0AEF, kByte, "GI_Sheet_Sel_Backlight"),
    Pick("CL_ComConf_Contrast", 0x0AF0, kByte, "GI_Sheet_Sel_Contrast"),
    Pick("CL_ComConf_KeyBeep", 0x0AF2, kByte, "GI_Sheet_Sel_Misc_OnOff"),
    UtcItem("CL_ComConf_UtcOffset", 0x0B42),
    Number("CL_ComConf_RemoteID", 0x0B3C, kByte, 0, 68, 1),
    Pick("CL_ComConf_KeyAssign_SoftKey", 0x0B26, kByte, nullptr)
        .Typed()
        .From(Lists::SoftKeyByModel)
        .Indexed(1, 20)
        .Checked(Rule::SoftKey),
    Pick("CL_ComConf_InactivityTimer", 0x0B5C, kByte, "GI_Sheet_Sel_Inactivity_Timer"),
    Pick("CL_ComConf_InactivityTimer_Dsc", 0x0B5D, kByte, "GI_Sheet_Sel_Inactivity_Timer"),
    Pick("CL_ComConf_InactivityTimer_Dst", 0x0B5B, kByte, "GI_Sheet_Sel_Inactivity_Timer"),
    Pick("CL_ComConf_InactivityTimer_Rt", 0x0B5F, kByte, "GI_Sheet_Sel_Inactivity_Timer_RT"),
    IdItem("CL_ComAtis_AtisId", MemoryLayout::kAtisId, 10),
    Pick("CL_ComAtis_IntCh", 0x22E0, Bit(1), "GI_Sheet_Sel_Misc_OnOffAtis", 2).Checked(Rule::Atis),
    Pick("CL_ComAtis_UsaCh", 0x22E0, Bit(0), "GI_Sheet_Sel_Misc_OnOffAtis", 2).Checked(Rule::Atis),
    Pick("CL_ComAtis_CanCh", 0x22E0, Bit(2), "GI_Sheet_Sel_Misc_OnOffAtis", 2).Checked(Rule::Atis),
    Pick("CL_MakerR_AdjMode", MemoryLayout::kRegionFlags, Bit(6), "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_MakerR_Initial", MemoryLayout::kRegionFlags, Bit(7), "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_MakerR_PosACK_fAuto", 0x0BAB, kByte, "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_MakerR_IndACK_Resend", 0x0BAA, kByte, "GI_Sheet_Sel_Misc_Able"),
    Scaled("CL_MakerR_TX_Mute_Timer", 0x0BB6, kByte, 1, 0, 255, " msec"),
    Scaled("CL_MakerR_RX_Mute_Timer", 0x0BB7, kByte, 1, 0, 255, " msec"),
    Scaled("CL_MakerR_DwTw_Timer", 0x0BB4, kWord, 100, 80, 150, " sec", 10),
    Pick("CL_MakerR_TX_PLLOpt1", 0x0BD2, kByte, "GI_Sheet_Sel_PLLOpt"),
    Pick("CL_MakerR_TX_PLLOpt2", 0x0BD3, kByte, "GI_Sheet_Sel_PLLOpt"),
    Pick("CL_MakerR_RX_PLLOpt1", 0x0BD4, kByte, "GI_Sheet_Sel_PLLOpt"),
    Pick("CL_ComConf_GNSS_GLONASS", 0x0B22, kByte, "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_ComConf_GNSS_SBAS", 0x0B23, kByte, "GI_Sheet_Sel_Misc_OnOff"),
    Pick("CL_ComConf_GNSS_QZSS", 0x0B24, kByte, "GI_Sheet_Sel_Misc_OnOff"),
};

constexpr int kFirstCallLink = LinkNo("CL_DscCall_Tx");
constexpr int kLastCallLink = LinkNo("CL_DscCall_Alarm_Visual");
constexpr int kFirstLink = LinkNo("CL_ComSet_Light");
constexpr int kLastLink = LinkNo("CL_ComConf_GNSS_QZSS");

// Row of each settings link in the table, −1 for links it does not name.
constexpr auto kRowOfLink = [] {
  std::array<int, kLastLink - kFirstLink + 1> rows{};
  rows.fill(-1);
  for (int i = 0; i < static_cast<int>(std::size(kItems)); ++i) {
    const int at = kItems[i].cellLink - kFirstLink;
    if (at < 0 || at >= static_cast<int>(rows.size()) || rows[at] != -1) {
      throw "a settings item outside the family or named twice";
    }
    rows[at] = i;
  }
  return rows;
}();

// Image bytes the rules read.
constexpr int kScanFlags = 0x0BBC;  // one byte a region: bit 0 dual, bit 1 tri-watch, bit 2 scan
constexpr int kTaskMode = 0x0B56;
constexpr int kDscRegions = 0x23D4;  // bit per region
constexpr int kCallTable = 0x23D7;
constexpr int kCallRecordBytes = 7;
constexpr int kRegions = 3;  // USA 0, INT 1, CAN 2; region r has bit r in the flag bytes

constexpr std::uint8_t kTotOn = 0x20;
constexpr std::uint8_t kAquaQuakeOn = 0x04;

constexpr int kSoftKeyScan = 4;
constexpr int kSoftKeyWatch = 5;
constexpr int kSoftKeyAquaQuake = 9;
constexpr int kSoftKeyDsc = 13;

constexpr std::array<const char*, 6> kDisplayCodes = {nullptr, "USA  ", "INT  ",
                                                      "CAN  ", "DSC  ", "ATIS "};
constexpr std::array<const char*, kRegions> kDisplayLists = {
    "GI_Sheet_Sel_UserSetDispUsa", "GI_Sheet_Sel_UserSetDispInt", "GI_Sheet_Sel_UserSetDispCan"};
constexpr std::array<const char*, kRegions> kDisplayListsWithAtis = {
    "GI_Sheet_Sel_UserSetDispUsa_A", "GI_Sheet_Sel_UserSetDispInt_A",
    "GI_Sheet_Sel_UserSetDispCan_A"};

bool RegionOn(const std::uint8_t* image, int region) {
  return region == 1 || (image[MemoryLayout::kRegionFlags] >> region & 1) != 0;
}

// Whether an enabled region other than `except` passes `test`.
template <typename Test>
bool AnyEnabledRegion(const std::uint8_t* image, Test test, int except = -1) {
  for (int region = 0; region < kRegions; ++region) {
    if (region != except && RegionOn(image, region) && test(region)) return true;
  }
  return false;
}

const std::uint8_t* CallRecord(const std::uint8_t* image, int record) {
  return image + kCallTable + kCallRecordBytes * record;
}

bool AtisOn(const std::uint8_t* image, int region) {
  return (image[MemoryLayout::kAtisRegions] >> region & 1) == 0;
}

// Models 0 and 6 have no ATIS and keep the weather channels.
bool WithoutAtis(int modelType) { return modelType == 0 || modelType == 6; }

int ReadValue(const SettingItem& item, const std::uint8_t* at) {
  switch (item.field) {
    case Field::Bit:
      return at[0] >> item.bit & 1;
    case Field::LowNibble:
      return at[0] & 0x0F;
    case Field::HighNibble:
      return at[0] >> 4;
    case Field::Word:
      return at[0] | at[1] << 8;
    case Field::SignedWord:
      return static_cast<std::int16_t>(at[0] | at[1] << 8);
    case Field::DisplayCode:
      for (int value = 1; value < static_cast<int>(kDisplayCodes.size()); ++value) {
        if (std::memcmp(at, kDisplayCodes[value], 5) == 0) return value;
      }
      return 0;
    default:
      return at[0];
  }
}

void WriteValue(const SettingItem& item, std::uint8_t* at, int value) {
  const auto low = static_cast<std::uint8_t>(value & 0xFF);
  switch (item.field) {
    case Field::Bit:
    case Field::LowNibble:
    case Field::HighNibble: {
      const int shift = item.field == Field::Bit          ? item.bit
                        : item.field == Field::HighNibble ? 4
                                                          : 0;
      at[0] = static_cast<std::uint8_t>((at[0] & ~item.Mask()) | ((value << shift) & item.Mask()));
      break;
    }
    case Field::Word:
    case Field::SignedWord:
      at[0] = low;
      at[1] = static_cast<std::uint8_t>(value >> 8 & 0xFF);
      break;
    case Field::DisplayCode:
      // A value without a code (none of the lists offers one) leaves the text as it is.
      if (value > 0 && value < static_cast<int>(kDisplayCodes.size())) {
        std::memcpy(at, kDisplayCodes[value], 5);
      }
      break;
    default:
      at[0] = low;
      break;
  }
}

const char* ListKey(const SettingItem& item, const std::uint8_t* image, int index, int model) {
  switch (item.lists) {
    case Lists::AutoSwitch:
      return image[kTaskMode] != 0 ? "GI_Sheet_Sel_ChAutoSwHld" : "GI_Sheet_Sel_ChAutoSwIgn";
    case Lists::DisplayByModel:
      return (WithoutAtis(model) ? kDisplayLists : kDisplayListsWithAtis)[index];
    case Lists::SoftKeyByModel:
      // The weather key exists where the weather channels do.
      return WithoutAtis(model) ? "GI_Sheet_Sel_KeyAs_SkeyMU" : "GI_Sheet_Sel_KeyAs_SkeyME";
    default:
      return item.list;
  }
}

bool Greyed(const SettingItem& item, const std::uint8_t* image, int index) {
  switch (item.grey) {
    case Grey::RegionOfIndex:
      return !RegionOn(image, index);
    case Grey::UsaRegion:
      return !RegionOn(image, 0);
    case Grey::CanRegion:
      return !RegionOn(image, 2);
    case Grey::TotOff:
      return (image[MemoryLayout::kFunctionFlags] & kTotOn) == 0;
    case Grey::NoAutoAckCall:
      for (int n = item.record; n < item.record + 3; ++n) {
        if (CallRecord(image, n)[1] != 0 && CallRecord(image, n + 3)[0] != 0) return false;
      }
      return true;
    default:
      return false;
  }
}

// A choice the item cannot take now: drawn disabled in its popup, an error when set.
bool Unavailable(const SettingItem& item, const std::uint8_t* image, int value) {
  switch (item.rule) {
    case Rule::CallNeeded:
      return value == 1 && CallRecord(image, item.record)[0] == 0;
    case Rule::Atis: {
      // The last enabled region with ATIS on cannot switch it off.
      const int region = item.bit;
      return value == 1 && RegionOn(image, region) &&
             !AnyEnabledRegion(
                 image, [&](int r) { return AtisOn(image, r); }, region);
    }
    case Rule::SoftKey:
      switch (value) {
        case kSoftKeyScan:
          return !AnyEnabledRegion(image, [&](int r) { return (image[kScanFlags + r] & 4) != 0; });
        case kSoftKeyWatch:
          return !AnyEnabledRegion(image, [&](int r) { return (image[kScanFlags + r] & 3) != 0; });
        case kSoftKeyDsc:
          return !AnyEnabledRegion(image,
                                   [&](int r) { return (image[kDscRegions] >> r & 1) != 0; });
        case kSoftKeyAquaQuake:
          return (image[MemoryLayout::kFunctionFlags] & kAquaQuakeOn) == 0;
        default:
          return false;
      }
    default:
      return false;
  }
}

CellMarkReason ErrorOf(const SettingItem& item, const std::uint8_t* image, int index, int value) {
  const auto when = [](bool error, CellMarkReason reason) {
    return error ? reason : CellMarkReason::None;
  };
  switch (item.rule) {
    case Rule::AlarmMinimum:
    case Rule::AlarmMaximum: {
      const std::uint8_t* record = CallRecord(image, index);
      return when(record[5] < record[4], CellMarkReason::AlarmRange);
    }
    case Rule::Atis:
      return when(!AnyEnabledRegion(image, [&](int r) { return AtisOn(image, r); }),
                  CellMarkReason::AtisWithoutRegion);
    case Rule::CallNeeded:
    case Rule::SoftKey:
      return when(Unavailable(item, image, value), CellMarkReason::ChoiceUnavailable);
    default:
      return CellMarkReason::None;
  }
}

void ShowWhole(CellRequest& request) {
  request.selectionStart = 0;
  request.selectionLength = static_cast<int>(request.displayText.size());
}

// Scaled values are shown with three decimals; whole numbers drop them all.
int TrimOf(const SettingItem& item) { return item.scale == 1 ? 4 : 1; }

}  // namespace

std::span<const SettingItem> SettingsItems::Items() { return kItems; }

const SettingItem* SettingsItems::Find(int cellLink) {
  if (cellLink < kFirstLink || cellLink > kLastLink) return nullptr;
  const int row = kRowOfLink[static_cast<std::size_t>(cellLink - kFirstLink)];
  return row < 0 ? nullptr : &kItems[row];
}

const ChoiceList& SettingsItems::List(ChoiceLists& lists, const char* key, int variant) {
  if (cachedFrom_ != &lists) {
    cachedFrom_ = &lists;
    lists_.clear();
  }
  for (const CachedList& cached : lists_) {
    if (cached.key == key && cached.variant == variant) return *cached.list;
  }
  const ChoiceList& list = lists.List(key, variant);
  lists_.push_back({key, variant, &list});
  return list;
}

const std::string& SettingsItems::SelfIdOffText(CellAccess& access) {
  if (!offTextRead_ && access.host.CellOverlay() != nullptr) {
    offTextRead_ = true;
    offText_ = access.host.CellOverlay()->GetFirstLine("GI_AppInd_Dsc_SelfIdOff");
  }
  return offText_;
}

AccessResult SettingsItems::Serve(CellAccess& access) {
  CellRequest& request = access.request;
  const int cellLink = access.cell.cellLink;
  const SettingItem* found = Find(cellLink);
  if (found == nullptr) {
    request.displayText = std::to_string(cellLink) + " *Yet*";
    return AccessResult::Nothing;
  }
  const SettingItem& item = *found;
  EepromImage* image = access.host.CellImage();
  if (image == nullptr || image->Size() < kMemoryMapExtent) return AccessResult::Nothing;
  const int index = item.count > 1 ? access.cell.index : 0;
  if (index < 0 || index >= item.count) {
    access.MarkReadOnly();  // a cell index the item does not have
    return AccessResult::Nothing;
  }
  std::uint8_t* data = image->Data();
  std::uint8_t* at = data + item.First(index);
  // A value the model puts back on saving cannot be edited for this model.
  const bool fixedByModel =
      !item.readOnly && ModelFixedFields::Covers(access.host.CellModelType(), item.First(index),
                                                 item.Last(index), item.Mask());
  const bool readOnly = item.readOnly || fixedByModel;
  if (item.readOnly) access.MarkReadOnly();
  if (fixedByModel) access.MarkFixedByModel();
  if (Greyed(item, data, index)) access.MarkGreyed();

  AccessResult result = AccessResult::Nothing;
  int value = ReadValue(item, at);
  bool stored = false;
  const auto store = [&](int edited) {
    if (readOnly) return;
    WriteValue(item, at, edited);
    stored = true;
  };
  switch (item.editor) {
    case Editor::Choice:
    case Editor::TypedChoice: {
      ChoiceLists* lists = access.host.CellChoices();
      if (lists == nullptr) return AccessResult::Nothing;
      const char* key = ListKey(item, data, index, access.host.CellModelType());
      // A popup asks whether one of its items can be chosen now.
      if (request.popupChoice != nullptr && request.commit != CellCommit::Choice &&
          Unavailable(item, data, request.popupChoice->index)) {
        request.itemState = ChoiceState::Unavailable;
        access.MarkError(CellMarkReason::ChoiceUnavailable);
      }
      const bool showOnly = request.commit == CellCommit::None &&
                            (request.popupHost == nullptr || request.key.IsNone());
      if (showOnly) {
        // Drawing and checking: no editor, no key strings built.
        const std::vector<Choice>& choices = List(*lists, key, item.variant).byValue;
        const auto it = std::lower_bound(choices.begin(), choices.end(), value,
                                         [](const Choice& c, int v) { return c.value < v; });
        if (it != choices.end() && it->value == value) {
          request.displayText = it->name;
        } else {
          request.displayText = ChoiceLists::kMissingName;
        }
        ShowWhole(request);
        break;
      }
      int edited = value;
      bool changed = false;
      if (item.editor == Editor::TypedChoice) {
        TypedChoiceEditor editor(*lists, key, item.variant, edited);
        result = editor.Serve(request);
        changed = editor.changed();
      } else {
        ChoiceEditor editor(*lists, key, item.variant, edited);
        result = editor.Serve(request);
        changed = editor.changed();
      }
      if (changed) {
        store(edited);
        value = ReadValue(item, at);
      }
      break;
    }
    case Editor::Integer: {
      IntegerEditor editor(value, {item.minimum, item.maximum, item.displayOffset, 1, {}, false});
      result = editor.Serve(request);
      if (editor.changed()) store(value);
      if (result != AccessResult::StartEdit && item.suffix[0] != '\0') {
        request.displayText += item.suffix;
        ShowWhole(request);
      }
      break;
    }
    case Editor::Scaled: {
      value /= item.storeFactor;
      ScaledDecimalEditor editor(
          value, {item.scale, item.minimum, item.maximum, false, {}, TrimOf(item), item.suffix});
      result = editor.Serve(request);
      if (editor.changed()) store(value * item.storeFactor);
      break;
    }
    case Editor::UtcOffset: {
      UtcOffsetEditor editor(value);
      result = editor.Serve(request);
      if (editor.changed()) store(value);
      break;
    }
    case Editor::Text: {
      TextEditor editor(std::span<std::uint8_t>(at, static_cast<std::size_t>(item.digits)),
                        TextEditor::Charset::Printable);
      result = editor.Serve(request);
      break;
    }
    case Editor::Id: {
      const IdDigitsEditor::IdBytes bytes(at, IdDigitsEditor::kIdBytes);
      std::uint8_t& check = at[IdDigitsEditor::kIdBytes];
      IdDigitsEditor editor(bytes, item.digits);
      result = editor.Serve(request);
      if (editor.changed()) check = IdDigitsEditor::CheckByte(bytes);
      if (result == AccessResult::StartEdit) break;
      // The radio takes an ID only with its check byte, so an ID without it is not set;
      // showing alone never writes.
      if (IdDigitsEditor::IsAbsent(bytes) || check != IdDigitsEditor::CheckByte(bytes)) {
        request.displayText = SelfIdOffText(access);
        ShowWhole(request);
      } else if (item.rule == Rule::SelfId && bytes[0] >= 1 && bytes[0] <= 9) {
        access.MarkError(
            CellMarkReason::SelfIdIsGroup);  // a leading single 0 is a group ID, not a ship's own
      }
      break;
    }
  }
  const CellMarkReason error = ErrorOf(item, data, index, value);
  if (error != CellMarkReason::None) access.MarkError(error);
  // The DSC call sheet and the auto-acknowledgement items follow the call values.
  if (stored && cellLink >= kFirstCallLink && cellLink <= kLastCallLink) {
    access.extraFlags |= ItemAccessor::kAccessUseChanged;
  }
  return result;
}

}  // namespace rtv
