// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/IdListSorter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "radio/EepromImage.h"

namespace rtv {
namespace {

constexpr std::int32_t kIdTable = 0x25C0;

// One row as the test writes and reads it: "I" individual, "G" group, "-" empty, and a
// number that tells the rows apart.
struct Id {
  char kind;
  int number;
  bool operator==(const Id&) const = default;
};

std::int32_t Record(bool group, int row) { return kIdTable + 16 * ((group ? 60 : 0) + row); }

// An individual ID starts with a nonzero digit, a group ID with one zero; the kind byte
// says the same.
void PutId(EepromImage& image, bool group, int row, Id id) {
  const std::int32_t a = Record(group, row);
  if (id.kind == '-') {
    for (int i = 0; i < 5; ++i) image.SetByte(a + i, 0xFF);
    image.SetByte(a + 15, 255);
    return;
  }
  image.SetByte(a, id.kind == 'G' ? 2 : 23);
  image.SetByte(a + 1, static_cast<std::uint8_t>(id.number / 100));
  image.SetByte(a + 2, static_cast<std::uint8_t>(id.number % 100));
  image.SetByte(a + 3, 0);
  image.SetByte(a + 4, 0);
  const std::string name = "NAME " + std::to_string(id.number + 100000).substr(1);
  for (int i = 0; i < 10; ++i) image.SetByte(a + 5 + i, static_cast<std::uint8_t>(name[i]));
  image.SetByte(a + 15, id.kind == 'G' ? 1 : 0);
}

Id GetId(const EepromImage& image, bool group, int row) {
  const std::int32_t a = Record(group, row);
  if (image.GetByte(a + 15) == 255) return {'-', 0};
  const int number = image.GetByte(a + 1) * 100 + image.GetByte(a + 2);
  std::string name;
  for (int i = 0; i < 10; ++i) name += static_cast<char>(image.GetByte(a + 5 + i));
  EXPECT_EQ(name, "NAME " + std::to_string(number + 100000).substr(1)) << "name left behind";
  return {image.GetByte(a) <= 9 ? 'G' : 'I', number};
}

EepromImage EmptyLists() {
  EepromImage image;
  image.SetSize(32768);
  for (int row = 0; row < 60; ++row) PutId(image, false, row, {'-', 0});
  for (int row = 0; row < 30; ++row) PutId(image, true, row, {'-', 0});
  return image;
}

std::vector<Id> List(const EepromImage& image, bool group, int rows) {
  std::vector<Id> ids;
  for (int row = 0; row < rows; ++row) ids.push_back(GetId(image, group, row));
  return ids;
}

TEST(IdListSorterTest, AGroupIdInTheIndividualListMovesToTheGroupList) {
  EepromImage image = EmptyLists();
  for (int row = 0; row < 8; ++row) PutId(image, false, row, {'I', row});
  PutId(image, false, 5, {'G', 50});
  PutId(image, true, 0, {'G', 100});
  PutId(image, true, 1, {'G', 101});
  IdListSorter::Sort(image);
  EXPECT_EQ(List(image, false, 8),
            (std::vector<Id>{
                {'I', 0}, {'I', 1}, {'I', 2}, {'I', 3}, {'I', 4}, {'I', 6}, {'I', 7}, {'-', 0}}));
  EXPECT_EQ(List(image, true, 4), (std::vector<Id>{{'G', 100}, {'G', 101}, {'G', 50}, {'-', 0}}));
  EXPECT_EQ(image.GetByte(Record(true, 2) + 15), 1);  // its kind byte is the group list's
}

TEST(IdListSorterTest, GapsCloseAndIdsOfTheWrongListSwapSides) {
  EepromImage image = EmptyLists();
  PutId(image, false, 2, {'I', 1});
  PutId(image, false, 40, {'G', 2});
  PutId(image, false, 59, {'I', 3});
  PutId(image, true, 3, {'I', 4});
  PutId(image, true, 29, {'G', 5});
  IdListSorter::Sort(image);
  EXPECT_EQ(List(image, false, 4), (std::vector<Id>{{'I', 1}, {'I', 3}, {'I', 4}, {'-', 0}}));
  EXPECT_EQ(List(image, true, 3), (std::vector<Id>{{'G', 5}, {'G', 2}, {'-', 0}}));
  for (int row = 3; row < 60; ++row) EXPECT_EQ(GetId(image, false, row).kind, '-') << row;
  for (int row = 2; row < 30; ++row) EXPECT_EQ(GetId(image, true, row).kind, '-') << row;
}

TEST(IdListSorterTest, NoIdIsLostWhenTheOtherListIsFull) {
  EepromImage image = EmptyLists();
  for (int row = 0; row < 30; ++row) PutId(image, true, row, {'G', 200 + row});
  PutId(image, false, 0, {'I', 1});
  PutId(image, false, 1, {'G', 2});  // the group list has no room for it
  IdListSorter::Sort(image);
  EXPECT_EQ(List(image, false, 3), (std::vector<Id>{{'I', 1}, {'G', 2}, {'-', 0}}));
  EXPECT_EQ(GetId(image, true, 29), (Id{'G', 229}));
}

TEST(IdListSorterTest, DamagedRowsAreDroppedAndTheRestOfTheImageIsUntouched) {
  EepromImage image = EmptyLists();
  image.SetByte(0x2000, 0x42);
  PutId(image, false, 0, {'I', 1});
  PutId(image, false, 1, {'I', 2});
  image.SetByte(Record(false, 1) + 3, 0xFF);  // not a digit pair: the row is empty
  PutId(image, false, 2, {'I', 3});
  const EepromImage before = image;
  IdListSorter::Sort(image);
  EXPECT_EQ(List(image, false, 3), (std::vector<Id>{{'I', 1}, {'I', 3}, {'-', 0}}));
  for (std::int32_t a = 0; a < image.Size(); ++a) {
    if (a >= kIdTable && a < kIdTable + 16 * 90) continue;
    ASSERT_EQ(image.GetByte(a), before.GetByte(a)) << a;
  }
  EepromImage small;
  small.SetSize(0x2CF8);
  IdListSorter::Sort(small);  // smaller than the memory map: nothing to sort
}

}  // namespace
}  // namespace rtv
