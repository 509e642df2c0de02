// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

#include "CloneFileIo.h"
#include "SimRadio.h"
#include "cells/IdDigitsEditor.h"
#include "initial/InitialImage.h"
#include "radio/ChannelRow.h"

namespace radiosim {
namespace {

// A radio as it comes back from its owner: the USA model's factory memory with a ship's
// MMSI, the marina's and the yacht club's private channels and a quieter alarm.
constexpr int kModelType = 0;
constexpr const char* kSelfId = "366123456";
constexpr std::int32_t kSelfIdAddress = 0x23C0;
constexpr std::int32_t kIdStateOffset = 6;
constexpr std::int32_t kCallSentAlarmVolume = 0x258F;
constexpr std::uint8_t kQuieterVolume = 6;

struct PrivateChannel {
  const char* name;
  std::uint32_t hz;
};
constexpr PrivateChannel kPrivateChannels[] = {{"M1", 157'425'000}, {"YC", 157'550'000}};

void SetSelfId(rtv::EepromImage& image, const std::string& digits) {
  std::array<std::uint8_t, rtv::IdDigitsEditor::kIdBytes> bytes{};
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const auto digit = static_cast<std::uint8_t>(digits[i] - '0');
    bytes[i / 2] = static_cast<std::uint8_t>(bytes[i / 2] + (i % 2 == 0 ? 10 * digit : digit));
  }
  image.WriteBlock(kSelfIdAddress, bytes.data(), static_cast<std::int32_t>(bytes.size()));
  image.SetByte(kSelfIdAddress + static_cast<std::int32_t>(bytes.size()),
                rtv::IdDigitsEditor::CheckByte(bytes));
  image.SetByte(kSelfIdAddress + kIdStateOffset, 0);
}

// A free channel with its name, simplex on one frequency, in use in every channel list.
void AddPrivateChannel(rtv::EepromImage& image, int free, const PrivateChannel& channel) {
  rtv::ChannelRow row(image);
  row.LoadRow(rtv::ListKind::FreeChannels, free);
  std::memset(row.freeName.data(), ' ', rtv::ChannelRow::kFreeNameLength);
  std::memcpy(row.freeName.data(), channel.name,
              std::min(std::strlen(channel.name), std::size_t{rtv::ChannelRow::kFreeNameLength}));
  row.rxEmpty = false;
  row.txEmpty = false;
  row.rxFrequency = channel.hz;
  row.txFrequency = channel.hz;
  row.StoreRow();
  for (const rtv::ListKind kind :
       {rtv::ListKind::UsaChannels, rtv::ListKind::IntChannels, rtv::ListKind::CanChannels}) {
    rtv::ChannelRow list(image);
    list.LoadRow(kind, rtv::ChannelRow::kFirstFreeRow + free);
    list.inhibited = false;
    list.StoreRow();
  }
}

}  // namespace

bool LoadMemory(const std::string& path, Bytes& memory, std::string& error) {
  rtv::EepromImage image;
  image.SetSize(SimRadio::kMemorySize);
  const int code = rtv::tools::LoadCloneFile(path, {}, image);
  if (code != 0) {
    error =
        path + " is not a clone file of this radio (clone file error " + std::to_string(code) + ")";
    return false;
  }
  memory.assign(image.Data(), image.Data() + image.Size());
  return true;
}

bool SaveMemory(const std::string& path, const Bytes& memory, std::string& error) {
  rtv::EepromImage image;
  image.SetSize(SimRadio::kMemorySize);
  image.WriteBlock(0, memory.data(), static_cast<std::int32_t>(memory.size()));
  if (rtv::tools::SaveCloneFile(path, {}, image, true) != 0) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

Bytes OwnersMemory() {
  rtv::EepromImage image = rtv::initial::MakeInitialImage(kModelType);
  SetSelfId(image, kSelfId);
  for (std::size_t i = 0; i < std::size(kPrivateChannels); ++i) {
    AddPrivateChannel(image, static_cast<int>(i), kPrivateChannels[i]);
  }
  image.SetByte(kCallSentAlarmVolume, kQuieterVolume);
  Bytes memory(SimRadio::kMemorySize, 0);
  std::copy_n(image.Data(), std::min<std::int32_t>(image.Size(), SimRadio::kMemorySize),
              memory.begin());
  return memory;
}

}  // namespace radiosim
