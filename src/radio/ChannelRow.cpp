// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/ChannelRow.h"

#include <algorithm>
#include <cstring>

#include "radio/EepromImage.h"
#include "radio/MemoryLayout.h"

namespace rtv {
namespace {

// Per-region tables, USA, INT, CAN in this order.

constexpr std::int32_t kFreeRecordSize = 9;
constexpr std::int32_t kFreeNameOffset = 4;
constexpr std::int32_t kFreeNameEnd = 7;
constexpr std::uint16_t kBlankWord = 0xFFFF;
constexpr std::uint32_t kRxBase = 30'150'000;
constexpr std::uint32_t kFrequencyStep = 6250;

constexpr std::int32_t kIdNameOffset = 5;
constexpr std::int32_t kIdKindOffset = 15;
constexpr std::uint8_t kIdAbsentByte = 0xFF;
constexpr std::uint8_t kLargestIdByte = 99;

constexpr std::uint8_t kBitInhibited = 0x80;
constexpr std::uint8_t kBitFavourite = 0x40;
constexpr std::uint8_t kBitPower = 0x20;
constexpr std::uint8_t kBitTxInhibit = 0x04;
constexpr std::uint8_t kBitSimplex = 0x02;
constexpr std::uint8_t kAttributeBits =
    kBitInhibited | kBitFavourite | kBitPower | kBitTxInhibit | kBitSimplex;
constexpr std::uint8_t kDscBits = kBitInhibited | kBitPower | kBitTxInhibit | kBitSimplex;

std::uint16_t Word(const std::uint8_t* image, std::int32_t address) {
  return static_cast<std::uint16_t>(image[address] | image[address + 1] << 8);
}

void PutWord(std::uint8_t* image, std::int32_t address, std::uint16_t value) {
  image[address] = static_cast<std::uint8_t>(value & 0xFF);
  image[address + 1] = static_cast<std::uint8_t>(value >> 8);
}

void SetBit(std::uint8_t& byte, std::uint8_t bit, bool on) {
  byte = static_cast<std::uint8_t>(on ? byte | bit : byte & ~bit);
}

template <std::size_t N>
void LoadText(std::array<char, N>& field, const std::uint8_t* source) {
  std::memcpy(field.data(), source, N - 1);
  field[N - 1] = '\0';
}

template <std::size_t N>
void StoreText(std::uint8_t* target, const std::array<char, N>& field) {
  std::memcpy(target, field.data(), N - 1);
}

template <std::size_t N>
bool Blank(const std::array<char, N>& field) {
  return std::all_of(field.begin(), field.end() - 1, [](char c) { return c == ' ' || c == '\0'; });
}

// The frequency word: blank, or the step count above `base`, kept below the blank mark.
std::uint16_t FrequencyWord(bool blank, std::uint32_t hz, std::uint32_t base) {
  if (blank) return kBlankWord;
  const std::uint32_t steps = hz < base ? 0 : (hz - base) / kFrequencyStep;
  return static_cast<std::uint16_t>(std::min<std::uint32_t>(steps, kBlankWord - 1));
}

std::int32_t ChannelCommentRecord(ListKind kind, int row) {
  if (kind != ListKind::DscChannels) return row;
  return row < ChannelRow::kFirstHighDscRow ? row + 3 : row + 96;
}

}  // namespace

int ChannelRow::RegionIndex(ListKind kind) {
  switch (kind) {
    case ListKind::UsaChannels:
      return 0;
    case ListKind::IntChannels:
      return 1;
    case ListKind::CanChannels:
      return 2;
    default:
      return -1;
  }
}

int ChannelRow::IdRecord(ListKind kind, int row) {
  return kind == ListKind::DscGroupIds ? kIndividualIdRows + row : row;
}

bool ChannelRow::IsFreeRow() const { return RegionIndex(kind) >= 0 && row >= kFirstFreeRow; }

bool ChannelRow::IsVariantRow() const {
  if (kind == ListKind::DscChannels) return row % 3 != 0;
  return RegionIndex(kind) >= 0 && row < kFirstFreeRow && row % 3 != 0;
}

bool ChannelRow::FreeNameBlank() const { return Blank(freeName); }

bool ChannelRow::CommentBlank() const { return Blank(comment); }

std::span<std::uint8_t, ChannelRow::kCommentLength> ChannelRow::CommentBytes() {
  return std::span<std::uint8_t, kCommentLength>(reinterpret_cast<std::uint8_t*>(comment.data()),
                                                 kCommentLength);
}

std::span<std::uint8_t, ChannelRow::kFreeNameLength> ChannelRow::FreeNameBytes() {
  return std::span<std::uint8_t, kFreeNameLength>(reinterpret_cast<std::uint8_t*>(freeName.data()),
                                                  kFreeNameLength);
}

void ChannelRow::Reset(ListKind newKind, int newRow) {
  kind = newKind;
  row = newRow;
  pFlag = cFlag = inhibited = fixed = favourite = txInhibit = power = simplex = false;
  comment.fill('\0');
  idKind = kIdEmpty;
  id.fill(0);
  valid = false;
  rxEmpty = txEmpty = false;
  rxFrequency = txFrequency = 0;
  freeName.fill('\0');
  loaded_ = false;
}

void ChannelRow::LoadRow(ListKind newKind, int newRow) {
  Reset(newKind, newRow);
  const std::uint8_t* image = image_.Data();
  if (image == nullptr || image_.Size() < kMemoryMapExtent) return;
  if (newRow < 0 || newRow >= ListRowCount(newKind)) return;
  switch (newKind) {
    case ListKind::IntChannels:
    case ListKind::UsaChannels:
    case ListKind::CanChannels:
      LoadChannel(image);
      break;
    case ListKind::DscChannels:
      LoadDsc(image);
      break;
    case ListKind::WeatherChannels:
      LoadWeather(image);
      break;
    case ListKind::FreeChannels:
      LoadFree(image);
      break;
    case ListKind::DscIndividualIds:
    case ListKind::DscGroupIds:
      LoadId(image);
      break;
    default:
      return;
  }
  loaded_ = true;
}

void ChannelRow::StoreRow() {
  if (!loaded_) return;
  std::uint8_t* image = image_.Data();
  switch (kind) {
    case ListKind::IntChannels:
    case ListKind::UsaChannels:
    case ListKind::CanChannels:
      StoreChannel(image);
      break;
    case ListKind::DscChannels:
      StoreDsc(image);
      break;
    case ListKind::WeatherChannels:
      StoreWeather(image);
      break;
    case ListKind::FreeChannels:
      StoreFree(image);
      break;
    case ListKind::DscIndividualIds:
    case ListKind::DscGroupIds:
      StoreId(image);
      break;
    default:
      break;
  }
}

void ChannelRow::ReloadRow() {
  if (!loaded_) return;
  StoreRow();
  LoadRow(kind, row);
}

void ChannelRow::LoadChannel(const std::uint8_t* image) {
  const int region = RegionIndex(kind);
  pFlag = row == static_cast<std::int16_t>(Word(image, MemoryLayout::kPWords + 2 * region));
  cFlag = row == static_cast<std::int16_t>(Word(image, MemoryLayout::kCWords + 2 * region));
  const std::uint8_t a =
      image[MemoryLayout::kAttributeTables + MemoryLayout::kAttributeTableSize * region + row];
  inhibited = (a & kBitInhibited) != 0;
  favourite = (a & kBitFavourite) != 0;
  txInhibit = (a & kBitTxInhibit) != 0;
  power = (a & kBitPower) != 0;
  simplex = IsVariantRow() || (a & kBitSimplex) != 0;
  LoadText(comment, image + MemoryLayout::kCommentTable + kCommentRecordSize * row);
  if (IsFreeRow()) {
    LoadText(freeName, image + MemoryLayout::kFreeTable + kFreeRecordSize * (row - kFirstFreeRow) +
                           kFreeNameOffset);
  }
}

void ChannelRow::StoreChannel(std::uint8_t* image) const {
  const int region = RegionIndex(kind);
  if (pFlag) PutWord(image, MemoryLayout::kPWords + 2 * region, static_cast<std::uint16_t>(row));
  if (cFlag) PutWord(image, MemoryLayout::kCWords + 2 * region, static_cast<std::uint16_t>(row));
  std::uint8_t& a =
      image[MemoryLayout::kAttributeTables + MemoryLayout::kAttributeTableSize * region + row];
  a &= static_cast<std::uint8_t>(~kAttributeBits);
  SetBit(a, kBitInhibited, inhibited);
  SetBit(a, kBitFavourite, favourite);
  SetBit(a, kBitTxInhibit, txInhibit);
  SetBit(a, kBitPower, power);
  SetBit(a, kBitSimplex, simplex);
  std::uint8_t* record = image + MemoryLayout::kCommentTable + kCommentRecordSize * row;
  StoreText(record, comment);
  record[kCommentLength] = 0;
}

void ChannelRow::LoadDsc(const std::uint8_t* image) {
  const std::uint8_t a = image[MemoryLayout::kDscAttributes + row];
  txInhibit = (a & kBitTxInhibit) != 0;
  inhibited = (a & kBitInhibited) != 0;
  power = (a & kBitPower) != 0;
  simplex = IsVariantRow() || (a & kBitSimplex) != 0;
  fixed = row == kFixedDscRow;
  LoadText(comment, image + MemoryLayout::kCommentTable +
                        kCommentRecordSize * ChannelCommentRecord(kind, row));
}

void ChannelRow::StoreDsc(std::uint8_t* image) const {
  std::uint8_t& a = image[MemoryLayout::kDscAttributes + row];
  a &= static_cast<std::uint8_t>(~kDscBits);
  SetBit(a, kBitTxInhibit, txInhibit);
  SetBit(a, kBitInhibited, inhibited);
  SetBit(a, kBitPower, power);
  SetBit(a, kBitSimplex, simplex);
  std::uint8_t* record =
      image + MemoryLayout::kCommentTable + kCommentRecordSize * ChannelCommentRecord(kind, row);
  StoreText(record, comment);
  record[kCommentLength] = 0;
}

void ChannelRow::LoadWeather(const std::uint8_t* image) {
  inhibited = (Word(image, MemoryLayout::kWeatherMask) >> row & 1) != 0;
  LoadText(comment, image + MemoryLayout::kWeatherComments + kCommentRecordSize * row);
}

void ChannelRow::StoreWeather(std::uint8_t* image) const {
  std::uint16_t mask = Word(image, MemoryLayout::kWeatherMask);
  const auto bit = static_cast<std::uint16_t>(1U << row);
  mask = static_cast<std::uint16_t>(inhibited ? mask | bit : mask & ~bit);
  PutWord(image, MemoryLayout::kWeatherMask, mask);
  std::uint8_t* record = image + MemoryLayout::kWeatherComments + kCommentRecordSize * row;
  StoreText(record, comment);
  record[kCommentLength] = 0;
}

void ChannelRow::LoadFree(const std::uint8_t* image) {
  const std::uint8_t* record = image + MemoryLayout::kFreeTable + kFreeRecordSize * row;
  const std::uint16_t rxWord = Word(record, 0);
  const std::uint16_t txWord = Word(record, 2);
  rxEmpty = rxWord == kBlankWord;
  txEmpty = txWord == kBlankWord;
  rxFrequency = rxEmpty ? 0 : rxWord * kFrequencyStep + kRxBase;
  txFrequency = txEmpty ? 0 : txWord * kFrequencyStep;
  valid = !rxEmpty;
  LoadText(freeName, record + kFreeNameOffset);
}

void ChannelRow::StoreFree(std::uint8_t* image) const {
  std::uint8_t* record = image + MemoryLayout::kFreeTable + kFreeRecordSize * row;
  PutWord(record, 0, FrequencyWord(rxEmpty, rxFrequency, kRxBase));
  PutWord(record, 2, FrequencyWord(txEmpty, txFrequency, 0));
  StoreText(record + kFreeNameOffset, freeName);
  record[kFreeNameEnd] = 0;
  // A blank frequency equals nothing, so a channel without frequencies is not simplex.
  const bool same = !rxEmpty && !txEmpty && rxFrequency == txFrequency;
  for (int region = 0; region < kRegions; ++region) {
    SetBit(image[MemoryLayout::kAttributeTables + MemoryLayout::kAttributeTableSize * region +
                 kFirstFreeRow + row],
           kBitSimplex, same);
  }
}

void ChannelRow::LoadId(const std::uint8_t* image) {
  const std::uint8_t* record = image + MemoryLayout::kIdTable + kIdRecordSize * IdRecord(kind, row);
  std::memcpy(id.data(), record, kIdBytes);
  LoadText(comment, record + kIdNameOffset);
  idKind = record[kIdKindOffset];
  valid = idKind != kIdEmpty &&
          std::all_of(id.begin(), id.end(), [](std::uint8_t b) { return b <= kLargestIdByte; });
  if (!valid) {
    id.fill(kIdAbsentByte);
    idKind = kIdEmpty;
  } else if (id[0] != 0) {
    idKind = id[0] <= 9 ? kIdGroup : kIdIndividual;
  }
}

void ChannelRow::StoreId(std::uint8_t* image) const {
  std::uint8_t* record = image + MemoryLayout::kIdTable + kIdRecordSize * IdRecord(kind, row);
  if (std::any_of(id.begin(), id.end(), [](std::uint8_t b) { return b > kLargestIdByte; })) {
    std::memset(record, kIdAbsentByte, kIdBytes);
    std::memset(record + kIdNameOffset, ' ', kCommentLength);
    record[kIdKindOffset] = kIdEmpty;
    return;
  }
  std::memcpy(record, id.data(), kIdBytes);
  record[kIdBytes - 1] = static_cast<std::uint8_t>(id[kIdBytes - 1] / 10 * 10);  // 9 digits
  StoreText(record + kIdNameOffset, comment);
  record[kIdKindOffset] = kind == ListKind::DscGroupIds ? kIdGroup : kIdIndividual;
}

}  // namespace rtv
