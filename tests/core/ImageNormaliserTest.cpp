// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/ImageNormaliser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "radio/CheckSum.h"
#include "radio/EepromImage.h"
#include "radio/ImageVersion.h"

namespace rtv {
namespace {

constexpr std::int32_t kSize = 32768;

EepromImage Filled(std::uint8_t value) {
  EepromImage image;
  image.SetSize(kSize);
  image.Fill(value);
  return image;
}

EepromImage Random(std::uint32_t seed) {
  std::mt19937 random(seed);
  EepromImage image;
  image.SetSize(kSize);
  for (std::int32_t a = 0; a < kSize; ++a) image.SetByte(a, static_cast<std::uint8_t>(random()));
  return image;
}

void PutText(EepromImage& image, std::int32_t address, const std::string& text) {
  image.WriteBlock(address, reinterpret_cast<const std::uint8_t*>(text.data()),
                   static_cast<std::int32_t>(text.size()));
}

std::string TextAt(const EepromImage& image, std::int32_t address, std::int32_t length) {
  std::string text(static_cast<std::size_t>(length), '\0');
  image.ReadBlock(address, reinterpret_cast<std::uint8_t*>(text.data()), length);
  return text;
}

void PutWord(EepromImage& image, std::int32_t address, int value) {
  image.SetByte(address, static_cast<std::uint8_t>(value & 0xFF));
  image.SetByte(address + 1, static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

int Word(const EepromImage& image, std::int32_t address) {
  return image.GetByte(address) | image.GetByte(address + 1) << 8;
}

void PutId(EepromImage& image, std::int32_t address, std::vector<std::uint8_t> digits) {
  image.WriteBlock(address, digits.data(), 5);
  image.SetByte(address + 5, CheckSum(digits));
}

TEST(CheckSumTest, IsTheComplementOfTheLowByteOfTheSum) {
  struct Case {
    std::vector<std::uint8_t> bytes;
    std::uint8_t sum;
  };
  const Case cases[] = {
      {{}, 0xFF},
      {{1, 2, 3}, 0xF9},
      {{0xFF, 0x02}, 0xFE},  // 0x101: only the low byte counts
      {{21, 12, 34, 56, 0}, static_cast<std::uint8_t>(~123)},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckSum(c.bytes), c.sum);

  EepromImage image = Filled(1);
  EXPECT_EQ(CheckSum(image, 10, 3), 0xFC);
  EXPECT_EQ(CheckSum(image, kSize - 2, 3), 0);  // not inside the image
  EXPECT_EQ(CheckSum(image, -1, 3), 0);
}

TEST(ImageVersionTest, ReadsFourDigitsAroundTheSkippedByte) {
  struct Case {
    const char* bytes;  // 0x015A to 0x015E
    int version;
  };
  const Case cases[] = {
      {"1.234", 1234},                                 // 0x015B is not a digit of it
      {"0x007", 7},    {"9.999", 9999}, {"1.2:4", 0},  // ":" follows "9"
      {"1.2/4", 0},                                    // "/" comes before "0"
      {"\xFF.234", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EepromImage image = Filled(0);
    PutText(image, 0x015A, c.bytes);
    EXPECT_EQ(ImageVersion::Read(image), c.version);
  }
  EepromImage tiny;
  tiny.SetSize(0x015C);
  EXPECT_EQ(ImageVersion::Read(tiny), 0);
}

// Which bits of the byte come from the template after normalising.
TEST(ImageNormaliserTest, ModelFixedBytesFollowTheTemplate) {
  struct Case {
    std::int32_t address;
    std::uint8_t mask;  // bits copied
    int model;
    NormaliseDirection direction;
  };
  constexpr auto kLoad = NormaliseDirection::AfterLoad;
  constexpr auto kSave = NormaliseDirection::BeforeSave;
  const Case cases[] = {
      {0x0BA8, 0x02, 3, kLoad},  // weather region bit, fixed unless model 0 or 6
      {0x0BA8, 0x00, 0, kLoad},
      {0x0BA8, 0x00, 6, kSave},
      {0x0BA0, 0xFF, 3, kLoad},  // weather channel mask
      {0x0BA1, 0x00, 6, kLoad},
      {0x0AB8, 0x01, 0, kLoad},
      {0x0AE7, 0xFF, 0, kLoad},
      {0x0AE9, 0x02, 0, kLoad},
      {0x0AF1, 0x01, 0, kSave},
      {0x0B21, 0xFF, 1, kLoad},
      {0x0B21, 0x00, 0, kLoad},
      {0x0B26, 0xFF, 0, kLoad},
      {0x0B2A, 0x00, 0, kLoad},  // the soft keys after the fourth are the user's
      {0x0B44, 0x01, 0, kLoad},
      {0x0B56, 0xFF, 1, kLoad},  // task mode, fixed unless model 0
      {0x0B56, 0x00, 0, kLoad},
      {0x0E8E, 0xFF, 6, kLoad},
      {0x0BD6, 0xFF, 0, kLoad},
      {0x0E85, 0xFF, 0, kLoad},
      {0x0E86, 0x00, 0, kLoad},
      {0x0EE0, 0xFF, 0, kLoad},  // maker signature
      {0x0EE8, 0xFF, 0, kLoad},
      {0x0EE9, 0x00, 0, kLoad},  // the model byte is the image's own
      {0x0EEA, 0xFF, 0, kLoad},
      {0x0EEB, 0x00, 0, kLoad},  // clone comment
      {0x0AB7, 0x00, 0, kLoad},  // copied only before saving
      {0x0AB7, 0xFF, 0, kSave},
      {0x0AEE, 0xFF, 2, kSave},
      {0x22E0, 0x07, 0, kLoad},  // ATIS regions, fixed for models 0 and 6
      {0x22E0, 0x00, 2, kLoad},
      {0x22E2, 0xFF, 2, kLoad},
      {0x23D0, 0xFF, 0, kLoad},
      {0x23DA, 0xFF, 0, kLoad},  // DSC call alarm kind, every record
      {0x23DA + 7 * 60, 0xFF, 0, kLoad},
      {0x23DB, 0x00, 0, kLoad},  // alarm minimum is the user's
      {0x23FA + 7 * 5, 0xFF, 0, kLoad},
      {0x24FD + 7 * 11, 0xFF, 0, kLoad},
      {0x2574, 0xFF, 0, kLoad},
      {0x2582, 0xFF, 0, kLoad},  // alarm options: kind
      {0x2583, 0x00, 0, kLoad},  // volume
      {0x2584, 0x00, 0, kLoad},
      {0x2585, 0xFF, 0, kLoad},  // no-MMSI shutdown and visual
      {0x2589, 0xF0, 0, kLoad},  // position ceases: visual only
      {0x259A, 0x00, 0, kLoad},  // record 6 carries no item
      {0x259D, 0x00, 0, kLoad},
      {0x25AD, 0xFF, 0, kLoad},  // discrete 1
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.address << " model " << c.model
                                    << " direction " << static_cast<int>(c.direction));
    const EepromImage templateImage = Filled(0xA5);
    EepromImage image = Filled(0x5A);
    ASSERT_TRUE(ImageNormaliser(templateImage, c.model, false).Normalise(image, c.direction));
    const auto expected = static_cast<std::uint8_t>((0x5A & ~c.mask) | (0xA5 & c.mask));
    EXPECT_EQ(image.GetByte(c.address), expected);
  }
}

TEST(ImageNormaliserTest, RegionByteKeepsItsOwnBitsAndTheMakerSignatureIsTheTemplates) {
  EepromImage templateImage = Filled(0);
  PutText(templateImage, 0x0EE0, "Vrel Inc");
  templateImage.SetByte(0x0BA8, 0x02);
  EepromImage image = Filled(0);
  PutText(image, 0x0EE0, "Someone ");
  image.SetByte(0x0BA8, 0xC5);  // USA, CAN, adjust, initial; weather off
  ImageNormaliser(templateImage, 2, false).Normalise(image, NormaliseDirection::AfterLoad);
  EXPECT_EQ(image.GetByte(0x0BA8), 0xC7);
  EXPECT_EQ(TextAt(image, 0x0EE0, 8), "Vrel Inc");
  ImageNormaliser(templateImage, 0, false).Normalise(image, NormaliseDirection::AfterLoad);
  EXPECT_EQ(image.GetByte(0x0BA8), 0xC7);  // model 0 leaves weather to the user
}

TEST(ImageNormaliserTest, BeforeSavingThePAndWeatherRowsAreRecorded) {
  EepromImage templateImage = Filled(0);
  templateImage.SetByte(0x0AB6, 0x0C);
  struct Case {
    int weatherMask;
    int firstWeatherRow;  // 0x0AB6 after saving
  };
  // All ten weather rows off leaves the template's byte.
  const Case cases[] = {{0x0000, 0}, {0x0007, 3}, {0x01FF, 9}, {0x03FF, 0x0C}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.weatherMask);
    EepromImage image = Filled(0);
    PutWord(image, 0x0BA2, 48);
    PutWord(image, 0x0BA4, 351);
    PutWord(image, 0x0BA6, -1);  // no P channel
    PutWord(image, 0x0BA0, c.weatherMask);
    image.SetByte(0x0AB6, 0xEE);
    EepromImage loaded = image;
    ImageNormaliser(templateImage, 0, false).Normalise(loaded, NormaliseDirection::AfterLoad);
    EXPECT_EQ(Word(loaded, 0x0AB0), 0);
    EXPECT_EQ(loaded.GetByte(0x0AB6), 0xEE);
    ImageNormaliser(templateImage, 0, false).Normalise(image, NormaliseDirection::BeforeSave);
    EXPECT_EQ(Word(image, 0x0AB0), 48);
    EXPECT_EQ(Word(image, 0x0AB2), 351);
    EXPECT_EQ(Word(image, 0x0AB4), 0xFFFF);
    EXPECT_EQ(image.GetByte(0x0AB6), c.firstWeatherRow);
  }
}

TEST(ImageNormaliserTest, InvalidIdsAreReplacedByTheTemplatesAndValidOnesKept) {
  EepromImage templateImage = Filled(0x33);
  struct Case {
    const char* what;
    std::int32_t address;
    int model;
    bool corrupt;  // digit above 99
    bool badCheck;
    bool keptOwn;
  };
  const Case cases[] = {
      {"self ID", 0x23C0, 2, false, false, true},
      {"self ID, digit byte 0xFF", 0x23C0, 2, true, false, false},
      {"self ID, check byte wrong", 0x23C0, 2, false, true, false},
      {"self ID of model 0", 0x23C0, 0, false, false, true},
      {"ATIS ID", 0x22D0, 2, false, false, true},
      {"ATIS ID of model 6", 0x22D0, 6, false, false, false},
      {"ATIS ID, check byte wrong", 0x22D0, 3, false, true, false},
      {"ATIS ID, digit byte 100", 0x22D0, 3, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EepromImage image = Filled(0x44);
    PutId(image, c.address, {21, 12, 34, 56, 70});
    if (c.corrupt) image.SetByte(c.address + 1, c.address == 0x23C0 ? 0xFF : 100);
    if (c.badCheck) image.SetByte(c.address + 5, image.GetByte(c.address + 5) ^ 1);
    image.SetByte(c.address + 6, 9);
    const EepromImage before = image;
    ImageNormaliser(templateImage, c.model, false).Normalise(image, NormaliseDirection::AfterLoad);
    for (std::int32_t i = 0; i < 16; ++i) {
      const std::uint8_t expected = c.keptOwn ? (i == 6 ? 0 : before.GetByte(c.address + i)) : 0x33;
      EXPECT_EQ(image.GetByte(c.address + i), expected) << i;
    }
  }
}

TEST(ImageNormaliserTest, AnOlderServiceBlockIsReplacedAndAlwaysCopiedWithItsCheckByte) {
  struct Case {
    const char* image;
    const char* templ;
    bool adjustMode;
    bool replaced;
  };
  const Case cases[] = {
      {"1.200", "1.300", false, true},
      {"1.300", "1.300", false, false},
      {"2.000", "1.999", false, false},
      {"1.200", "1.300", true, false},   // adjust mode keeps the radio's own
      {"1.2x0", "0.001", false, true},   // not a number: older than any
      {"1.200", "1.3x0", false, false},  // nor is the template's
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.image) + " against " + c.templ);
    EepromImage templateImage = Filled(0x11);
    PutText(templateImage, 0x015A, c.templ);
    EepromImage image = Random(7);
    PutText(image, 0x015A, c.image);
    const EepromImage before = image;
    ImageNormaliser(templateImage, 0, c.adjustMode).Normalise(image, NormaliseDirection::AfterLoad);
    const EepromImage& source = c.replaced ? templateImage : before;
    std::vector<std::uint8_t> block(276);
    for (std::int32_t i = 0; i < 276; ++i) {
      block[static_cast<std::size_t>(i)] = source.GetByte(0x0050 + i);
      ASSERT_EQ(image.GetByte(0x0050 + i), source.GetByte(0x0050 + i)) << i;
    }
    block[274] |= 0x80;
    for (std::int32_t i = 0; i < 275; ++i) {
      ASSERT_EQ(image.GetByte(0x01A0 + i), block[static_cast<std::size_t>(i)]) << i;
    }
    block.pop_back();
    EXPECT_EQ(image.GetByte(0x02B3), CheckSum(block));
  }
}

TEST(ImageNormaliserTest, TextsAreMadeRadioTextAndUserChannelDataIsKept) {
  EepromImage templateImage = Filled(0);
  templateImage.SetByte(0x0830 + 9 * 2 + 8, 0x77);  // the free record's spare byte
  EepromImage image = Filled(0);
  PutText(image, 0x0F10 + 11 * 48, "calling\t16");    // channel row 48
  PutText(image, 0x2250 + 11 * 3, "noaa wx~3 ");      // weather row 3
  PutText(image, 0x25C0 + 16 * 61 + 5, "fleet {a}");  // group row 1
  PutText(image, 0x0830 + 9 * 2 + 4, "ab");           // free channel 2 name
  image.SetByte(0x0830 + 9 * 2 + 6, 'c');
  PutWord(image, 0x0830 + 9 * 2, 1000);
  // Favourite, power and TX inhibit of INT row 48 are the user's; bit 3 the model's.
  image.SetByte(0x04B0 + 48, 0x6C);
  ImageNormaliser(templateImage, 0, false).Normalise(image, NormaliseDirection::AfterLoad);
  EXPECT_EQ(TextAt(image, 0x0F10 + 11 * 48, 10), "CALLING 16");
  EXPECT_EQ(TextAt(image, 0x2250 + 11 * 3, 10), "NOAA WX 3 ");
  EXPECT_EQ(TextAt(image, 0x25C0 + 16 * 61 + 5, 9), "FLEET  A ");
  EXPECT_EQ(TextAt(image, 0x0830 + 9 * 2 + 4, 3), "AB ");
  EXPECT_EQ(image.GetByte(0x0830 + 9 * 2 + 8), 0x77);
  EXPECT_EQ(Word(image, 0x0830 + 9 * 2), 1000);
  EXPECT_EQ(image.GetByte(0x04B0 + 48), 0x64);
}

TEST(ImageNormaliserTest, ImagesSmallerThanTheMemoryMapAreLeftAlone) {
  EepromImage small;
  small.SetSize(kMemoryMapExtent - 1);
  small.Fill(0x61);
  const EepromImage before = small;
  const EepromImage templateImage = Filled(0);
  EXPECT_FALSE(
      ImageNormaliser(templateImage, 0, false).Normalise(small, NormaliseDirection::AfterLoad));
  EXPECT_TRUE(small.Equals(before));
  EepromImage image = Filled(0x61);
  EXPECT_FALSE(ImageNormaliser(small, 0, false).Normalise(image, NormaliseDirection::BeforeSave));
  EXPECT_TRUE(image.Equals(Filled(0x61)));
}

// Where normalising may change anything, and which bits: the model-fixed areas and the
// records it stores again.
struct Area {
  std::int32_t first;
  std::int32_t last;
  std::uint8_t bits;
};
const Area kMayChange[] = {
    {0x0050, 0x0163, 0xFF},       {0x01A0, 0x02B3, 0xFF},
    {0x02F0, 0x02F0 + 420, 0x1B}, {0x04B0, 0x04B0 + 420, 0x1B},
    {0x0670, 0x0670 + 420, 0x1B}, {0x0830, 0x0AA5, 0xFF},
    {0x0AB0, 0x0AB7, 0xFF},       {0x0AB8, 0x0AB8, 0x01},
    {0x0AE6, 0x0AE8, 0xFF},       {0x0AE9, 0x0AE9, 0x02},
    {0x0AEA, 0x0AEB, 0xFF},       {0x0AEE, 0x0AEE, 0xFF},
    {0x0AF1, 0x0AF1, 0x01},       {0x0B21, 0x0B21, 0xFF},
    {0x0B26, 0x0B29, 0xFF},       {0x0B44, 0x0B44, 0x01},
    {0x0B55, 0x0B56, 0xFF},       {0x0BA0, 0x0BA1, 0xFF},
    {0x0BA8, 0x0BA8, 0x02},       {0x0BAC, 0x0BAD, 0xFF},
    {0x0BB8, 0x0BBA, 0xFF},       {0x0BBF, 0x0BBF, 0xFF},
    {0x0BD6, 0x0E6D, 0xFF},       {0x0E7E, 0x0E85, 0xFF},
    {0x0E8E, 0x0E8E, 0xFF},       {0x0EE0, 0x0EE8, 0xFF},
    {0x0EEA, 0x0EEA, 0xFF},       {0x0F10, 0x0F10 + 11 * 421 - 1, 0xFF},
    {0x2250, 0x22BD, 0xFF},       {0x22D0, 0x22DF, 0xFF},
    {0x22E0, 0x22E0, 0x07},       {0x22E2, 0x22E2, 0xFF},
    {0x2300, 0x23AA, 0x02},       {0x23C0, 0x23D3, 0xFF},
    {0x23D7, 0x2581, 0xFF},       {0x2582, 0x25AD, 0xFF},
    {0x25C0, 0x2B5F, 0xFF},
};

std::uint8_t ChangeableBits(std::int32_t address) {
  std::uint8_t bits = 0;
  for (const Area& area : kMayChange) {
    if (address >= area.first && address <= area.last) bits |= area.bits;
  }
  return bits;
}

TEST(ImageNormaliserTest, RandomImagesNormaliseOnceAndOnlyWhereTheModelFixesThem) {
  for (std::uint32_t seed = 1; seed <= 14; ++seed) {
    const int model = static_cast<int>(seed % 7);
    const NormaliseDirection direction =
        seed % 2 == 0 ? NormaliseDirection::AfterLoad : NormaliseDirection::BeforeSave;
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    // The program's template is always normalised against itself first.
    EepromImage templateImage = Random(1000 + seed);
    ImageNormaliser(templateImage, model, false)
        .Normalise(templateImage, NormaliseDirection::AfterLoad);
    const ImageNormaliser normaliser(templateImage, model, seed % 3 == 0);

    EepromImage image = Random(seed);
    if (seed % 4 == 0) {  // a corrupt P word and an ID byte of 0xFF
      PutWord(image, 0x0BA2, 0x7FFF);
      PutWord(image, 0x0BA4, 421);
      image.SetByte(0x25C0, 0xFF);
    }
    const EepromImage before = image;
    ASSERT_TRUE(normaliser.Normalise(image, direction));
    EepromImage twice = image;
    normaliser.Normalise(twice, direction);
    EXPECT_TRUE(twice.Equals(image)) << "normalising is not idempotent";
    ASSERT_EQ(image.Size(), kSize);
    for (std::int32_t a = 0; a < kSize; ++a) {
      const auto changed = static_cast<std::uint8_t>(image.GetByte(a) ^ before.GetByte(a));
      ASSERT_EQ(changed & ~ChangeableBits(a), 0) << std::hex << "address " << a;
    }
  }
}

}  // namespace
}  // namespace rtv
