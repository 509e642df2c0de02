// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "cells/CellCatalog.h"
#include "radio/MemoryLayout.h"

namespace rtv {

class EepromImage;

// One row of a channel, DSC, weather, free-channel or ID list, loaded from the working
// image, edited as fields and stored back. Only the row's own bytes are touched (and, for
// a free channel, the simplex bit of its row in the three channel lists). A channel list's
// row of a free channel shows the free name but never stores it: the name belongs to the
// free channel, which every channel list shares.
class ChannelRow {
 public:
  static constexpr int kCommentLength = 10;
  static constexpr int kFreeNameLength = 3;
  static constexpr int kIdBytes = 5;
  static constexpr std::uint8_t kIdIndividual = 0;
  static constexpr std::uint8_t kIdGroup = 1;
  static constexpr std::uint8_t kIdEmpty = 255;

  // Channel rows 0–350 are marine channels (channel × 3 + variant), 351–420 free channels.
  static constexpr int kFirstFreeRow = 351;
  // DSC row 45 is channel 16, which the radio needs as it is.
  static constexpr int kFixedDscRow = 45;
  static constexpr int kFirstHighDscRow = 84;  // channel 60 onwards
  static constexpr int kWeatherRows = 10;
  static constexpr int kIndividualIdRows = 60;

  static constexpr std::int32_t kIdRecordSize = 16;

  // Where a channel row's own bytes are: its attribute byte in a region's table (region
  // index as below) and its comment record, shared by the three channel lists.
  static constexpr std::int32_t AttributeAddress(int region, int channelRow) {
    return MemoryLayout::kAttributeTables + MemoryLayout::kAttributeTableSize * region + channelRow;
  }
  static constexpr std::int32_t kCommentRecordSize = 11;
  static constexpr std::int32_t CommentAddress(int channelRow) {
    return MemoryLayout::kCommentTable + kCommentRecordSize * channelRow;
  }
  // The P and C words of a region: the rows of its priority and call channels.
  static constexpr std::int32_t PWordAddress(int region) {
    return MemoryLayout::kPWords + 2 * region;
  }
  static constexpr std::int32_t CWordAddress(int region) {
    return MemoryLayout::kCWords + 2 * region;
  }
  static constexpr int kRegions = 3;

  // Index of a channel list's region in the per-region tables: USA 0, INT 1, CAN 2; -1 for
  // other kinds.
  static int RegionIndex(ListKind kind);
  // The ID record of a row of an ID list (group rows follow the 60 individual ones).
  static int IdRecord(ListKind kind, int row);
  // Marine channel number of a DSC row and the variant (0 plain, 1 "A", 2 "B").
  static int DscChannel(int row) { return row / 3 + (row < kFirstHighDscRow ? 1 : 32); }

  explicit ChannelRow(EepromImage& image) : image_(image) {}

  // Kinds without row records (None, 9–11) load nothing; a row outside the kind's range
  // loads nothing either, nor does an image too small for the memory map.
  void LoadRow(ListKind kind, int row);
  // Writes the fields back; does nothing when the last load loaded nothing.
  void StoreRow();
  // Store, then load again: derived fields (forced simplex, ID kind) are recomputed.
  void ReloadRow();

  bool loaded() const { return loaded_; }
  // Channel rows 351–420 of the INT, USA and CAN lists.
  bool IsFreeRow() const;
  // A marine channel row of the "A" or "B" variant (channel lists and DSC list).
  bool IsVariantRow() const;
  // Three spaces (or zero bytes) name no free channel.
  bool FreeNameBlank() const;
  bool CommentBlank() const;
  // The fields as bytes, for the text editors.
  std::span<std::uint8_t, kCommentLength> CommentBytes();
  std::span<std::uint8_t, kFreeNameLength> FreeNameBytes();

  ListKind kind = ListKind::None;
  int row = 0;

  bool pFlag = false;
  bool cFlag = false;
  bool inhibited = false;  // DSC: RX use; weather: the mask bit
  bool fixed = false;      // DSC row 45
  bool favourite = false;
  bool txInhibit = false;  // DSC: TX use
  bool power = false;
  bool simplex = false;
  std::array<char, kCommentLength + 1> comment{};  // channel, weather or ID name, 0-ended

  std::uint8_t idKind = kIdEmpty;
  std::array<std::uint8_t, kIdBytes> id{};
  // ID rows: the record holds an ID. Free channels: the RX frequency is not blank.
  bool valid = false;

  // A blank frequency is stored as the word 0xFFFF.
  bool rxEmpty = false;
  bool txEmpty = false;
  std::uint32_t rxFrequency = 0;  // Hz
  std::uint32_t txFrequency = 0;  // Hz
  std::array<char, kFreeNameLength + 1> freeName{};

  EepromImage& image() { return image_; }
  const EepromImage& image() const { return image_; }

 private:
  void Reset(ListKind newKind, int newRow);
  void LoadChannel(const std::uint8_t* image);
  void LoadDsc(const std::uint8_t* image);
  void LoadWeather(const std::uint8_t* image);
  void LoadFree(const std::uint8_t* image);
  void LoadId(const std::uint8_t* image);
  void StoreChannel(std::uint8_t* image) const;
  void StoreDsc(std::uint8_t* image) const;
  void StoreWeather(std::uint8_t* image) const;
  void StoreFree(std::uint8_t* image) const;
  void StoreId(std::uint8_t* image) const;

  EepromImage& image_;
  bool loaded_ = false;
};

}  // namespace rtv
