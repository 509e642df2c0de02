// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the channel plans of the shipped initial files against a small table of facts
// about the marine VHF band, reading the image bytes directly.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "ScriptedPrompts.h"
#include "ShippedData.h"
#include "clonefile/CloneFile.h"
#include "overlay/OverlayText.h"
#include "radio/EepromImage.h"

namespace rtv {
namespace {

enum Region { kUsa = 0, kInt = 1, kCan = 2 };

constexpr std::uint8_t kInhibited = 0x80;
constexpr std::uint8_t kTxInhibit = 0x04;
constexpr std::uint8_t kLowPower = 0x20;
constexpr std::uint8_t kSimplex = 0x02;

int Row(int channel, char variant = ' ') {
  return channel * 3 + (variant == 'A' ? 1 : variant == 'B' ? 2 : 0);
}

class InitialImages : public ::testing::Test {
 protected:
  static EepromImage Load(int model) {
    OverlayText overlay;
    overlay.SetFile(test::DataFile("RTV612.OVL"));
    test::ScriptedPrompts prompts;
    EepromImage image;
    image.SetSize(32768);
    CloneFile reader(overlay, prompts);
    reader.SetImage(&image);
    reader.SetModelCode(0x3974);
    reader.SetExtensionCode(1);
    reader.SetMapRevisionCheck([](int revision) { return revision == 1; });
    const std::string path = test::InitialFile(overlay.GetLine("GI_App_InitialFile", model));
    EXPECT_EQ(reader.Read(path, kCloneRanges), kFileOk) << path;
    return image;
  }
  static std::uint8_t Attributes(const EepromImage& image, Region region, int row) {
    return image.GetByte(0x02F0 + 448 * region + row);
  }
  static bool Usable(const EepromImage& image, Region region, int row) {
    return (Attributes(image, region, row) & kInhibited) == 0;
  }
  static int Word(const EepromImage& image, std::int32_t address) {
    return static_cast<std::int16_t>(image.GetByte(address) | image.GetByte(address + 1) << 8);
  }
  static std::string Comment(const EepromImage& image, int row) {
    std::string text;
    for (int i = 0; i < 10; ++i) text += static_cast<char>(image.GetByte(0x0F10 + 11 * row + i));
    return text.substr(0, text.find_last_not_of(' ') + 1);
  }
  static bool RegionOn(const EepromImage& image, Region region) {
    const std::uint8_t flags = image.GetByte(0x0BA8);
    return region == kInt || (region == kUsa && (flags & 0x01)) ||
           (region == kCan && (flags & 0x04));
  }
};

TEST_F(InitialImages, Channel16IsThePriorityChannelOfEveryPlanAndACleanVoiceChannel) {
  for (int model = 0; model < 7; ++model) {
    SCOPED_TRACE(model);
    const EepromImage image = Load(model);
    for (Region region : {kUsa, kInt, kCan}) {
      SCOPED_TRACE(region);
      EXPECT_EQ(Word(image, 0x0BA2 + 2 * region), Row(16));
      EXPECT_TRUE(Usable(image, region, Row(16)));
      EXPECT_EQ(Attributes(image, region, Row(16)) & (kTxInhibit | kLowPower), 0);
      EXPECT_NE(Attributes(image, region, Row(16)) & kSimplex, 0);
    }
    EXPECT_EQ(Comment(image, Row(16)), "DISTRESS");
  }
}

TEST_F(InitialImages, Channel70CarriesNoVoice) {
  for (int model = 0; model < 7; ++model) {
    SCOPED_TRACE(model);
    const EepromImage image = Load(model);
    for (Region region : {kUsa, kInt, kCan}) EXPECT_FALSE(Usable(image, region, Row(70)));
  }
}

TEST_F(InitialImages, ChannelsOutsideThePlansAreNeverOffered) {
  const EepromImage image = Load(0);
  for (Region region : {kUsa, kInt, kCan}) {
    SCOPED_TRACE(region);
    for (int channel : {0, 29, 45, 59, 89, 116}) {
      EXPECT_FALSE(Usable(image, region, Row(channel))) << channel;
    }
  }
}

// The thousand-series channels belong to the North American plans: the international
// plan has none, and these ones are used in the United States only.
TEST_F(InitialImages, UsaOnlyAChannelsExistOnlyInTheUsaPlan) {
  const EepromImage image = Load(0);
  for (int channel : {1, 20, 63, 88}) {
    SCOPED_TRACE(channel);
    EXPECT_TRUE(Usable(image, kUsa, Row(channel, 'A')));
    EXPECT_FALSE(Usable(image, kInt, Row(channel, 'A')));
    EXPECT_FALSE(Usable(image, kCan, Row(channel, 'A')));
  }
  for (int channel = 1; channel <= 116; ++channel) {
    EXPECT_FALSE(Usable(image, kInt, Row(channel, 'A'))) << channel;
    EXPECT_FALSE(Usable(image, kInt, Row(channel, 'B'))) << channel;
  }
}

TEST_F(InitialImages, InternationalPlanFacts) {
  struct Fact {
    int channel;
    bool simplex;
    bool lowPower;
  };
  const Fact facts[] = {
      {1, false, false},  {6, true, false},  {13, true, true},   {15, true, true},
      {16, true, false},  {17, true, true},  {24, false, false}, {28, false, false},
      {60, false, false}, {67, true, false}, {72, true, false},  {77, true, false},
      {84, false, false}, {88, true, false},
  };
  const EepromImage image = Load(2);
  for (const Fact& fact : facts) {
    SCOPED_TRACE(fact.channel);
    const std::uint8_t attributes = Attributes(image, kInt, Row(fact.channel));
    EXPECT_TRUE(Usable(image, kInt, Row(fact.channel)));
    EXPECT_EQ((attributes & kSimplex) != 0, fact.simplex);
    EXPECT_EQ((attributes & kLowPower) != 0, fact.lowPower);
    EXPECT_EQ(attributes & kTxInhibit, 0);
  }
}

TEST_F(InitialImages, ReceiveOnlyChannels) {
  const EepromImage image = Load(0);
  EXPECT_NE(Attributes(image, kUsa, Row(15)) & kTxInhibit, 0);       // environmental
  EXPECT_NE(Attributes(image, kUsa, Row(21, 'A')) & kTxInhibit, 0);  // Coast Guard
  for (int channel : {21, 25, 28, 83}) {  // Canadian continuous marine broadcasts
    EXPECT_TRUE(Usable(image, kCan, Row(channel, 'B'))) << channel;
    EXPECT_NE(Attributes(image, kCan, Row(channel, 'B')) & kTxInhibit, 0) << channel;
  }
}

TEST_F(InitialImages, RegionsAndWeatherFollowTheModel) {
  struct Case {
    int model;
    std::uint8_t regions;  // bits of 0x0BA8: USA, weather, Canada
  };
  const Case cases[] = {{0, 0x07}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0x07}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.model);
    const EepromImage image = Load(c.model);
    EXPECT_EQ(image.GetByte(0x0BA8) & 0x07, c.regions);
    EXPECT_EQ(image.GetByte(0x0EE9), c.model);
    EXPECT_EQ(image.GetByte(0x0EEA), 1);
    for (Region region : {kUsa, kInt, kCan}) {
      // Each switched-on plan has a usable call channel.
      if (RegionOn(image, region)) {
        EXPECT_TRUE(Usable(image, region, Word(image, 0x0AE0 + 2 * region)));
      }
    }
    // Weather: no channel masked, so the alert has somewhere to listen.
    EXPECT_EQ(Word(image, 0x0BA0), 0);
  }
  const EepromImage usa = Load(0);
  EXPECT_EQ(Word(usa, 0x0AE0 + 2 * kUsa), Row(9));
  EXPECT_EQ(Comment(usa, Row(9)), "CALLING");
}

TEST_F(InitialImages, VersionDigitsAndEmptyIds) {
  for (int model = 0; model < 7; ++model) {
    SCOPED_TRACE(model);
    const EepromImage image = Load(model);
    for (std::int32_t address : {0x015A, 0x015C, 0x015D, 0x015E}) {
      EXPECT_GE(image.GetByte(address), '0');
      EXPECT_LE(image.GetByte(address), '9');
    }
    // No self ID, no ATIS ID and no DSC IDs: the owner enters the ship's own.
    for (std::int32_t i = 0; i < 6; ++i) {
      EXPECT_EQ(image.GetByte(0x23C0 + i), 0xFF);
      EXPECT_EQ(image.GetByte(0x22D0 + i), 0xFF);
    }
    for (int record = 0; record < 90; ++record) {
      EXPECT_EQ(image.GetByte(0x25C0 + 16 * record), 0xFF) << record;
      EXPECT_EQ(image.GetByte(0x25C0 + 16 * record + 15), 0xFF) << record;
    }
  }
}

}  // namespace
}  // namespace rtv
