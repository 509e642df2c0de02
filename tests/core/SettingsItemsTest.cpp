// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/SettingsItems.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "CellProbe.h"
#include "MemoryAccessHost.h"
#include "cells/Cell.h"
#include "cells/ChoiceLists.h"
#include "radio/ModelFixedFields.h"

namespace rtv {
namespace {

using Field = SettingItem::Field;
using Editor = SettingItem::Editor;
using Lists = SettingItem::Lists;

constexpr int kFlexMarking = LinkNo("CL_FlexMarking");
constexpr CellKey kSpace = CellKey::Typed(' ');
constexpr CellKey kBack = SpecialKey::Backspace;

struct SettingsItemsTest : ::testing::Test {
  std::uint8_t& At(int address) { return host.image.Data()[address]; }
  int Word(int address) { return At(address) | At(address + 1) << 8; }
  void SetWord(int address, int value) {
    At(address) = static_cast<std::uint8_t>(value & 0xFF);
    At(address + 1) = static_cast<std::uint8_t>(value >> 8 & 0xFF);
  }
  // The bytes that differ from `before`.
  std::vector<int> Changed(const EepromImage& before) {
    std::vector<int> changed;
    const std::uint8_t* now = host.image.Data();
    const std::uint8_t* then = before.Data();
    for (int a = 0; a < host.image.Size(); ++a) {
      if (now[a] != then[a]) changed.push_back(a);
    }
    return changed;
  }
  // The list an item names on the current image (models 0–6 choose some lists).
  std::string ListOf(const SettingItem& item, int index) {
    const bool noAtis = host.modelType == 0 || host.modelType == 6;
    switch (item.lists) {
      case Lists::AutoSwitch:
        return At(0x0B56) != 0 ? "GI_Sheet_Sel_ChAutoSwHld" : "GI_Sheet_Sel_ChAutoSwIgn";
      case Lists::DisplayByModel:
        return std::string("GI_Sheet_Sel_UserSetDisp") +
               (index == 0   ? "Usa"
                : index == 1 ? "Int"
                             : "Can") +
               (noAtis ? "" : "_A");
      case Lists::SoftKeyByModel:
        return noAtis ? "GI_Sheet_Sel_KeyAs_SkeyMU" : "GI_Sheet_Sel_KeyAs_SkeyME";
      default:
        return item.list;
    }
  }

  // A model on which the user sets the item (the others put their own value back on
  // saving, so it is read-only there); false when every model fixes it.
  bool UseModelThatLetsEdit(const SettingItem& item, int index) {
    for (int model : {0, 2, 1, 3, 4, 5, 6}) {
      if (!ModelFixedFields::Covers(model, item.First(index), item.Last(index), item.Mask())) {
        host.modelType = model;
        return true;
      }
    }
    return false;
  }

  MemoryAccessHost host{RTV_DATA_DIR "/RTV612.OVL"};
  CellProbe probe{host};
};

// Every choice of every editable choice item: the popup stores exactly the item's bits,
// keeps the other bits of its byte, and the cell then shows the choice's name.
TEST_F(SettingsItemsTest, EveryChoiceItemStoresItsBitsAndShowsTheChoice) {
  int checked = 0;
  for (const SettingItem& item : SettingsItems::Items()) {
    if (item.readOnly || (item.editor != Editor::Choice && item.editor != Editor::TypedChoice)) {
      continue;
    }
    for (int index = 0; index<item.count; index += item.count> 3 ? 17 : 1) {
      if (!UseModelThatLetsEdit(item, index)) {
        // Fixed by every model: shown, never stored.
        host.image.Fill(0xA5);
        const EepromImage before = host.image;
        probe.Choose(item.cellLink, index, 0, item.variant);
        probe.Choose(item.cellLink, index, 1, item.variant);
        EXPECT_TRUE(host.image.Equals(before))
            << CellLinkName(item.cellLink) << "[" << index << "]";
        continue;
      }
      for (const std::uint8_t background : {0x00, 0xFF, 0xA5}) {
        host.image.Fill(background);
        const std::string list = ListOf(item, index);
        for (const Choice& choice : host.choices.List(list, item.variant).byValue) {
          host.image.Fill(background);
          const EepromImage before = host.image;
          const CellOutcome chosen = probe.Choose(item.cellLink, index, choice.value, item.variant);
          const std::string name = CellLinkName(item.cellLink) + "[" + std::to_string(index) +
                                   "]=" + std::to_string(choice.value);
          const int first = item.First(index);
          for (const int a : Changed(before)) {
            EXPECT_TRUE(a >= first && a <= item.Last(index)) << name << " wrote " << a;
          }
          if (item.field == Field::DisplayCode) {
            const std::string code(reinterpret_cast<const char*>(&At(first)), 5);
            EXPECT_EQ(code.substr(0, 3), choice.name.substr(0, 3)) << name;
          } else {
            const std::uint8_t mask = item.Mask();
            const int shift = item.field == Field::Bit          ? item.bit
                              : item.field == Field::HighNibble ? 4
                                                                : 0;
            EXPECT_EQ(At(first) & mask, (choice.value << shift) & mask) << name;
            EXPECT_EQ(At(first) & ~mask & 0xFF, background & ~mask & 0xFF) << name;
          }
          EXPECT_EQ(chosen.text, choice.name) << name;
          EXPECT_EQ(probe.Show(item.cellLink, index).text, choice.name) << name;
          ++checked;
        }
      }
    }
  }
  EXPECT_GT(checked, 300);
}

// The table against the memory layout, item by item, independently of the descriptors.
TEST_F(SettingsItemsTest, ChoicesLandAtTheirAddresses) {
  struct Case {
    int cellLink;
    int index;
    int value;
    int address;
    std::uint8_t mask;
  };
  const Case cases[] = {
      {LinkNo("CL_ComDsc_IntCh"), 0, 1, 0x23D4, 0x02},
      {LinkNo("CL_ComDsc_UsaCh"), 0, 1, 0x23D4, 0x01},
      {LinkNo("CL_ComDsc_Alarm_OnOff_Safety"), 0, 1, 0x0B40, 0x08},
      {LinkNo("CL_ComDsc_Alarm_Shutdown_Pos4hr"), 0, 5, 0x25A5, 0x0F},
      {LinkNo("CL_ComDsc_AllCall_ChCall"), 0, 1, 0x23D6, 0x04},
      {LinkNo("CL_ComDsc_Proc_DispInMenu"), 0, 1, 0x0E8E, 0xFF},
      {LinkNo("CL_DscCall_Tx"), 60, 1, 0x23D7 + 7 * 60, 0xFF},
      {LinkNo("CL_DscCall_TxPow"), 3, 1, 0x23D9 + 21, 0xFF},
      {LinkNo("CL_DscCall_Alarm_Stop"), 3, 6, 0x23DD + 21, 0x0F},
      {LinkNo("CL_DscCall_Alarm_Visual"), 3, 1, 0x23DD + 21, 0xF0},
      {LinkNo("CL_DscCall_Tx_MOB_Grp"), 0, 1, 0x241D, 0xFF},
      {LinkNo("CL_ComCom_Wx"), 0, 1, 0x0BA8, 0x02},
      {LinkNo("CL_ComCom_TW"), 2, 1, 0x0BBE, 0x02},
      {LinkNo("CL_ComCom_PrivateModeF"), 0, 1, 0x0BA9, 0x01},
      {LinkNo("CL_ComCom_PttScan"), 0, 1, 0x0BA8, 0x08},
      {LinkNo("CL_ComCom_ChEx"), 0, 1, 0x0BA8, 0x20},
      {LinkNo("CL_RadioSet_WxAlert"), 0, 2, 0x0B21, 0xFF},
      {LinkNo("CL_RadioSet_Favmic"), 0, 1, 0x0B44, 0x04},
      {LinkNo("CL_RadioSet_CHCloseup"), 0, 1, 0x0AEC, 0xFF},
      {LinkNo("CL_RadioSet_SimpMenu"), 1, 1, 0x0E99, 0xFF},
      {LinkNo("CL_ComConf_Contrast"), 0, 8, 0x0AF0, 0xFF},
      {LinkNo("CL_ComConf_KeyAssign_SoftKey"), 19, 3, 0x0B39, 0xFF},
      {LinkNo("CL_ComConf_InactivityTimer_Dst"), 0, 10, 0x0B5B, 0xFF},
      {LinkNo("CL_ComConf_InactivityTimer_Rt"), 0, 10, 0x0B5F, 0xFF},
      {LinkNo("CL_ComAtis_CanCh"), 0, 1, 0x22E0, 0x04},
      {LinkNo("CL_MakerR_AdjMode"), 0, 1, 0x0BA8, 0x40},
      {LinkNo("CL_MakerR_Initial"), 0, 1, 0x0BA8, 0x80},
      {LinkNo("CL_MakerR_IndACK_Resend"), 0, 1, 0x0BAA, 0xFF},
      {LinkNo("CL_MakerR_RX_PLLOpt1"), 0, 3, 0x0BD4, 0xFF},
      {LinkNo("CL_ComConf_GNSS_QZSS"), 0, 1, 0x0B24, 0xFF},
  };
  for (const Case& c : cases) {
    host.image.Fill(0);
    const SettingItem* item = SettingsItems::Find(c.cellLink);
    ASSERT_NE(item, nullptr);
    const bool editable = UseModelThatLetsEdit(*item, c.index);
    const int variant =
        c.cellLink >= LinkNo("CL_ComAtis_IntCh") && c.cellLink <= LinkNo("CL_ComAtis_CanCh")
            ? kFlexMarking
            : LinkNo("Flex0");
    probe.Choose(c.cellLink, c.index, c.value, variant);
    const int shift = __builtin_ctz(c.mask);
    // An item every model fixes is read-only: its byte stays.
    EXPECT_EQ(At(c.address), editable ? (c.value << shift) & c.mask : 0)
        << CellLinkName(c.cellLink);
    At(c.address) = 0;
    for (int a = 0; a < 0x2D00; ++a) ASSERT_EQ(At(a), 0) << CellLinkName(c.cellLink) << " at " << a;
  }
}

TEST_F(SettingsItemsTest, NumbersStepWrapAndClamp) {
  struct Case {
    const char* name;
    int cellLink;
    int address;
    bool word;
    int stored;   // before
    CellKey key;  // or none for the text
    const char* typed;
    int expected;  // stored after
    const char* shown;
  };
  const int volume = LinkNo("CL_ComDsc_Alarm_Vol_Inactivity");
  const int remote = LinkNo("CL_ComConf_RemoteID");
  const int tot = LinkNo("CL_ComCom_TotTimer");
  const int alarmMax = LinkNo("CL_DscCall_Alarm_Max");
  const Case cases[] = {
      {"volume 20 + Space wraps", volume, 0x2597, false, 20, kSpace, nullptr, 0, "0"},
      {"volume 0 - Backspace wraps", volume, 0x2597, false, 0, kBack, nullptr, 20, "20"},
      {"volume typed above the range", volume, 0x2597, false, 3, {}, "25", 20, "20"},
      {"volume typed text", volume, 0x2597, false, 3, {}, "abc", 3, "3"},
      {"remote ID shown 1-based", remote, 0x0B3C, false, 0, {}, "69", 68, "69"},
      {"remote ID typed 0 is 1", remote, 0x0B3C, false, 5, {}, "0", 0, "1"},
      {"remote ID 69 + Space wraps", remote, 0x0B3C, false, 68, kSpace, nullptr, 0, "1"},
      {"TOT timer in seconds", tot, 0x0BAE, true, 0, {}, "600", 600, "600 sec"},
      {"TOT timer limited", tot, 0x0BAE, true, 0, {}, "601", 600, "600 sec"},
      {"TOT timer 0 - Backspace", tot, 0x0BAE, true, 0, kBack, nullptr, 600, "600 sec"},
      {"alarm maximum of record 60", alarmMax, 0x23DC + 7 * 60, false, 1, kSpace, nullptr, 2, "2"},
  };
  for (const Case& c : cases) {
    host.image.Fill(0);
    At(0x0BA9) = 0x20;  // TOT on
    if (c.word) {
      SetWord(c.address, c.stored);
    } else {
      At(c.address) = static_cast<std::uint8_t>(c.stored);
    }
    const EepromImage before = host.image;
    const int index = c.cellLink == alarmMax ? 60 : 0;
    const CellOutcome out = c.typed != nullptr ? probe.Type(c.cellLink, index, c.typed)
                                               : probe.Key(c.cellLink, index, c.key);
    EXPECT_EQ(c.word ? Word(c.address) : At(c.address), c.expected) << c.name;
    EXPECT_EQ(out.text, c.shown) << c.name;
    for (const int a : Changed(before)) {
      EXPECT_TRUE(a == c.address || (c.word && a == c.address + 1)) << c.name << " wrote " << a;
    }
  }
}

TEST_F(SettingsItemsTest, TimersShowScaledValuesWithTheirUnit) {
  struct Case {
    const char* name;
    int cellLink;
    int address;
    bool word;
    int stored;
    const char* typed;  // null: shown only
    int expected;
    const char* shown;
  };
  const int scan = LinkNo("CL_RadioSet_ScanSpeed");
  const int dwtw = LinkNo("CL_MakerR_DwTw_Timer");
  const int txMute = LinkNo("CL_MakerR_TX_Mute_Timer");
  const Case cases[] = {
      {"scan speed", scan, 0x0BB1, false, 100, nullptr, 100, "100 msec"},
      {"scan speed typed", scan, 0x0BB1, false, 100, "150", 150, "150 msec"},
      {"scan speed below the range", scan, 0x0BB1, false, 100, "20", 50, "50 msec"},
      {"scan speed has no off", scan, 0x0BB1, false, 100, "off", 100, "100 msec"},
      {"mute timer", txMute, 0x0BB6, false, 0, "255", 255, "255 msec"},
      {"dual-watch timer in seconds", dwtw, 0x0BB4, true, 1200, nullptr, 1200, "1.20 sec"},
      {"dual-watch timer typed", dwtw, 0x0BB4, true, 1200, "1.5", 1500, "1.50 sec"},
      {"dual-watch timer typed 0.85", dwtw, 0x0BB4, true, 1200, "0.85", 850, "0.85 sec"},
      {"dual-watch timer limited", dwtw, 0x0BB4, true, 1200, "3", 1500, "1.50 sec"},
      {"dual-watch timer raised", dwtw, 0x0BB4, true, 1200, "0.1", 800, "0.80 sec"},
  };
  for (const Case& c : cases) {
    host.image.Fill(0);
    if (c.word) {
      SetWord(c.address, c.stored);
    } else {
      At(c.address) = static_cast<std::uint8_t>(c.stored);
    }
    const EepromImage before = host.image;
    const CellOutcome out =
        c.typed != nullptr ? probe.Type(c.cellLink, 0, c.typed) : probe.Show(c.cellLink);
    EXPECT_EQ(c.word ? Word(c.address) : At(c.address), c.expected) << c.name;
    EXPECT_EQ(out.text, c.shown) << c.name;
    for (const int a : Changed(before)) {
      EXPECT_TRUE(a == c.address || (c.word && a == c.address + 1)) << c.name << " wrote " << a;
    }
  }
}

TEST_F(SettingsItemsTest, UtcOffsetIsStoredInSignedMinutes) {
  const int cellLink = LinkNo("CL_ComConf_UtcOffset");
  struct Case {
    const char* typed;
    int stored;
    const char* shown;
  };
  const Case cases[] = {{"-5:30", 0xFFFF - 330 + 1, "-5:30"},
                        {"15:00", 840, "+14:00"},
                        {"+3", 180, "+3:00"},
                        {"0", 0, "0:00"},
                        {"5:60", 0, "0:00"},  // refused: the value stays
                        {"123:45", 0, "0:00"}};
  for (const Case& c : cases) {
    host.image.Fill(0);
    At(0x0B41) = 0x77;
    At(0x0B44) = 0x77;
    const CellOutcome typed = probe.Type(cellLink, 0, c.typed);
    EXPECT_EQ(Word(0x0B42), c.stored) << c.typed;
    EXPECT_EQ(typed.text, c.shown) << c.typed;
    EXPECT_EQ(probe.Show(cellLink).text, c.shown) << c.typed;
    EXPECT_EQ(At(0x0B41), 0x77);
    EXPECT_EQ(At(0x0B44), 0x77);
  }
}

TEST_F(SettingsItemsTest, IdsKeepTheirCheckByte) {
  const int self = LinkNo("CL_ComDsc_SelfId");
  const int atis = LinkNo("CL_ComAtis_AtisId");
  const std::string notSet = host.overlay.GetFirstLine("GI_AppInd_Dsc_SelfIdOff");
  struct Case {
    int cellLink;
    int address;
    const char* typed;
    std::vector<int> bytes;  // five ID bytes and the check byte
    std::string shown;
    bool error;
  };
  const Case cases[] = {
      {self, 0x23C0, "123456789", {12, 34, 56, 78, 90, 0xF1}, "123456789", false},
      // Any other count of digits is refused: the bytes stay as they were.
      {self, 0x23C0, "12345678", {0x11, 0x11, 0x11, 0x11, 0x11, 0x11}, notSet, false},
      {self, 0x23C0, "1234567890", {0x11, 0x11, 0x11, 0x11, 0x11, 0x11}, notSet, false},
      {self, 0x23C0, "", {255, 255, 255, 255, 255, 255}, notSet, false},
      {self, 0x23C0, "012345678", {1, 23, 45, 67, 80, 39}, "012345678", true},
      {self, 0x23C0, "002345678", {0, 23, 45, 67, 80, 40}, "002345678", false},
      {self, 0x23C0, "211 234 567", {21, 12, 34, 56, 70, 62}, "211234567", false},
      {atis, 0x22D0, "9211234567", {92, 11, 23, 45, 67, 17}, "9211234567", false},
      {atis, 0x22D0, "921123456", {0x11, 0x11, 0x11, 0x11, 0x11, 0x11}, notSet, false},
  };
  for (const Case& c : cases) {
    host.image.Fill(0x11);
    host.modelType = 2;  // a model whose ATIS ID the user sets
    const EepromImage before = host.image;
    const CellOutcome typed = probe.Type(c.cellLink, 0, c.typed);
    std::vector<int> bytes;
    for (int i = 0; i < 6; ++i) bytes.push_back(At(c.address + i));
    EXPECT_EQ(bytes, c.bytes) << c.typed;
    EXPECT_EQ(typed.text, c.shown) << c.typed;
    EXPECT_EQ(typed.Error(), c.error) << c.typed;
    EXPECT_EQ(host.accessor.CheckCell(TypeNo("CT_Null"), c.cellLink, 0), c.error) << c.typed;
    for (const int a : Changed(before)) {
      EXPECT_TRUE(a >= c.address && a <= c.address + 5) << c.typed << " wrote " << a;
    }
  }
}

TEST_F(SettingsItemsTest, AnIdWithoutItsCheckByteIsNotSet) {
  const int cellLink = LinkNo("CL_ComDsc_SelfId");
  const std::string notSet = host.overlay.GetFirstLine("GI_AppInd_Dsc_SelfIdOff");
  const std::uint8_t id[] = {1, 12, 34, 56, 70};
  for (int i = 0; i < 5; ++i) At(0x23C0 + i) = id[i];
  At(0x23C5) = 0;
  const EepromImage before = host.image;
  const CellOutcome shown = probe.Show(cellLink);
  EXPECT_EQ(shown.text, notSet);
  EXPECT_FALSE(shown.Error());
  EXPECT_TRUE(host.image.Equals(before));  // showing and checking never write
  // Editing starts from the digits; the commit writes the check byte.
  EXPECT_EQ(probe.Key(cellLink, 0, SpecialKey::F2).text, "011234567");
  EXPECT_EQ(probe.Key(cellLink, 0, '5').text, "5");
  EXPECT_TRUE(host.image.Equals(before));
  probe.Type(cellLink, 0, "011234567");
  EXPECT_EQ(At(0x23C5), 82);  // ~(1 + 12 + 34 + 56 + 70)
  EXPECT_EQ(probe.Show(cellLink).text, "011234567");
  EXPECT_TRUE(probe.Show(cellLink).Error());
  // An all-zero ID with a zero check byte, as in an empty image, is not set either.
  host.image.Fill(0);
  EXPECT_EQ(probe.Show(LinkNo("CL_ComAtis_AtisId")).text, notSet);
}

TEST_F(SettingsItemsTest, CloneCommentKeepsPrintableCharacters) {
  const int cellLink = LinkNo("CL_ComCom_CloneComment");
  host.image.Fill(0x41);
  const EepromImage before = host.image;
  probe.Type(cellLink, 0, "Boat\x01one, long name here");
  const std::string stored(reinterpret_cast<const char*>(&At(0x0EEB)), 16);
  EXPECT_EQ(stored, "Boat one, long n");
  EXPECT_EQ(probe.Show(cellLink).text, "Boat one, long n");
  probe.Type(cellLink, 0, "ab");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&At(0x0EEB)), 16), "ab              ");
  for (const int a : Changed(before)) EXPECT_TRUE(a >= 0x0EEB && a <= 0x0EFA) << a;
}

TEST_F(SettingsItemsTest, DisplayCodesFollowTheModel) {
  const int cellLink = LinkNo("CL_ComCom_Display");
  struct Case {
    int model;
    int index;
    const char* stored;
    const char* shown;
  };
  const Case cases[] = {
      {0, 0, "USA  ", "USA"},   {0, 1, "INT  ", "INT"},   {0, 2, "DSC  ", "DSC"},
      {0, 1, "ATIS ", "error"},  // no ATIS on this model
      {2, 1, "ATIS ", "ATIS"},  {6, 2, "ATIS ", "error"}, {3, 0, "usa  ", "error"},
  };
  for (const Case& c : cases) {
    host.modelType = c.model;
    std::memcpy(&At(0x0B90 + 5 * c.index), c.stored, 5);
    EXPECT_EQ(probe.Show(cellLink, c.index).text, c.shown) << c.model << " " << c.stored;
  }
  host.modelType = 2;
  probe.Choose(cellLink, 1, 5);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&At(0x0B95)), 5), "ATIS ");
  // Enter opens the model's list.
  EXPECT_EQ(probe.Key(cellLink, 1, SpecialKey::Enter).opened,
            std::vector<std::string>{"GI_Sheet_Sel_UserSetDispInt_A#1=5"});
}

TEST_F(SettingsItemsTest, ListsThatFollowOtherSettings) {
  const int autoSwitch = LinkNo("CL_ComDsc_ChAutoSwitch");
  const int softKey = LinkNo("CL_ComConf_KeyAssign_SoftKey");
  At(0x0B3D) = 2;
  EXPECT_EQ(probe.Show(autoSwitch).text, "Ignore");
  At(0x0B56) = 1;  // multi task
  EXPECT_EQ(probe.Show(autoSwitch).text, "Hold");
  At(0x0B26 + 4) = 15;
  host.modelType = 0;
  EXPECT_EQ(probe.Show(softKey, 4).text, "Weather");
  host.modelType = 1;
  EXPECT_EQ(probe.Show(softKey, 4).text, "error");
  // Soft keys may also be typed by name or number.
  probe.Type(softKey, 4, "favourite");
  EXPECT_EQ(At(0x0B2A), 8);
  probe.Type(softKey, 4, " SCAN ");
  EXPECT_EQ(At(0x0B2A), 4);
  probe.Type(softKey, 4, "nothing like it");
  EXPECT_EQ(At(0x0B2A), 4);
}

struct Poke {
  int address;
  std::uint8_t value;
};

TEST_F(SettingsItemsTest, GreyRules) {
  struct Case {
    const char* name;
    int cellLink;
    int index;
    std::vector<Poke> setup;
    bool greyed;
  };
  const int usaDsc = LinkNo("CL_ComDsc_UsaCh");
  const int canDsc = LinkNo("CL_ComDsc_CanCh");
  const int intDsc = LinkNo("CL_ComDsc_IntCh");
  const int scan = LinkNo("CL_ComCom_Scan");
  const int simp = LinkNo("CL_RadioSet_SimpDisp");
  const int display = LinkNo("CL_ComCom_Display");
  const int totTimer = LinkNo("CL_ComCom_TotTimer");
  const int totAlarm = LinkNo("CL_ComCom_TotAlarm");
  const int indAck = LinkNo("CL_ComDsc_IndAutoAck");
  const int testAck = LinkNo("CL_ComDsc_TestAutoAck");
  const auto call = [](int record, int byte) { return 0x23D7 + 7 * record + byte; };
  const Case cases[] = {
      {"USA DSC without USA", usaDsc, 0, {}, true},
      {"USA DSC with USA", usaDsc, 0, {{0x0BA8, 0x01}}, false},
      {"CAN DSC with USA only", canDsc, 0, {{0x0BA8, 0x01}}, true},
      {"CAN DSC with CAN", canDsc, 0, {{0x0BA8, 0x04}}, false},
      {"INT DSC always", intDsc, 0, {}, false},
      {"USA scan", scan, 0, {{0x0BA8, 0x04}}, true},
      {"INT scan", scan, 1, {}, false},
      {"CAN scan", scan, 2, {{0x0BA8, 0x04}}, false},
      {"CAN simplified display", simp, 2, {{0x0BA8, 0x01}}, true},
      {"USA display code", display, 0, {{0x0BA8, 0x01}}, false},
      {"CAN display code", display, 2, {{0x0BA8, 0x03}}, true},
      {"TOT timer off", totTimer, 0, {{0x0BA9, 0xDF}}, true},
      {"TOT timer on", totTimer, 0, {{0x0BA9, 0x20}}, false},
      {"TOT alarm off", totAlarm, 0, {}, true},
      {"auto ack without calls", indAck, 0, {}, true},
      {"auto ack, one half of a pair", indAck, 0, {{call(24, 1), 1}}, true},
      {"auto ack, pair 24/27", indAck, 0, {{call(24, 1), 1}, {call(27, 0), 1}}, false},
      {"auto ack, pair 26/29", indAck, 0, {{call(26, 1), 1}, {call(29, 0), 1}}, false},
      {"auto ack, pair 27/30 is not its own",
       indAck,
       0,
       {{call(27, 1), 1}, {call(30, 0), 1}},
       true},
      {"test ack, pair 56/59", testAck, 0, {{call(56, 1), 1}, {call(59, 0), 1}}, false},
  };
  for (const Case& c : cases) {
    host.image.Fill(0);
    for (const Poke& s : c.setup) At(s.address) = s.value;
    const CellOutcome out = probe.Show(c.cellLink, c.index);
    EXPECT_EQ(out.Greyed(), c.greyed) << c.name;
    EXPECT_FALSE(out.ReadOnly()) << c.name;
  }
}

TEST_F(SettingsItemsTest, ErrorRules) {
  struct Case {
    const char* name;
    int cellLink;
    int index;
    std::vector<Poke> setup;
    bool error;
  };
  const int min = LinkNo("CL_DscCall_Alarm_Min");
  const int max = LinkNo("CL_DscCall_Alarm_Max");
  const int epirbInd = LinkNo("CL_DscCall_Tx_EPIRB_Ind");
  const int epirbAll = LinkNo("CL_DscCall_Tx_EPIRB_All");
  const int mobInd = LinkNo("CL_DscCall_Tx_MOB_Ind");
  const int atisInt = LinkNo("CL_ComAtis_IntCh");
  const int atisUsa = LinkNo("CL_ComAtis_UsaCh");
  const int softKey = LinkNo("CL_ComConf_KeyAssign_SoftKey");
  const auto call = [](int record, int byte) { return 0x23D7 + 7 * record + byte; };
  const Case cases[] = {
      {"alarm min above max", min, 5, {{call(5, 4), 10}, {call(5, 5), 5}}, true},
      {"alarm max below min", max, 5, {{call(5, 4), 10}, {call(5, 5), 5}}, true},
      {"alarm min equal max", max, 5, {{call(5, 4), 7}, {call(5, 5), 7}}, false},
      {"other record out of order", max, 4, {{call(5, 4), 10}}, false},
      {"EPIRB individual without call 2", epirbInd, 0, {{0x2401, 1}}, true},
      {"EPIRB individual with call 2", epirbInd, 0, {{0x2401, 1}, {call(2, 0), 1}}, false},
      {"EPIRB individual off", epirbInd, 0, {}, false},
      {"EPIRB all ships without call 5", epirbAll, 0, {{0x240F, 1}, {call(2, 0), 1}}, true},
      {"EPIRB all ships with call 5", epirbAll, 0, {{0x240F, 1}, {call(5, 0), 1}}, false},
      {"MOB individual without call 2", mobInd, 0, {{0x2416, 1}}, true},
      {"ATIS on for INT", atisInt, 0, {}, false},
      {"ATIS off everywhere enabled", atisInt, 0, {{0x22E0, 0x02}}, true},
      {"ATIS off for INT, on for USA", atisUsa, 0, {{0x22E0, 0x02}, {0x0BA8, 0x01}}, false},
      {"ATIS on only for a disabled region", atisUsa, 0, {{0x22E0, 0x06}}, true},
      {"scan key without scan", softKey, 3, {{0x0B29, 4}}, true},
      {"scan key with INT scan", softKey, 3, {{0x0B29, 4}, {0x0BBD, 0x04}}, false},
      {"scan key, scan only in disabled USA", softKey, 3, {{0x0B29, 4}, {0x0BBC, 0x04}}, true},
      {"scan key, scan in enabled USA",
       softKey,
       3,
       {{0x0B29, 4}, {0x0BBC, 0x04}, {0x0BA8, 1}},
       false},
      {"watch key without watch", softKey, 0, {{0x0B26, 5}, {0x0BBD, 0x04}}, true},
      {"watch key with tri-watch", softKey, 0, {{0x0B26, 5}, {0x0BBD, 0x02}}, false},
      {"DSC key without DSC", softKey, 0, {{0x0B26, 13}, {0x23D4, 0x05}}, true},
      {"DSC key with INT DSC", softKey, 0, {{0x0B26, 13}, {0x23D4, 0x02}}, false},
      {"AquaQuake key off", softKey, 0, {{0x0B26, 9}}, true},
      {"AquaQuake key on", softKey, 0, {{0x0B26, 9}, {0x0BA9, 0x04}}, false},
      {"plain key", softKey, 0, {{0x0B26, 1}}, false},
  };
  for (const Case& c : cases) {
    host.image.Fill(0);
    for (const Poke& s : c.setup) At(s.address) = s.value;
    EXPECT_EQ(probe.Show(c.cellLink, c.index).Error(), c.error) << c.name;
    EXPECT_EQ(host.accessor.CheckCell(TypeNo("CT_Null"), c.cellLink, c.index), c.error) << c.name;
  }
}

TEST_F(SettingsItemsTest, PopupItemsThatCannotBeChosenNow) {
  struct Case {
    const char* name;
    int cellLink;
    int item;
    std::vector<Poke> setup;
    bool unavailable;
  };
  const int epirbInd = LinkNo("CL_DscCall_Tx_EPIRB_Ind");
  const int epirbAll = LinkNo("CL_DscCall_Tx_EPIRB_All");
  const int atisInt = LinkNo("CL_ComAtis_IntCh");
  const int atisUsa = LinkNo("CL_ComAtis_UsaCh");
  const int softKey = LinkNo("CL_ComConf_KeyAssign_SoftKey");
  const Case cases[] = {
      {"EPIRB on without call 2", epirbInd, 1, {}, true},
      {"EPIRB off", epirbInd, 0, {}, false},
      {"EPIRB on with call 2", epirbInd, 1, {{0x23D7 + 14, 1}}, false},
      {"EPIRB all on with call 2 only", epirbAll, 1, {{0x23D7 + 14, 1}}, true},
      {"ATIS off for the last region with ATIS", atisInt, 1, {}, true},
      {"ATIS off while USA keeps it", atisInt, 1, {{0x0BA8, 0x01}}, false},
      {"ATIS off while disabled USA keeps it", atisInt, 1, {{0x22E0, 0x04}}, true},
      {"ATIS off for a disabled region", atisUsa, 1, {}, false},
      {"ATIS on", atisInt, 0, {}, false},
      {"scan key without scan", softKey, 4, {}, true},
      {"favourite key", softKey, 8, {}, false},
  };
  for (const Case& c : cases) {
    host.image.Fill(0);
    for (const Poke& s : c.setup) At(s.address) = s.value;
    const int variant =
        c.cellLink == atisInt || c.cellLink == atisUsa ? kFlexMarking : LinkNo("Flex0");
    const CellOutcome out = probe.Ask(c.cellLink, 0, c.item, variant);
    EXPECT_EQ(out.itemState == ChoiceState::Unavailable, c.unavailable) << c.name;
    EXPECT_EQ(out.Error(), c.unavailable) << c.name;
  }
}

TEST_F(SettingsItemsTest, ReadOnlyItemsRefuseEdits) {
  const int cases[] = {LinkNo("CL_DscCall_Tx_Fix"),
                       LinkNo("CL_DscCall_Rx_Fix"),
                       LinkNo("CL_DscCall_Alarm_Kind"),
                       LinkNo("CL_ComDsc_Alarm_Kind_Inactivity"),
                       LinkNo("CL_ComDsc_Alarm_Visual_Tx"),
                       LinkNo("CL_ComDsc_Alarm_Shutdown_NoMmsi"),
                       LinkNo("CL_ComDsc_Alarm_Shutdown_Inactivity")};
  const std::string restricted = host.overlay.GetFirstLine("GI_Botttom_EditRestrected");
  for (const int cellLink : cases) {
    host.image.Fill(0);
    host.statusTexts.clear();
    const CellOutcome space = probe.Key(cellLink, 2, ' ');
    EXPECT_TRUE(space.ReadOnly()) << CellLinkName(cellLink);
    EXPECT_EQ(host.LastStatus(), restricted) << CellLinkName(cellLink);
    EXPECT_TRUE(space.opened.empty());
    probe.Choose(cellLink, 2, 1);
    probe.Key(cellLink, 2, SpecialKey::Enter);
    for (int a = 0; a < 0x2D00; ++a) ASSERT_EQ(At(a), 0) << CellLinkName(cellLink) << " at " << a;
    EXPECT_NE(probe.Show(cellLink, 2).text, "");
  }
  // Alarm shutdown items that stay editable.
  probe.Choose(LinkNo("CL_ComDsc_Alarm_Shutdown_Pos4hr"), 0, 2);
  EXPECT_EQ(At(0x25A5), 2);
}

TEST_F(SettingsItemsTest, ChangedCallValuesAreNotified) {
  struct Case {
    int cellLink;
    CellKey key;
    int flags;  // of the changed notification
  };
  const Case cases[] = {
      {LinkNo("CL_DscCall_Tx"), kSpace,
       ItemAccessor::kAccessDone | ItemAccessor::kAccessUseChanged},
      {LinkNo("CL_DscCall_Alarm_Max"), kBack,
       ItemAccessor::kAccessDone | ItemAccessor::kAccessUseChanged},
      {LinkNo("CL_DscCall_Tx"), CellKey::Typed('x'), ItemAccessor::kAccessDone},  // nothing changed
      {LinkNo("CL_DscCall_Tx_Fix"), kSpace, ItemAccessor::kAccessDone},
      {LinkNo("CL_ComCom_Usa"), kSpace, ItemAccessor::kAccessDone},
  };
  RecordingPopupHost popupHost;
  for (const Case& c : cases) {
    Cell cell;
    cell.cellType = TypeNo("CT_Null");
    cell.cellLink = c.cellLink;
    cell.index = 20;  // a call record the user sets on every model
    std::vector<int> flags;
    CellRequest request;
    request.cell = &cell;
    request.popupHost = &popupHost;
    request.key = c.key;
    request.changed = [&flags](int f) { flags.push_back(f); };
    host.accessor.AccessCell(request, true);
    EXPECT_EQ(flags, std::vector<int>{c.flags}) << CellLinkName(c.cellLink);
  }
}

TEST_F(SettingsItemsTest, LinksOutsideTheTable) {
  for (const char* name : {"CL_ComSet_Light", "CL_ComDsc_CallRepeatF", "CL_ComConf_Horn",
                           "CL_MakerR_Transient_Timer"}) {
    const int cellLink = CellLinkNumber(name);
    EXPECT_EQ(SettingsItems::Find(cellLink), nullptr) << name;
    EXPECT_EQ(probe.Show(cellLink).text, std::to_string(cellLink) + " *Yet*") << name;
  }
  // An index beyond the item's cells touches nothing.
  for (const int index : {-1, 61, 1000}) {
    const EepromImage before = host.image;
    const CellOutcome out = probe.Type(LinkNo("CL_DscCall_Tx"), index, "1");
    EXPECT_TRUE(host.image.Equals(before));
    EXPECT_EQ(out.text, "");
  }
}

TEST_F(SettingsItemsTest, WithoutAnImageNothingIsShown) {
  MemoryAccessHost small(RTV_DATA_DIR "/RTV612.OVL", 0x100);
  CellProbe smallProbe(small);
  EXPECT_EQ(smallProbe.Type(LinkNo("CL_ComDsc_SelfId"), 0, "123456789").text, "");
  EXPECT_EQ(smallProbe.Show(LinkNo("CL_ComCom_Usa")).text, "");
}

}  // namespace
}  // namespace rtv
