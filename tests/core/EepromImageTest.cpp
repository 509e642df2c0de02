// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/EepromImage.h"

#include <gtest/gtest.h>

#include <array>

namespace rtv {
namespace {

TEST(EepromImageTest, SetSizeClearsAndZeroReleases) {
  EepromImage image;
  EXPECT_EQ(image.Size(), 0);
  image.SetSize(16);
  image.Fill(0xAA);
  image.SetSize(16);  // same size still clears
  EXPECT_EQ(image.GetByte(15), 0);
  image.SetSize(0);
  EXPECT_EQ(image.Size(), 0);
  EXPECT_EQ(image.Data(), nullptr);
  image.Fill(1);  // nothing to fill, nothing happens
  EXPECT_TRUE(image.Equals(EepromImage()));
  EXPECT_FALSE(image.IsValidAddress(0));
}

TEST(EepromImageTest, BlocksCopyOnlyWhenWhollyInside) {
  EepromImage image;
  image.SetSize(8);
  const std::array<std::uint8_t, 2> two{0x11, 0x22};
  image.WriteBlock(7, two.data(), 2);  // size - 1, length 2: nothing
  EXPECT_EQ(image.GetByte(7), 0);
  image.WriteBlock(6, two.data(), 2);  // size - 2, length 2: both
  EXPECT_EQ(image.GetByte(6), 0x11);
  EXPECT_EQ(image.GetByte(7), 0x22);
  image.WriteBlock(0, two.data(), 0);
  image.WriteBlock(-1, two.data(), 2);
  image.WriteBlock(1, two.data(), 0x7FFFFFFF);  // must not wrap around
  EXPECT_EQ(image.GetByte(0), 0);
  EXPECT_EQ(image.GetByte(1), 0);
  std::array<std::uint8_t, 2> out{9, 9};
  image.ReadBlock(7, out.data(), 2);
  EXPECT_EQ(out[0], 9);
  image.ReadBlock(6, out.data(), 2);
  EXPECT_EQ(out, two);
  // Overlapping source and image move like memmove.
  image.WriteBlock(5, image.Data() + 6, 2);
  EXPECT_EQ(image.GetByte(5), 0x11);
  EXPECT_EQ(image.GetByte(6), 0x22);
}

TEST(EepromImageTest, AssignCopiesAndEqualsComparesSizeAndBytes) {
  EepromImage a, b;
  a.SetSize(4);
  a.SetByte(2, 7);
  b.Assign(a);
  EXPECT_TRUE(b.Equals(a));
  b.SetByte(2, 8);
  EXPECT_EQ(a.GetByte(2), 7);  // no sharing
  EXPECT_TRUE(b.Differs(a));
  EepromImage longer;
  longer.SetSize(5);
  longer.SetByte(2, 7);
  EXPECT_FALSE(longer.Equals(a));  // a prefix is not equal
}

TEST(EepromImageTest, RangesDifferLooksOnlyInsideTheRanges) {
  EepromImage a, b;
  a.SetSize(0x8000);
  b.Assign(a);
  a.SetByte(0x2B60, 1);  // outside the clone range
  EXPECT_FALSE(RangesDiffer(a, b, kCloneRanges));
  a.SetByte(0x2B5F, 1);
  EXPECT_TRUE(RangesDiffer(a, b, kCloneRanges));
  // An empty image compares as zeros.
  EepromImage empty, zeros;
  zeros.SetSize(0x8000);
  EXPECT_FALSE(RangesDiffer(zeros, empty, kCloneRanges));
  EXPECT_TRUE(RangesDiffer(a, empty, kCloneRanges));
}

TEST(EepromImageDeathTest, AddressesOutsideTheImageAreFatal) {
  EepromImage image;
  image.SetSize(16);
  EXPECT_EXIT(image.GetByte(-1), ::testing::ExitedWithCode(3),
              "Out of EEPROM image address \\(GetByte\\)\\.");
  EXPECT_EXIT(image.GetByte(16), ::testing::ExitedWithCode(3),
              "Out of EEPROM image address \\(GetByte\\)\\.");
  EXPECT_EXIT(image.SetByte(16, 0), ::testing::ExitedWithCode(3),
              "Out of EEPROM image address \\(SetByte\\)\\.");
}

}  // namespace
}  // namespace rtv
