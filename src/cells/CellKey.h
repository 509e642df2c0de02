// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace rtv {

// The keys a cell reacts to besides the characters typed on it.
enum class SpecialKey : std::uint8_t {
  None,  // no special key: a typed character, or no key at all
  Enter,
  Activate,  // a double click, or a click on an item of an embedded sheet; served as Enter
  Backspace,
  Left,  // the cursor could not move left
  Right,
  F1,
  F2,
  F3,
  F4,
  F5,
  F6,
  F7,
  F8,
  F9,
  F10,
  F11,
  F12,
};

// A key given to a cell: a special key, or a character typed on it. It holds no platform's
// key codes; the widget maps its own keys to these.
class CellKey {
 public:
  static constexpr int kFunctionKeys = 12;

  constexpr CellKey() = default;
  // Not explicit: a special key is a cell key as it is.
  constexpr CellKey(SpecialKey special) : special_(special) {}

  // Only the characters the radio can show are typed into a cell; any other is no key.
  static constexpr CellKey Typed(char character) {
    CellKey key;
    if (character >= 0x20 && character < 0x7F) key.typed_ = character;
    return key;
  }
  // F1–F12 by number; any other number is no key.
  static constexpr CellKey Function(int number) {
    if (number < 1 || number > kFunctionKeys) return {};
    return static_cast<SpecialKey>(static_cast<int>(SpecialKey::F1) + number - 1);
  }

  constexpr bool IsNone() const { return special_ == SpecialKey::None && typed_ == 0; }
  constexpr SpecialKey special() const { return special_; }
  constexpr bool IsTyped() const { return typed_ != 0; }
  // The typed character; 0 for a special key or none.
  constexpr char typed() const { return typed_; }
  constexpr bool IsDigit() const { return typed_ >= '0' && typed_ <= '9'; }

  constexpr bool operator==(const CellKey&) const = default;

 private:
  SpecialKey special_ = SpecialKey::None;
  char typed_ = 0;
};

}  // namespace rtv
