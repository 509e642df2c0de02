// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ByteQueue.h"

#include <gtest/gtest.h>

#include <vector>

namespace rtv {
namespace {

TEST(ByteQueueTest, GrowsByAQuarterOfTheCountBeyondTheNeed) {
  ByteQueue buffer;
  EXPECT_EQ(buffer.Count(), 0);
  EXPECT_EQ(buffer.Capacity(), 1);
  buffer.SetCount(100);
  EXPECT_EQ(buffer.Capacity(), 100);
  buffer.At(99) = 5;
  buffer.PushBack(7);
  EXPECT_EQ(buffer.Count(), 101);
  EXPECT_EQ(buffer.Capacity(), 126);
  EXPECT_EQ(buffer.At(99), 5);
  EXPECT_EQ(buffer.At(100), 7);
  buffer.SetCount(102);
  EXPECT_EQ(buffer.At(101), 0);  // grown space holds the fill byte
  buffer.SetCount(3);
  EXPECT_EQ(buffer.Capacity(), 126);  // shrinking keeps the memory
}

TEST(ByteQueueTest, AppendAssignAndPop) {
  ByteQueue buffer;
  EXPECT_EQ(buffer.PopFront(), -1);
  EXPECT_EQ(buffer.Count(), 0);
  const std::uint8_t bytes[] = {0xFE, 0xFE, 0xEE};
  buffer.Append(bytes, 3);
  buffer.AppendRepeated(0xFD, 2);
  ByteQueue other;
  other.Assign(buffer);
  other.Append(other);  // appending itself doubles it
  EXPECT_EQ(other.Count(), 10);
  EXPECT_EQ(buffer.PopFront(), 0xFE);
  EXPECT_EQ(buffer.PopFront(), 0xFE);
  EXPECT_EQ(buffer.PopFront(), 0xEE);
  EXPECT_EQ(buffer.Count(), 2);
  buffer.Assign(buffer.Data() + 1, 1);  // a source inside the buffer itself
  ASSERT_EQ(buffer.Count(), 1);
  EXPECT_EQ(buffer.At(0), 0xFD);
  buffer.Clear();
  EXPECT_EQ(buffer.Count(), 0);
  EXPECT_EQ(buffer.Capacity(), 1);
}

TEST(ByteQueueTest, PoppingPast4096BytesCompactsToTheRemainingCount) {
  ByteQueue buffer;
  std::vector<std::uint8_t> data(5000);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i);
  buffer.Append(data.data(), static_cast<int>(data.size()));
  for (int i = 0; i < 4096; ++i) ASSERT_EQ(buffer.PopFront(), i & 0xFF);
  EXPECT_EQ(buffer.Capacity(), 5000 - 4096);  // front advanced, block kept
  EXPECT_EQ(buffer.PopFront(), 4096 & 0xFF);
  EXPECT_EQ(buffer.Count(), 5000 - 4097);
  EXPECT_EQ(buffer.Capacity(), 5000 - 4097);  // a fresh block of exactly the count
  EXPECT_EQ(buffer.At(0), 4097 & 0xFF);
}

TEST(ByteQueueDeathTest, IndexOutsideTheElementsIsFatal) {
  ByteQueue buffer;
  buffer.PushBack(1);
  EXPECT_EXIT(buffer.At(1), ::testing::ExitedWithCode(3), "Out of ByteQueue element !");
  EXPECT_EXIT(buffer.At(-1), ::testing::ExitedWithCode(3), "Out of ByteQueue element !");
}

}  // namespace
}  // namespace rtv
