// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/AdjustmentItems.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "CellProbe.h"
#include "MemoryAccessHost.h"
#include "radio/Readings.h"

namespace rtv {
namespace {

struct AdjustmentItemsTest : ::testing::Test {
  std::uint8_t& At(int address) { return host.image.Data()[address]; }

  MemoryAccessHost host{RTV_DATA_DIR "/RTV612.OVL"};
  CellProbe probe{host};
};

TEST_F(AdjustmentItemsTest, ParametersSitAtTheirAddresses) {
  struct Case {
    const char* name;
    int address;
    bool isSigned;
  };
  const Case cases[] = {
      {"CL_ADP_REF_Init", 0x005C, false},    {"CL_ADP_REF_Temp3", 0x005F, false},
      {"CL_ADP_REF_Inc1", 0x0060, true},     {"CL_ADP_REF_Inc4", 0x0063, true},
      {"CL_ADP_H_Init", 0x0064, false},      {"CL_ADP_H_LvFrq2", 0x006D, false},
      {"CL_ADP_H_LvRev1", 0x006E, true},     {"CL_ADP_L_LvRev2", 0x007B, true},
      {"CL_ADP_MOD_Inc2", 0x009F, true},     {"CL_ADP_DSC13_Init", 0x00A6, false},
      {"CL_ADP_ATIS21_Init", 0x00A9, false}, {"CL_ADP_SQL_Init", 0x00AA, false},
      {"CL_ADP_SQL_LvRev2", 0x00B5, true},   {"CL_ADP_MSE_Init", 0x00E6, false},
      {"CL_ADP_MSI_Init", 0x00E7, false},    {"CL_ADP_SQLSC_OP", 0x00C2, false},
      {"CL_ADP_SQLSC_L0", 0x00CC, false},    {"CL_ADP_SQLCL_L1", 0x00CF, false},
      {"CL_ADP_ALARM_LV20", 0x00FC, false},  {"CL_ADP_POW_MIN", 0x0102, false},
      {"CL_ADP_AF_LV0", 0x0103, false},      {"CL_ADP_AF_LV20", 0x0117, false},
      {"CL_ADP_BEEP_LV", 0x0118, false},     {"CL_ADP_VLS_LV0", 0x012D, false},
      {"CL_ADP_VLS_LV12", 0x0139, false},
  };
  for (const Case& c : cases) {
    const int cellLink = CellLinkNumber(c.name);
    EXPECT_EQ(AdjustmentItems::ParameterOf(cellLink).address, c.address) << c.name;
    host.image.Fill(0x40);
    const EepromImage before = host.image;
    const CellOutcome typed = probe.Type(cellLink, 0, "-5");
    EXPECT_EQ(At(c.address), c.isSigned ? 0xFB : 0x00) << c.name;
    EXPECT_EQ(typed.text, c.isSigned ? "-5" : "0") << c.name;
    probe.Type(cellLink, 0, "300");
    EXPECT_EQ(At(c.address), c.isSigned ? 127 : 255) << c.name;
    At(c.address) = 0x40;
    EXPECT_TRUE(host.image.Equals(before)) << c.name;
  }
  // Every stored parameter has a byte of its own inside the parameter area.
  std::set<int> addresses;
  for (int cellLink = LinkNo("CL_ADP_REF_Init"); cellLink <= LinkNo("CL_ADP_BEEP_LV"); ++cellLink) {
    const AdjustmentItems::Parameter p = AdjustmentItems::ParameterOf(cellLink);
    if (p.computed) continue;
    EXPECT_TRUE(p.address >= 0x0026 && p.address <= 0x0139) << CellLinkName(cellLink);
    EXPECT_TRUE(addresses.insert(p.address).second) << CellLinkName(cellLink);
  }
  EXPECT_EQ(addresses.size(), 152u - 11u);
}

TEST_F(AdjustmentItemsTest, SquelchOpeningLevelsWorkedByHand) {
  struct Case {
    int high;
    int low;
    const char* name;
    const char* shown;
  };
  // H 200, L 110: d = 90 * 10 / 9 = 100; OP (100 * 10 + 5) / 10 + 110 = 210, L2 80 + 110,
  // L9 (100 + 5) / 10 + 110, L0 5 / 10 + 110.
  // H 100, L 0: d = 111; L2 (888 + 5) / 10 = 89, L3 (777 + 5) / 10 = 78.
  const Case cases[] = {
      {200, 110, "CL_ADP_SQLOP_OP", "210"}, {200, 110, "CL_ADP_SQLOP_L1", "200"},
      {200, 110, "CL_ADP_SQLOP_L2", "190"}, {200, 110, "CL_ADP_SQLOP_L5", "160"},
      {200, 110, "CL_ADP_SQLOP_L9", "120"}, {200, 110, "CL_ADP_SQLOP_L0", "110"},
      {100, 0, "CL_ADP_SQLOP_OP", "111"},   {100, 0, "CL_ADP_SQLOP_L2", "89"},
      {100, 0, "CL_ADP_SQLOP_L3", "78"},    {50, 60, "CL_ADP_SQLOP_OP", "60"},
      {50, 60, "CL_ADP_SQLOP_L1", "50"},    {50, 60, "CL_ADP_SQLOP_L8", "60"},
  };
  for (const Case& c : cases) {
    At(0x0026) = static_cast<std::uint8_t>(c.high);
    At(0x0027) = static_cast<std::uint8_t>(c.low);
    const CellOutcome out = probe.Show(CellLinkNumber(c.name));
    EXPECT_EQ(out.text, c.shown) << c.name << " " << c.high << "/" << c.low;
    EXPECT_TRUE(out.ReadOnly());
  }
  const EepromImage before = host.image;
  probe.Type(LinkNo("CL_ADP_SQLOP_L5"), 0, "7");
  probe.Key(LinkNo("CL_ADP_SQLOP_L5"), 0, '7');
  EXPECT_TRUE(host.image.Equals(before));
  EXPECT_EQ(host.LastStatus(), host.overlay.GetFirstLine("GI_Botttom_EditRestrected"));
}

TEST_F(AdjustmentItemsTest, AdjustmentCellsChangeOnlyWhileConnected) {
  CellProbe adjust(host, TypeNo("CT_Adj"));
  const int cellLink = LinkNo("CL_ADP_H_Init");
  adjust.Type(cellLink, 0, "9");
  EXPECT_EQ(At(0x0064), 0);
  EXPECT_TRUE(adjust.Show(cellLink).ReadOnly());
  probe.Type(cellLink, 0, "9");  // the maker sheet edits the image directly
  EXPECT_EQ(At(0x0064), 9);
  host.adjustmentConnected = true;
  adjust.Type(cellLink, 0, "12");
  EXPECT_EQ(At(0x0064), 12);
}

TEST_F(AdjustmentItemsTest, SheetValuesAndBarsComeFromTheAdjustmentState) {
  const int ref = LinkNo("CL_Adjust_High");
  const int refBar = LinkNo("CL_Adjust_High_Bar");
  EXPECT_EQ(probe.Show(ref).text, "");  // no state yet
  host.adjustment.emplace();
  host.adjustment->sheet[static_cast<std::size_t>(ref - LinkNo("CL_Adjust_ChGrp"))] = 51;
  EXPECT_EQ(probe.Show(ref).text, "51");
  EXPECT_EQ(probe.Show(refBar).text, "[####----------------]");
  probe.Type(ref, 0, "255");
  EXPECT_EQ(probe.Show(ref).text, "51");
  EXPECT_TRUE(host.adjustmentEdits.empty());
  host.adjustmentConnected = true;
  probe.Type(ref, 0, "255");
  EXPECT_EQ(probe.Show(refBar).text, "[####################]");
  EXPECT_EQ(host.adjustmentEdits, std::vector<int>{ref});
  probe.Type(refBar, 0, "0");  // a bar is shown only
  EXPECT_EQ(probe.Show(ref).text, "255");
}

TEST_F(AdjustmentItemsTest, TheReferenceTakesTwelveBitsAndTheFrequencyIsShownOnly) {
  const int ref = LinkNo("CL_Adjust_Ref");
  const int frequency = LinkNo("CL_Adjust_ChNoFreq");
  host.adjustment.emplace();
  host.adjustmentConnected = true;
  probe.Type(ref, 0, "2048");
  EXPECT_EQ(probe.Show(ref).text, "2048");
  EXPECT_EQ(probe.Show(LinkNo("CL_Adjust_Ref_Bar")).text, "[##########----------]");
  probe.Type(ref, 0, "5000");  // beyond twelve bits: the largest there is
  EXPECT_EQ(probe.Show(ref).text, "4095");
  EXPECT_TRUE(probe.Show(frequency).ReadOnly());
  probe.Type(frequency, 0, "7");
  EXPECT_EQ(host.adjustmentEdits, (std::vector<int>{ref, ref}));
}

TEST_F(AdjustmentItemsTest, ReadingsShowRawAndConvertedForms) {
  host.adjustment.emplace();
  host.adjustment->readings.fill(128);
  host.adjustment->readings[1] = 0;
  struct Case {
    const char* name;
    std::string shown;
  };
  const Case cases[] = {
      {"CL_WinAD_BATTD", "128"},         {"CL_WinAD_BATTH", "80"},
      {"CL_WinAD_BATTV_MOB", "11.00 V"},  // 128 * 3.3 / 255 * 6.64
      {"CL_Maker_NOISD", "  0"},         {"CL_Maker_NOISH", " 0"},
      {"CL_Maker_LVINV", "1.66 V"},      {"CL_Maker_TEMPSV", TemperatureText(128)},
      {"CL_WinAD_AFDV", "1.66 V"},
  };
  for (const Case& c : cases) {
    const CellOutcome out = probe.Show(CellLinkNumber(c.name));
    EXPECT_EQ(out.text, c.shown) << c.name;
    EXPECT_TRUE(out.ReadOnly()) << c.name;
  }
  EXPECT_EQ(TemperatureText(128).substr(TemperatureText(128).size() - 2), "'C");
}

}  // namespace
}  // namespace rtv
