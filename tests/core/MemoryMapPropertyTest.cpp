// SPDX-License-Identifier: GPL-3.0-or-later
// Random keys, committed texts and popup choices on the settings, adjustment and program
// cells of a shipped initial image: each access may change only the bytes of its own item,
// and nothing crashes.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "CellProbe.h"
#include "MemoryAccessHost.h"
#include "ScriptedPrompts.h"
#include "clonefile/CloneFile.h"
#include "radio/AdjustmentItems.h"
#include "radio/RadioModel.h"
#include "radio/SettingsItems.h"

namespace rtv {
namespace {

// First and last byte an access to (link, index) may change; first > last for none.
std::pair<int, int> Footprint(int cellLink, int index) {
  if (const SettingItem* item = SettingsItems::Find(cellLink)) {
    if (item->count > 1 && (index < 0 || index >= item->count)) return {1, 0};
    const int at = item->count > 1 ? index : 0;
    return {item->First(at), item->Last(at)};
  }
  if (cellLink >= LinkNo("CL_ADP_REF_Init") && cellLink <= LinkNo("CL_ADP_BEEP_LV")) {
    const AdjustmentItems::Parameter p = AdjustmentItems::ParameterOf(cellLink);
    if (!p.computed) return {p.address, p.address};
  }
  return {1, 0};
}

std::string RandomText(std::mt19937& random) {
  static const std::string alphabet = "0123456789.:-+ offOFabcXYZ&\x01\xff\t";
  std::string text;
  const int length = static_cast<int>(random() % 15);
  for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
  return text;
}

TEST(MemoryMapPropertyTest, AccessesChangeOnlyTheirOwnItem) {
  MemoryAccessHost host(RTV_DATA_DIR "/RTV612.OVL");
  test::ScriptedPrompts prompts;
  CloneFile reader(host.overlay, prompts);
  reader.SetImage(&host.image);
  reader.SetModelCode(RadioModel::kModelCode);
  reader.SetExtensionCode(RadioModel::kExtensionCode);
  reader.SetMapRevisionCheck([](int revision) { return revision == 1; });
  ASSERT_EQ(reader.Read(RTV_INITIAL_DIR "/RTV612M0.rtv", kCloneRanges), kFileOk);
  host.adjustment.emplace();
  host.cloneInformation.emplace();
  host.cloneInformation->esn = "0A000186A0";

  std::vector<int> links;
  for (int cellLink = LinkNo("CL_Menu_File_New");
       cellLink <= LinkNo("CL_Dummy_DscCall_Alarm_IntSp"); ++cellLink) {
    if (cellLink < LinkNo("CL_PMenu_NoItem") || cellLink > LinkNo("CL_PMenu_WinCopy")) {
      links.push_back(cellLink);
    }
  }
  for (int cellLink = LinkNo("CL_ComSet_Light"); cellLink <= LinkNo("CL_WinAD_AFDV"); ++cellLink) {
    links.push_back(cellLink);
  }
  // Bytes the grey, error and list rules read, stirred now and then.
  const int ruleBytes[] = {0x0BA8, 0x0BA9, 0x0BBC, 0x0BBD, 0x0BBE, 0x0B56,
                           0x22E0, 0x23D4, 0x23E6, 0x23EC, 0x0026, 0x0027};
  const CellKey keys[] = {CellKey::Typed(' '),  SpecialKey::Backspace, SpecialKey::Enter,
                          SpecialKey::Activate, SpecialKey::F2,        SpecialKey::Left,
                          SpecialKey::Right,    SpecialKey::F3,        CellKey::Typed('0'),
                          CellKey::Typed('5'),  CellKey::Typed('-'),   CellKey::Typed('.'),
                          CellKey::Typed('o')};

  std::vector<std::uint8_t> before(static_cast<std::size_t>(host.image.Size()));
  std::mt19937 random(612);
  int checked = 0;
  for (int round = 0; round < 20000; ++round) {
    if (round % 50 == 0) {
      for (const int a : ruleBytes) host.image.Data()[a] = static_cast<std::uint8_t>(random());
      host.modelType = static_cast<int>(random() % 7);
      host.adjustmentConnected = random() % 2 == 0;
    }
    const int cellLink = links[random() % links.size()];
    const int index = static_cast<int>(random() % 24) - 2;
    CellProbe probe(host, random() % 5 == 0 ? TypeNo("CT_Adj") : TypeNo("CT_Null"));
    std::memcpy(before.data(), host.image.Data(), before.size());
    switch (random() % 6) {
      case 0:
        probe.Show(cellLink, index);
        break;
      case 1:
        probe.Key(cellLink, index,
                  random() % 3 == 0 ? CellKey::Typed(static_cast<char>(32 + random() % 95))
                                    : keys[random() % std::size(keys)]);
        break;
      case 2:
        probe.Type(cellLink, index, RandomText(random));
        break;
      case 3:
        probe.Choose(cellLink, index, static_cast<int>(random() % 24) - 2,
                     random() % 2 == 0 ? LinkNo("Flex0") : LinkNo("CL_FlexMarking"));
        break;
      case 4:
        probe.Ask(cellLink, index, static_cast<int>(random() % 20));
        break;
      default:
        probe.Command(cellLink, index, static_cast<int>(73 + random() % 10));
        break;
    }
    const auto [first, last] = Footprint(cellLink, index);
    if (std::memcmp(before.data(), host.image.Data(), before.size()) == 0) continue;
    const std::uint8_t* now = host.image.Data();
    for (int a = 0; a < host.image.Size(); ++a) {
      if (now[a] != before[static_cast<std::size_t>(a)]) {
        ASSERT_TRUE(a >= first && a <= last)
            << CellLinkName(cellLink) << "[" << index << "] changed " << a << " in round " << round;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 1000);  // the rounds did write
}

}  // namespace
}  // namespace rtv
