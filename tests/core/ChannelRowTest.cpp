// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/ChannelRow.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "radio/EepromImage.h"

namespace rtv {
namespace {

constexpr std::int32_t kImageSize = 32768;

struct RowTest : ::testing::Test {
  RowTest() { image.SetSize(kImageSize); }

  void PutWord(std::int32_t address, int value) {
    image.SetByte(address, static_cast<std::uint8_t>(value & 0xFF));
    image.SetByte(address + 1, static_cast<std::uint8_t>((value >> 8) & 0xFF));
  }
  int Word(std::int32_t address) const {
    return image.GetByte(address) | image.GetByte(address + 1) << 8;
  }
  void PutText(std::int32_t address, const char* text) {
    image.WriteBlock(address, reinterpret_cast<const std::uint8_t*>(text),
                     static_cast<std::int32_t>(std::strlen(text)));
  }
  std::string Text(std::int32_t address, int length) const {
    std::string text;
    for (int i = 0; i < length; ++i) text += static_cast<char>(image.GetByte(address + i));
    return text;
  }
  // Addresses whose byte differs from `before`.
  std::vector<std::int32_t> Changed(const EepromImage& before) const {
    std::vector<std::int32_t> changed;
    if (std::memcmp(image.Data(), before.Data(), kMemoryMapExtent) == 0) return changed;
    for (std::int32_t a = 0; a < kMemoryMapExtent; ++a) {
      if (image.Data()[a] != before.Data()[a]) changed.push_back(a);
    }
    return changed;
  }

  EepromImage image;
};

using ChannelRowTest = RowTest;

TEST_F(ChannelRowTest, ChannelRowsReadTheirRegionsTables) {
  struct Case {
    ListKind kind;
    std::int32_t attributes;
    std::int32_t pWord;
    std::int32_t cWord;
  };
  const Case cases[] = {{ListKind::UsaChannels, 0x02F0, 0x0BA2, 0x0AE0},
                        {ListKind::IntChannels, 0x04B0, 0x0BA4, 0x0AE2},
                        {ListKind::CanChannels, 0x0670, 0x0BA6, 0x0AE4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    image.Fill(0);
    image.SetByte(c.attributes + 48, 0x80 | 0x40 | 0x20 | 0x04 | 0x02);
    PutWord(c.pWord, 48);
    PutWord(c.cWord, 420);
    PutText(0x0F10 + 11 * 48, "SIXTEEN   ");
    ChannelRow row(image);
    row.LoadRow(c.kind, 48);
    ASSERT_TRUE(row.loaded());
    EXPECT_TRUE(row.pFlag);
    EXPECT_FALSE(row.cFlag);
    EXPECT_TRUE(row.inhibited && row.favourite && row.power && row.txInhibit && row.simplex);
    EXPECT_STREQ(row.comment.data(), "SIXTEEN   ");
    row.LoadRow(c.kind, 420);
    EXPECT_FALSE(row.pFlag);
    EXPECT_TRUE(row.cFlag);
    EXPECT_FALSE(row.inhibited || row.favourite || row.power || row.txInhibit || row.simplex);
  }
}

TEST_F(ChannelRowTest, VariantRowsAreAlwaysSimplex) {
  struct Case {
    int row;
    std::uint8_t attribute;
    bool simplex;
  };
  const Case cases[] = {{48, 0x00, false}, {48, 0x02, true},   {49, 0x00, true},
                        {50, 0x00, true},  {351, 0x00, false}, {351, 0x02, true}};
  for (const Case& c : cases) {
    image.SetByte(0x04B0 + c.row, c.attribute);
    ChannelRow row(image);
    row.LoadRow(ListKind::IntChannels, c.row);
    EXPECT_EQ(row.simplex, c.simplex) << c.row;
  }
}

TEST_F(ChannelRowTest, FreeRowsOfTheChannelListsCarryTheFreeName) {
  PutText(0x0830 + 9 * 0 + 4, "AB ");
  PutText(0x0830 + 9 * 69 + 4, "ZZA");
  ChannelRow row(image);
  row.LoadRow(ListKind::UsaChannels, 351);
  EXPECT_STREQ(row.freeName.data(), "AB ");
  EXPECT_TRUE(row.IsFreeRow());
  row.LoadRow(ListKind::CanChannels, 420);
  EXPECT_STREQ(row.freeName.data(), "ZZA");
  row.LoadRow(ListKind::CanChannels, 350);
  EXPECT_STREQ(row.freeName.data(), "");
  EXPECT_FALSE(row.IsFreeRow());
}

TEST_F(ChannelRowTest, StoringAChannelKeepsTheOtherAttributeBitsAndMovesP) {
  image.SetByte(0x04B0 + 60, 0x19);  // bits 0, 3, 4 are not ours
  PutWord(0x0BA4, 48);
  ChannelRow row(image);
  row.LoadRow(ListKind::IntChannels, 60);
  row.pFlag = true;
  row.cFlag = true;
  row.favourite = true;
  std::memcpy(row.comment.data(), "HARBOUR   ", 10);
  row.ReloadRow();
  EXPECT_EQ(image.GetByte(0x04B0 + 60), 0x19 | 0x40);
  EXPECT_EQ(Word(0x0BA4), 60);
  EXPECT_EQ(Word(0x0AE2), 60);
  EXPECT_EQ(Text(0x0F10 + 11 * 60, 11), std::string("HARBOUR   \0", 11));
  // The first P row is no longer P; clearing a flag leaves the word alone.
  ChannelRow first(image);
  first.LoadRow(ListKind::IntChannels, 48);
  EXPECT_FALSE(first.pFlag);
  row.pFlag = false;
  row.ReloadRow();
  EXPECT_EQ(Word(0x0BA4), 60);
  EXPECT_TRUE(row.pFlag);
}

TEST_F(ChannelRowTest, DscRowsShareTheChannelComments) {
  struct Case {
    int dscRow;
    int channelRow;
    int channel;
  };
  // Channels 1–28 and 60–88 with their variants.
  const Case cases[] = {{0, 3, 1}, {45, 48, 16}, {83, 86, 28}, {84, 180, 60}, {170, 266, 88}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dscRow);
    image.Fill(0);
    PutText(0x0F10 + 11 * c.channelRow, "SHARED    ");
    image.SetByte(0x2300 + c.dscRow, 0x80 | 0x04);
    ChannelRow row(image);
    row.LoadRow(ListKind::DscChannels, c.dscRow);
    EXPECT_STREQ(row.comment.data(), "SHARED    ");
    EXPECT_TRUE(row.inhibited);
    EXPECT_TRUE(row.txInhibit);
    EXPECT_EQ(row.fixed, c.dscRow == 45);
    EXPECT_EQ(ChannelRow::DscChannel(c.dscRow), c.channel);
    std::memcpy(row.comment.data(), "NEW       ", 10);
    row.power = true;
    row.ReloadRow();
    EXPECT_EQ(Text(0x0F10 + 11 * c.channelRow, 10), "NEW       ");
    const int forcedSimplex = c.dscRow % 3 != 0 ? 0x02 : 0;
    EXPECT_EQ(image.GetByte(0x2300 + c.dscRow), 0x80 | 0x20 | 0x04 | forcedSimplex);
  }
}

TEST_F(ChannelRowTest, WeatherRowsUseTheMask) {
  PutWord(0x0BA0, 0x0201);
  ChannelRow row(image);
  row.LoadRow(ListKind::WeatherChannels, 9);
  EXPECT_TRUE(row.inhibited);
  row.LoadRow(ListKind::WeatherChannels, 1);
  EXPECT_FALSE(row.inhibited);
  row.inhibited = true;
  std::memcpy(row.comment.data(), "WX2       ", 10);
  row.ReloadRow();
  EXPECT_EQ(Word(0x0BA0), 0x0203);
  EXPECT_EQ(Text(0x2250 + 11, 11), std::string("WX2       \0", 11));
}

TEST_F(ChannelRowTest, FreeChannelFrequencies) {
  struct Case {
    int rxWord;
    int txWord;
    std::uint32_t rx;
    std::uint32_t tx;
    bool rxEmpty;
    bool txEmpty;
  };
  const Case cases[] = {
      {0, 0, 30'150'000, 0, false, false},  // RX word 0 is 30.150 MHz, TX word 0 is 0 Hz
      {20264, 25088, 156'800'000, 156'800'000, false, false},
      {0xFFFF, 0xFFFF, 0, 0, true, true},
      {20264, 0xFFFF, 156'800'000, 0, false, true},
  };
  for (const Case& c : cases) {
    PutWord(0x0830 + 9 * 5, c.rxWord);
    PutWord(0x0830 + 9 * 5 + 2, c.txWord);
    ChannelRow row(image);
    row.LoadRow(ListKind::FreeChannels, 5);
    EXPECT_EQ(row.rxFrequency, c.rx);
    EXPECT_EQ(row.txFrequency, c.tx);
    EXPECT_EQ(row.rxEmpty, c.rxEmpty);
    EXPECT_EQ(row.txEmpty, c.txEmpty);
    EXPECT_EQ(row.valid, !c.rxEmpty);
    // Storing unchanged fields writes the same words back.
    row.StoreRow();
    EXPECT_EQ(Word(0x0830 + 9 * 5), c.rxWord);
    EXPECT_EQ(Word(0x0830 + 9 * 5 + 2), c.txWord);
  }
}

TEST_F(ChannelRowTest, SimplexFreeChannelSetsTheBitInAllThreeRegions) {
  image.SetByte(0x02F0 + 351 + 7, 0x81);  // other bits of the USA byte stay
  ChannelRow row(image);
  row.LoadRow(ListKind::FreeChannels, 7);
  row.rxFrequency = row.txFrequency = 156'800'000;
  row.rxEmpty = row.txEmpty = false;
  std::memcpy(row.freeName.data(), "AB ", 3);
  row.ReloadRow();
  for (const std::int32_t table : {0x02F0, 0x04B0, 0x0670}) {
    EXPECT_EQ(image.GetByte(table + 358) & 0x02, 0x02) << table;
  }
  EXPECT_EQ(image.GetByte(0x02F0 + 358), 0x83);
  EXPECT_EQ(Text(0x0830 + 9 * 7 + 4, 4), std::string("AB \0", 4));
  row.txFrequency = 156'850'000;
  const EepromImage before = image;
  row.ReloadRow();
  for (const std::int32_t table : {0x02F0, 0x04B0, 0x0670}) {
    EXPECT_EQ(image.GetByte(table + 358) & 0x02, 0) << table;
  }
  // Only the record and the three simplex bytes changed.
  for (const std::int32_t a : Changed(before)) {
    const bool record = a >= 0x0830 + 9 * 7 && a < 0x0830 + 9 * 8;
    const bool simplexByte = a == 0x02F0 + 358 || a == 0x04B0 + 358 || a == 0x0670 + 358;
    EXPECT_TRUE(record || simplexByte) << std::hex << a;
  }
}

TEST_F(ChannelRowTest, BlankFrequenciesAreNotSimplex) {
  ChannelRow row(image);
  row.LoadRow(ListKind::FreeChannels, 0);
  row.rxEmpty = row.txEmpty = true;
  row.ReloadRow();
  EXPECT_EQ(Word(0x0830), 0xFFFF);
  EXPECT_EQ(Word(0x0832), 0xFFFF);
  EXPECT_EQ(image.GetByte(0x04B0 + 351) & 0x02, 0);
  EXPECT_FALSE(row.valid);
}

TEST_F(ChannelRowTest, IdRowsLoadAndNormalise) {
  struct Case {
    ListKind kind;
    int row;
    std::vector<std::uint8_t> record;  // ID bytes, then the kind byte
    bool valid;
    std::uint8_t idKind;
  };
  const Case cases[] = {
      {ListKind::DscIndividualIds, 0, {21, 12, 34, 56, 70, 0}, true, ChannelRow::kIdIndividual},
      {ListKind::DscIndividualIds, 1, {2, 12, 34, 56, 70, 0}, true, ChannelRow::kIdGroup},
      {ListKind::DscIndividualIds,
       2,
       {0, 12, 34, 56, 70, 1},
       true,
       1},  // first byte 0 keeps the kind
      {ListKind::DscIndividualIds, 3, {0xFF, 12, 34, 56, 70, 0}, false, ChannelRow::kIdEmpty},
      {ListKind::DscIndividualIds, 4, {21, 12, 34, 100, 70, 0}, false, ChannelRow::kIdEmpty},
      {ListKind::DscIndividualIds, 5, {21, 12, 34, 56, 70, 255}, false, ChannelRow::kIdEmpty},
      {ListKind::DscGroupIds, 29, {2, 12, 34, 56, 70, 1}, true, ChannelRow::kIdGroup},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    const std::int32_t record = 0x25C0 + 16 * ChannelRow::IdRecord(c.kind, c.row);
    for (int i = 0; i < 5; ++i) image.SetByte(record + i, c.record[static_cast<std::size_t>(i)]);
    image.SetByte(record + 15, c.record[5]);
    PutText(record + 5, "BOAT      ");
    ChannelRow row(image);
    row.LoadRow(c.kind, c.row);
    EXPECT_EQ(row.valid, c.valid);
    EXPECT_EQ(row.idKind, c.idKind);
    if (!c.valid) {
      EXPECT_EQ(row.id, (std::array<std::uint8_t, 5>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    }
    EXPECT_STREQ(row.comment.data(), "BOAT      ");
    row.StoreRow();
    if (c.valid) {
      EXPECT_EQ(Text(record + 5, 10), "BOAT      ");
      EXPECT_EQ(image.GetByte(record + 4), 70);
      EXPECT_EQ(image.GetByte(record + 15), c.kind == ListKind::DscGroupIds ? 1 : 0);
    } else {
      // An empty row is rewritten as one: 0xFF bytes, spaces, 255.
      EXPECT_EQ(image.GetByte(record), 0xFF);
      EXPECT_EQ(image.GetByte(record + 4), 0xFF);
      EXPECT_EQ(Text(record + 5, 10), "          ");
      EXPECT_EQ(image.GetByte(record + 15), 255);
    }
  }
}

TEST_F(ChannelRowTest, AnIdStoresNineDigits) {
  ChannelRow row(image);
  row.LoadRow(ListKind::DscIndividualIds, 59);
  row.id = {21, 12, 34, 56, 78};
  row.ReloadRow();
  const std::int32_t record = 0x25C0 + 16 * 59;
  EXPECT_EQ(image.GetByte(record + 4), 70);  // the tenth digit is always 0
  EXPECT_TRUE(row.valid);
  EXPECT_EQ(row.id[4], 70);
}

TEST_F(ChannelRowTest, RowsOutsideTheirRangeLoadAndStoreNothing) {
  image.Fill(0x5A);
  struct Case {
    ListKind kind;
    int row;
  };
  const Case cases[] = {{ListKind::IntChannels, -1},
                        {ListKind::IntChannels, 421},
                        {ListKind::DscChannels, 171},
                        {ListKind::WeatherChannels, 10},
                        {ListKind::FreeChannels, 70},
                        {ListKind::DscIndividualIds, 60},
                        {ListKind::DscGroupIds, 30},
                        {ListKind::DscGroupIds, -30},
                        {ListKind::None, 0},
                        {ListKind::IdBlocking, 0},
                        {ListKind::AtisCall, 0},
                        {ListKind::Adjustment, 0},
                        {ListKind::IntChannels, 1 << 30},
                        {static_cast<ListKind>(99), 0}};
  const EepromImage before = image;
  for (const Case& c : cases) {
    ChannelRow row(image);
    row.LoadRow(c.kind, c.row);
    EXPECT_FALSE(row.loaded());
    EXPECT_FALSE(row.pFlag || row.inhibited || row.valid);
    row.pFlag = row.inhibited = true;
    row.ReloadRow();
  }
  EXPECT_TRUE(image.Equals(before));
}

TEST_F(ChannelRowTest, AnImageSmallerThanTheMemoryMapIsNeverTouched) {
  for (const std::int32_t size : {0, 16, kMemoryMapExtent - 1}) {
    EepromImage small;
    small.SetSize(size);
    ChannelRow row(small);
    row.LoadRow(ListKind::DscGroupIds, 29);
    EXPECT_FALSE(row.loaded());
    row.id = {1, 2, 3, 4, 5};
    row.StoreRow();
  }
}

TEST_F(ChannelRowTest, GarbageRoundTripsThroughLoadAndStore) {
  // Whatever the image holds, storing a row unchanged writes back what it read, apart from
  // the forced simplex bit of a variant row and the 0 byte that ends a comment.
  for (std::int32_t a = 0; a < kMemoryMapExtent; ++a) {
    image.SetByte(a, static_cast<std::uint8_t>(a * 131 + 7));
  }
  const ListKind kinds[] = {ListKind::IntChannels, ListKind::UsaChannels, ListKind::CanChannels,
                            ListKind::DscChannels, ListKind::WeatherChannels};
  for (const ListKind kind : kinds) {
    for (int r = 0; r < ListRowCount(kind); ++r) {
      const EepromImage before = image;
      ChannelRow row(image);
      row.LoadRow(kind, r);
      row.StoreRow();
      const std::vector<std::int32_t> changed = Changed(before);
      for (const std::int32_t a : changed) {
        const bool commentEnd =
            image.GetByte(a) == 0 && ((a >= 0x0F10 && a < 0x2250 && (a - 0x0F10) % 11 == 10) ||
                                      (a >= 0x2250 && a < 0x22BE && (a - 0x2250) % 11 == 10));
        const bool forcedSimplex =
            row.IsVariantRow() && (image.GetByte(a) ^ before.GetByte(a)) == 0x02;
        EXPECT_TRUE(commentEnd || forcedSimplex)
            << static_cast<int>(kind) << " row " << r << " at " << std::hex << a;
      }
    }
  }
}

}  // namespace
}  // namespace rtv
