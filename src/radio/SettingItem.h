// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

#include "cells/CellNames.h"

namespace rtv {

// One settings item of the radio: where its value lives in the image, how it is edited
// and which rules grey it out or flag it. Built with the helpers below into one table.
struct SettingItem {
  enum class Field : std::uint8_t {
    Byte,
    Bit,         // one bit; the other bits of the byte are kept
    LowNibble,   // bits 0–3
    HighNibble,  // bits 4–7
    Word,        // unsigned 16-bit
    SignedWord,  // signed 16-bit
    Id,          // five digit bytes and a check byte
    Text,        // characters, space padded
    DisplayCode  // five characters naming a region display
  };
  enum class Editor : std::uint8_t { Choice, TypedChoice, Integer, Scaled, Id, Text, UtcOffset };
  // Where the choice list comes from when it is not fixed.
  enum class Lists : std::uint8_t { Fixed, AutoSwitch, DisplayByModel, SoftKeyByModel };
  enum class Grey : std::uint8_t {
    None,
    RegionOfIndex,  // the cell's index is a region (USA 0, INT 1, CAN 2)
    UsaRegion,
    CanRegion,
    TotOff,        // the transmit time-out is switched off
    NoAutoAckCall  // no DSC call record pair from `record` that auto-acknowledgement needs
  };
  enum class Rule : std::uint8_t {
    None,
    AlarmMinimum,  // error when the record's maximum is below its minimum
    AlarmMaximum,
    CallNeeded,  // value 1 needs DSC call record `record` switched on
    Atis,        // at least one enabled region keeps ATIS on
    SoftKey,     // a key needs the feature it calls
    SelfId       // an MMSI does not start with a single 0
  };

  int cellLink = kCellLinkNone;
  int address = 0;
  Field field = Field::Byte;
  std::uint8_t bit = 0;
  int stride = 0;  // address step per cell index
  int count = 1;   // cell indexes served; 1 for a single item
  Editor editor = Editor::Choice;
  Lists lists = Lists::Fixed;
  const char* list = nullptr;
  int variant = 1;
  int minimum = 0;
  int maximum = 0;
  int displayOffset = 0;  // integers shown plus this
  int scale = 1;          // scaled decimals: stored value over this
  int storeFactor = 1;    // the image holds the edited value times this
  int digits = 0;         // IDs: digit count; texts: characters
  const char* suffix = "";
  bool readOnly = false;
  Grey grey = Grey::None;
  Rule rule = Rule::None;
  int record = 0;  // DSC call record of the grey rule or the rule

  constexpr SettingItem Indexed(int step, int indexes) const {
    SettingItem item = *this;
    item.stride = step;
    item.count = indexes;
    return item;
  }
  constexpr SettingItem ReadOnly() const {
    SettingItem item = *this;
    item.readOnly = true;
    return item;
  }
  constexpr SettingItem Greyed(Grey when, int callRecord = 0) const {
    SettingItem item = *this;
    item.grey = when;
    item.record = callRecord;
    return item;
  }
  constexpr SettingItem Checked(Rule rule_, int callRecord = 0) const {
    SettingItem item = *this;
    item.rule = rule_;
    item.record = callRecord;
    return item;
  }
  constexpr SettingItem Typed() const {
    SettingItem item = *this;
    item.editor = Editor::TypedChoice;
    return item;
  }
  constexpr SettingItem From(Lists source) const {
    SettingItem item = *this;
    item.lists = source;
    return item;
  }
  constexpr SettingItem Suffixed(const char* text) const {
    SettingItem item = *this;
    item.suffix = text;
    return item;
  }

  // Bytes of the image the item of `index` may change, first and last.
  constexpr int First(int index) const { return address + stride * index; }
  constexpr int Last(int index) const {
    switch (field) {
      case Field::Word:
      case Field::SignedWord:
        return First(index) + 1;
      case Field::Id:
        return First(index) + 5;
      case Field::Text:
        return First(index) + digits - 1;
      case Field::DisplayCode:
        return First(index) + 4;
      default:
        return First(index);
    }
  }
  // The bits of a one-byte field.
  constexpr std::uint8_t Mask() const {
    switch (field) {
      case Field::Bit:
        return static_cast<std::uint8_t>(1u << bit);
      case Field::LowNibble:
        return 0x0F;
      case Field::HighNibble:
        return 0xF0;
      default:
        return 0xFF;
    }
  }
};

}  // namespace rtv
