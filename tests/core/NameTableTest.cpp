// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/NameTable.h"

#include <gtest/gtest.h>

namespace rtv {
namespace {

TEST(NameHashTest, MatchesTheHashRule) {
  struct Case {
    const char* name;
    std::uint32_t buckets;
    std::uint32_t bucket;
  };
  // Worked by hand: h = 2h + step + c; step halves when the next byte is odd.
  const Case cases[] = {
      {"", 1031, 0},       {"A", 1031, 580},  // 515 + 65
      {"AB", 1031, 710},                      // 2*580 + 515 + 66 = 1741
      {"AC", 1031, 453},                      // 'C' is odd: step 257; 1160 + 257 + 67 = 1484
      {"A", 101, 14},                         // 50 + 65 = 115
      {"\xE9", 1031, 492},                    // bytes are signed: 515 - 23
      {"ac", 3, 2},   // step 1 halves to 0 and is set back to 1: 196 + 1 + 99
      {"A", 0, 580},  // 0 buckets means 1031
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NameHash(c.name, c.buckets), c.bucket) << c.name << " / " << c.buckets;
  }
}

TEST(NameTableTest, FindsWhatWasAdded) {
  NameTable table;
  EXPECT_EQ(table.BucketCount(), 1031u);
  table.Add("CT_Null", 0);
  table.Add("CL_Menu_File_New", 24);
  table.Add("AB", 1);
  table.Add("AC", 2);
  EXPECT_EQ(table.Find("CL_Menu_File_New"), 24);
  EXPECT_EQ(table.Find("AB"), 1);
  EXPECT_EQ(table.Find("AC"), 2);
  EXPECT_EQ(table.Find("ab"), std::nullopt);
  EXPECT_EQ(table.Count(), 4);
  // A tiny table chains every name in few buckets and still tells them apart.
  NameTable small(2);
  for (int i = 0; i < 50; ++i) small.Add("name" + std::to_string(i), i);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(small.Find("name" + std::to_string(i)), i);
}

TEST(NameTableDeathTest, DuplicateNamesAreFatal) {
  EXPECT_EXIT(
      {
        NameTable table;
        table.Add("clRed", 1);
        table.Add("clRed", 2);
      },
      ::testing::ExitedWithCode(3), "Overlapped Hash table\\.");
  EXPECT_EXIT(
      {
        NameTable table(0, "Overlapped Hash2 table.");
        table.Add("GI_List#1", 1);
        table.Add("GI_List#1", 1);
      },
      ::testing::ExitedWithCode(3), "Overlapped Hash2 table\\.");
}

}  // namespace
}  // namespace rtv
