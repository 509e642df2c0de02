// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/ImageNormaliser.h"

#include <span>

#include "cells/RadioCharset.h"
#include "radio/ChannelRow.h"
#include "radio/CheckSum.h"
#include "radio/EepromImage.h"
#include "radio/ImageVersion.h"
#include "radio/MemoryLayout.h"

namespace rtv {
namespace {

constexpr int kChannelRows = 421;
constexpr ListKind kRegionKinds[] = {ListKind::UsaChannels, ListKind::IntChannels,
                                     ListKind::CanChannels};
// Attribute bits that no item edits (7 inhibited, 6 favourite, 5 power, 2 TX inhibit and
// 1 simplex belong to the user); only these follow the model.
constexpr std::uint8_t kModelAttributeBits = 0x19;

constexpr std::int32_t kFreeRecord = 9;
constexpr std::int32_t kFreeNameOffset = 4;
constexpr std::int32_t kFreeSpareOffset = 8;  // the one byte of a record no item edits
constexpr int kFreeRows = 70;

constexpr std::uint8_t kWeatherRegionBit = 0x02;
constexpr std::int32_t kFirstWeatherRow = 0x0AB6;
constexpr int kWeatherRows = 10;

constexpr std::int32_t kCommentRecord = 11;
constexpr std::int32_t kCommentLength = 10;

constexpr std::int32_t kIdFieldLength = 16;  // 5 digit bytes, the check byte, then state
constexpr std::int32_t kIdDigitBytes = 5;
constexpr std::int32_t kIdStateOffset = 6;

constexpr int kDscRows = 171;

constexpr std::int32_t kIdRecord = 16;
constexpr std::int32_t kIdNameOffset = 5;
constexpr int kIndividualRows = 60;
constexpr int kGroupRows = 30;

constexpr std::int32_t kDscCallRecord = 7;
constexpr std::int32_t kDscCallSingles[] = {0x23E5, 0x23EC, 0x23ED, 0x23F3, 0x242B, 0x242C, 0x2432,
                                            0x2440, 0x2448, 0x246A, 0x246B, 0x2471, 0x2472, 0x2478,
                                            0x2479, 0x2494, 0x249B, 0x24A2, 0x24D3, 0x24DA, 0x24E1,
                                            0x253D, 0x2544, 0x254B, 0x2566, 0x256D, 0x2574, 0x2582};

// DSC alarm options: 4-byte records of kind, volume, a spare byte, and shutdown (bits 0–3)
// with visual (bits 4–7). The user sets the volumes and some shutdowns; the kinds, the
// visual alarms and the other shutdowns are shown read-only, so they follow the model.
// Record 6 carries no item at all and is left as it is.
constexpr std::int32_t kAlarmRecord = 4;
struct AlarmRecord {
  int record;
  bool fixedShutdown;
};
constexpr AlarmRecord kAlarmRecords[] = {{0, true},    // no MMSI
                                         {1, false},   // position ceases
                                         {2, false},   // distress TX
                                         {3, false},   // TX
                                         {4, true},    // self-termination
                                         {5, true},    // inactivity
                                         {7, true},    // discrete 2
                                         {8, false},   // position 4 h
                                         {9, false},   // position 23 h
                                         {10, true}};  // discrete 1

std::span<std::uint8_t> Field(EepromImage& image, std::int32_t address, std::int32_t length) {
  return {image.Data() + address, static_cast<std::size_t>(length)};
}

int SignedWord(const EepromImage& image, std::int32_t address) {
  const auto word =
      static_cast<std::uint16_t>(image.GetByte(address) | image.GetByte(address + 1) << 8);
  return static_cast<std::int16_t>(word);
}

// Five digit bytes 0–99 followed by their check byte.
bool IdIsValid(const EepromImage& image, std::int32_t address) {
  for (std::int32_t i = 0; i < kIdDigitBytes; ++i) {
    if (image.GetByte(address + i) > 99) return false;
  }
  return image.GetByte(address + kIdDigitBytes) == CheckSum(image, address, kIdDigitBytes);
}

}  // namespace

ImageNormaliser::ImageNormaliser(const EepromImage& templateImage, int modelType, bool adjustMode)
    : template_(templateImage), modelType_(modelType), adjustMode_(adjustMode) {}

bool ImageNormaliser::Normalise(EepromImage& image, NormaliseDirection direction) const {
  if (image.Size() < kMemoryMapExtent || template_.Size() < kMemoryMapExtent) return false;
  ChannelAttributes(image);
  FreeChannels(image);
  RegionSettings(image, direction);
  Comments(image);
  Atis(image);
  DscChannels(image);
  SelfId(image);
  DscCallsAndAlarms(image);
  IdNames(image);
  ServiceBlock(image);
  // The adjustment values the controller keeps are the radio's answers over the
  // adjustment link, never image bytes (the two that are live in the image are read from
  // it directly), so there is nothing here to refresh them from.
  return true;
}

void ImageNormaliser::CopyByte(EepromImage& image, std::int32_t address) const {
  image.SetByte(address, template_.GetByte(address));
}

void ImageNormaliser::CopyBits(EepromImage& image, std::int32_t address, std::uint8_t mask) const {
  const auto own = static_cast<std::uint8_t>(image.GetByte(address) & ~mask);
  image.SetByte(address, static_cast<std::uint8_t>(own | (template_.GetByte(address) & mask)));
}

void ImageNormaliser::CopyBlock(EepromImage& image, std::int32_t first, std::int32_t last) const {
  for (std::int32_t address = first; address <= last; ++address) CopyByte(image, address);
}

void ImageNormaliser::StoreAgain(EepromImage& image, ListKind kind, int row) {
  ChannelRow record(image);
  record.LoadRow(kind, row);
  record.StoreRow();
}

void ImageNormaliser::ChannelAttributes(EepromImage& image) const {
  for (int region = 0; region < 3; ++region) {
    const std::int32_t table =
        MemoryLayout::kAttributeTables + MemoryLayout::kAttributeTableSize * region;
    for (int row = 0; row < kChannelRows; ++row) CopyBits(image, table + row, kModelAttributeBits);
    // A P word that names no channel row is left for the user to set again.
    const int pRow = SignedWord(image, MemoryLayout::kPWords + 2 * region);
    if (pRow >= 0 && pRow < kChannelRows) StoreAgain(image, kRegionKinds[region], pRow);
  }
}

void ImageNormaliser::FreeChannels(EepromImage& image) const {
  for (int row = 0; row < kFreeRows; ++row) {
    const std::int32_t record = MemoryLayout::kFreeTable + kFreeRecord * row;
    CopyByte(image, record + kFreeSpareOffset);
    NormaliseFreeName(Field(image, record + kFreeNameOffset, 3).first<3>());
    StoreAgain(image, ListKind::FreeChannels, row);
  }
}

void ImageNormaliser::RegionSettings(EepromImage& image, NormaliseDirection direction) const {
  const bool beforeSave = direction == NormaliseDirection::BeforeSave;
  if (beforeSave) {
    for (std::int32_t i = 0; i < 6; ++i) {
      image.SetByte(MemoryLayout::kSavedPWords + i, image.GetByte(MemoryLayout::kPWords + i));
    }
  }
  if (!ModelZeroOrSix()) {
    CopyBlock(image, MemoryLayout::kWeatherMask, MemoryLayout::kWeatherMask + 1);
    CopyBits(image, MemoryLayout::kRegionFlags, kWeatherRegionBit);
  }
  if (beforeSave) {
    CopyByte(image, kFirstWeatherRow);
    const unsigned mask = image.GetByte(MemoryLayout::kWeatherMask) |
                          image.GetByte(MemoryLayout::kWeatherMask + 1) << 8;
    for (int row = 0; row < kWeatherRows; ++row) {
      if ((mask & (1u << row)) == 0) {
        image.SetByte(kFirstWeatherRow, static_cast<std::uint8_t>(row));
        break;
      }
    }
    for (const std::int32_t address : {0x0AB7, 0x0AE6, 0x0AEA, 0x0AEB, 0x0AEE}) {
      CopyByte(image, address);
    }
  }
  CopyBits(image, 0x0AB8, 0x01);
  CopyByte(image, 0x0AE7);
  CopyByte(image, 0x0AE8);
  CopyBits(image, 0x0AE9, 0x02);
  CopyBits(image, 0x0AF1, 0x01);
  if (!ModelZeroOrSix()) CopyByte(image, 0x0B21);
  CopyBits(image, 0x0B44, 0x01);
  CopyByte(image, 0x0B55);
  CopyBlock(image, 0x0B26, 0x0B29);
  CopyBlock(image, 0x0BAC, 0x0BAD);
  CopyBlock(image, 0x0BB8, 0x0BBA);
  CopyByte(image, 0x0BBF);
  CopyBlock(image, 0x0BD6, 0x0E5D);
  CopyBlock(image, 0x0E5E, 0x0E6D);
  CopyBlock(image, 0x0E7E, 0x0E85);
  if (modelType_ != 0) {
    CopyByte(image, 0x0B56);
    CopyByte(image, 0x0E8E);
  }
  CopyBlock(image, 0x0EE0, 0x0EE8);  // the maker signature and the byte after it
  CopyByte(image, 0x0EEA);           // image valid
}

void ImageNormaliser::Comments(EepromImage& image) const {
  // The comment table is shared by the three channel lists and the DSC channels.
  for (int row = 0; row < kChannelRows; ++row) {
    NormaliseRadioText(
        Field(image, MemoryLayout::kCommentTable + kCommentRecord * row, kCommentLength));
    StoreAgain(image, ListKind::UsaChannels, row);
  }
  for (int row = 0; row < kWeatherRows; ++row) {
    NormaliseRadioText(
        Field(image, MemoryLayout::kWeatherComments + kCommentRecord * row, kCommentLength));
    StoreAgain(image, ListKind::WeatherChannels, row);
  }
}

void ImageNormaliser::Atis(EepromImage& image) const {
  if (ModelZeroOrSix() || !IdIsValid(image, MemoryLayout::kAtisId)) {
    CopyBlock(image, MemoryLayout::kAtisId, MemoryLayout::kAtisId + kIdFieldLength - 1);
  } else {
    image.SetByte(MemoryLayout::kAtisId + kIdStateOffset, 0);
  }
  if (ModelZeroOrSix()) CopyBits(image, 0x22E0, 0x07);
  CopyByte(image, 0x22E2);
}

void ImageNormaliser::DscChannels(EepromImage& image) const {
  for (int row = 0; row < kDscRows; ++row) {
    StoreAgain(image, ListKind::DscChannels, row);
    if (row >= 3 && row % 3 != 0) CopyBits(image, MemoryLayout::kDscAttributes + row, 0x02);
  }
}

void ImageNormaliser::SelfId(EepromImage& image) const {
  if (!IdIsValid(image, MemoryLayout::kSelfId)) {
    CopyBlock(image, MemoryLayout::kSelfId, MemoryLayout::kSelfId + kIdFieldLength - 1);
  } else {
    image.SetByte(MemoryLayout::kSelfId + kIdStateOffset, 0);
  }
  CopyBlock(image, 0x23D0, 0x23D3);
}

void ImageNormaliser::DscCallsAndAlarms(EepromImage& image) const {
  for (int k = 0; k <= 60; ++k) CopyByte(image, 0x23DA + kDscCallRecord * k);  // alarm kind
  for (int k = 0; k <= 5; ++k) CopyByte(image, 0x23FA + kDscCallRecord * k);
  for (int k = 0; k <= 11; ++k) CopyByte(image, 0x24FD + kDscCallRecord * k);
  for (const std::int32_t address : kDscCallSingles) CopyByte(image, address);
  static_assert(MemoryLayout::kDscCalls + kDscCallRecord * 61 == MemoryLayout::kAlarmOptions);
  for (const AlarmRecord& alarm : kAlarmRecords) {
    const std::int32_t record = MemoryLayout::kAlarmOptions + kAlarmRecord * alarm.record;
    CopyByte(image, record);
    CopyBits(image, record + 3, alarm.fixedShutdown ? 0xFF : 0xF0);
  }
}

void ImageNormaliser::IdNames(EepromImage& image) const {
  for (int row = 0; row < kIndividualRows + kGroupRows; ++row) {
    const std::int32_t record = MemoryLayout::kIdTable + kIdRecord * row;
    NormaliseRadioText(Field(image, record + kIdNameOffset, kCommentLength));
    const bool group = row >= kIndividualRows;
    StoreAgain(image, group ? ListKind::DscGroupIds : ListKind::DscIndividualIds,
               group ? row - kIndividualRows : row);
  }
}

void ImageNormaliser::ServiceBlock(EepromImage& image) const {
  if (!adjustMode_ && ImageVersion::Read(image) < ImageVersion::Read(template_)) {
    CopyBlock(image, kServiceBlock, kServiceBlock + kServiceBlockLength - 1);
  }
  image.WriteBlock(kServiceCopy, image.Data() + kServiceBlock, kServiceBlockLength);
  const std::int32_t last = kServiceCopy + kServiceBlockLength - 1;
  image.SetByte(last - 1, static_cast<std::uint8_t>(image.GetByte(last - 1) | 0x80));
  image.SetByte(last, CheckSum(image, kServiceCopy, kServiceBlockLength - 1));
}

}  // namespace rtv
