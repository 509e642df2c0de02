// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/CellKey.h"

#include <gtest/gtest.h>

#include "EditorAccess.h"

namespace rtv {
namespace {

TEST(CellKeyTest, OnlyTheCharactersTheRadioShowsAreTyped) {
  struct Case {
    char character;
    bool typed;
  };
  const Case cases[] = {{' ', true},     {'~', true},
                        {'0', true},     {'a', true},
                        {'\0', false},   {'\x1F', false},
                        {'\b', false},   {'\r', false},
                        {'\x7F', false}, {static_cast<char>(0xE9), false}};
  for (const Case& c : cases) {
    const CellKey key = CellKey::Typed(c.character);
    EXPECT_EQ(key.IsTyped(), c.typed) << static_cast<int>(c.character);
    EXPECT_EQ(key.IsNone(), !c.typed) << static_cast<int>(c.character);
    EXPECT_EQ(key.typed(), c.typed ? c.character : '\0') << static_cast<int>(c.character);
    EXPECT_EQ(key.special(), SpecialKey::None);
  }
}

TEST(CellKeyTest, FunctionKeysByNumber) {
  const SpecialKey all[] = {SpecialKey::F1, SpecialKey::F2,  SpecialKey::F3,  SpecialKey::F4,
                            SpecialKey::F5, SpecialKey::F6,  SpecialKey::F7,  SpecialKey::F8,
                            SpecialKey::F9, SpecialKey::F10, SpecialKey::F11, SpecialKey::F12};
  for (int number = 1; number <= CellKey::kFunctionKeys; ++number) {
    EXPECT_EQ(CellKey::Function(number), all[number - 1]) << number;
  }
  for (const int outside : {-1, 0, 13, 0x71}) EXPECT_TRUE(CellKey::Function(outside).IsNone());
}

TEST(CellKeyTest, KeysCompareByWhatWasPressed) {
  EXPECT_TRUE(CellKey().IsNone());
  EXPECT_FALSE(CellKey(SpecialKey::Enter).IsNone());
  EXPECT_FALSE(CellKey(SpecialKey::Enter).IsTyped());
  EXPECT_EQ(CellKey(SpecialKey::Enter).typed(), '\0');
  EXPECT_NE(CellKey(SpecialKey::Enter), CellKey(SpecialKey::Activate));
  EXPECT_NE(CellKey::Typed('a'), CellKey::Typed('A'));
  EXPECT_NE(CellKey::Typed(' '), CellKey());
  EXPECT_EQ(CellKey::Typed('\x7F'), CellKey());
  EXPECT_TRUE(CellKey::Typed('7').IsDigit());
  EXPECT_FALSE(CellKey::Typed('a').IsDigit());
  EXPECT_FALSE(CellKey(SpecialKey::F2).IsDigit());
}

}  // namespace
}  // namespace rtv
