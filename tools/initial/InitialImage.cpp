// SPDX-License-Identifier: GPL-3.0-or-later
#include "InitialImage.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "ChannelPlans.h"
#include "radio/ChannelRow.h"
#include "radio/MemoryLayout.h"
#include "radio/RadioModel.h"

namespace rtv::initial {
namespace {

constexpr int kFreeChannels = 70;
constexpr int kDscRows = 171;
constexpr int kIndividualIds = 60;
constexpr int kGroupIds = 30;

int VariantIndex(char variant) { return variant == 'A' ? 1 : variant == 'B' ? 2 : 0; }

void SetComment(ChannelRow& row, const char* text) {
  row.comment.fill(' ');
  const std::size_t n = std::min(std::strlen(text), std::size_t{ChannelRow::kCommentLength});
  std::memcpy(row.comment.data(), text, n);
  row.comment[ChannelRow::kCommentLength] = '\0';
}

const PlanChannel* FindChannel(const ChannelPlan& plan, int number, int variant) {
  for (const PlanChannel& channel : plan.channels) {
    if (channel.number == number && VariantIndex(channel.variant) == variant) return &channel;
  }
  return nullptr;
}

struct RegionPlan {
  Region region;
  ListKind kind;
  const ChannelPlan& plan;
};

// Rows the plan does not have stay in the list but are inhibited, so that the radio never
// offers them; a channel for DSC only is inhibited too, as it carries no voice.
void WritePlan(EepromImage& image, const RegionPlan& region, const ModelDefaults& model) {
  const bool home = region.region == model.home;
  for (int row = 0; row < ChannelRow::kFirstFreeRow; ++row) {
    ChannelRow channel(image);
    channel.LoadRow(region.kind, row);
    const PlanChannel* entry = FindChannel(region.plan, row / 3, row % 3);
    channel.pFlag = entry != nullptr && row == region.plan.priorityChannel * 3;
    channel.cFlag = entry != nullptr && row == region.plan.callChannel * 3;
    channel.favourite = false;
    if (entry == nullptr) {
      channel.inhibited = true;
      channel.txInhibit = false;
      channel.power = false;
      channel.simplex = false;
    } else {
      channel.inhibited = entry->use == Use::DscOnly;
      channel.txInhibit = entry->use == Use::ReceiveOnly;
      channel.power = entry->lowPower;
      channel.simplex = !entry->duplex;
      // The comment table is shared by the three plans: the model's home plan names it.
      if (home || channel.CommentBlank()) SetComment(channel, entry->comment);
    }
    channel.StoreRow();
  }
  for (int free = 0; free < kFreeChannels; ++free) {
    ChannelRow channel(image);
    channel.LoadRow(region.kind, ChannelRow::kFirstFreeRow + free);
    channel.pFlag = false;
    channel.cFlag = false;
    channel.inhibited = free >= static_cast<int>(model.freeChannels.size());
    channel.StoreRow();
  }
}

void WriteFreeChannels(EepromImage& image, const ModelDefaults& model) {
  for (int free = 0; free < kFreeChannels; ++free) {
    ChannelRow channel(image);
    channel.LoadRow(ListKind::FreeChannels, free);
    channel.freeName.fill('\0');
    std::memset(channel.freeName.data(), ' ', ChannelRow::kFreeNameLength);
    if (free < static_cast<int>(model.freeChannels.size())) {
      const FreeChannel& entry = model.freeChannels[static_cast<std::size_t>(free)];
      std::memcpy(channel.freeName.data(), entry.name,
                  std::min(std::strlen(entry.name), std::size_t{ChannelRow::kFreeNameLength}));
      channel.rxEmpty = false;
      channel.txEmpty = false;
      channel.rxFrequency = entry.rxHz;
      channel.txFrequency = entry.txHz;
    } else {
      channel.rxEmpty = true;
      channel.txEmpty = true;
      channel.rxFrequency = 0;
      channel.txFrequency = 0;
    }
    channel.StoreRow();
  }
}

void WriteWeather(EepromImage& image) {
  for (const WeatherChannel& entry : WeatherChannels()) {
    ChannelRow channel(image);
    channel.LoadRow(ListKind::WeatherChannels, entry.number - 1);
    channel.inhibited = false;
    SetComment(channel, entry.comment);
    channel.StoreRow();
  }
}

// DSC rows cover channels 1-28 and 60-88 in all variants; the intership channels that
// calls may name as working channel are in use, all others are not.
void WriteDscChannels(EepromImage& image) {
  const auto working = DscWorkingChannels();
  for (int row = 0; row < kDscRows; ++row) {
    const int number = row < ChannelRow::kFirstHighDscRow ? row / 3 + 1 : row / 3 + 32;
    const int variant = row % 3;
    const bool used =
        variant == 0 && std::find(working.begin(), working.end(), number) != working.end();
    const PlanChannel* entry = FindChannel(InternationalPlan(), number, variant);
    ChannelRow channel(image);
    channel.LoadRow(ListKind::DscChannels, row);
    channel.inhibited = !used;
    channel.txInhibit = !used;
    channel.power = entry != nullptr && entry->lowPower;
    channel.simplex = entry == nullptr || !entry->duplex;
    channel.StoreRow();
  }
}

void WriteEmptyIds(EepromImage& image, ListKind kind, int rows) {
  for (int row = 0; row < rows; ++row) {
    ChannelRow id(image);
    id.LoadRow(kind, row);
    id.id.fill(0xFF);
    id.StoreRow();
  }
}

void Put(EepromImage& image, std::int32_t address, std::uint8_t value) {
  image.SetByte(address, value);
}
void Put16(EepromImage& image, std::int32_t address, std::uint16_t value) {
  image.SetByte(address, static_cast<std::uint8_t>(value & 0xFF));
  image.SetByte(address + 1, static_cast<std::uint8_t>(value >> 8));
}
void PutText(EepromImage& image, std::int32_t address, const std::string& text) {
  image.WriteBlock(address, reinterpret_cast<const std::uint8_t*>(text.data()),
                   static_cast<std::int32_t>(text.size()));
}
std::uint8_t CheckByte(const EepromImage& image, std::int32_t first, std::int32_t count) {
  unsigned sum = 0;
  for (std::int32_t i = 0; i < count; ++i) sum += image.GetByte(first + i);
  return static_cast<std::uint8_t>(~sum & 0xFF);
}

// Factory alignment values: mid-scale starting points and rising level tables, so that a
// radio aligned from them works before its own alignment is read back.
void WriteAdjustment(EepromImage& image) {
  Put(image, 0x0026, 200);  // squelch open level, high
  Put(image, 0x0027, 40);   // squelch open level, low
  for (std::int32_t group : {0x005C, 0x0064, 0x0070, 0x009A, 0x00AA}) {
    Put(image, group, 128);  // Init; temperature and increment entries stay 0
  }
  for (std::int32_t address = 0x00A6; address <= 0x00A9; ++address) Put(image, address, 128);
  Put(image, 0x00E6, 128);
  Put(image, 0x00E7, 128);
  for (int i = 0; i <= 10; ++i) {
    Put(image, 0x00C2 + i, static_cast<std::uint8_t>(40 + 15 * i));  // scan squelch
    Put(image, 0x00CE + i, static_cast<std::uint8_t>(35 + 15 * i));  // close squelch
  }
  for (int i = 0; i <= 20; ++i) {
    Put(image, 0x00E8 + i, static_cast<std::uint8_t>(12 * i));  // alarm volume
    Put(image, 0x0103 + i, static_cast<std::uint8_t>(12 * i));  // AF volume
  }
  Put(image, 0x0102, 20);   // minimum power
  Put(image, 0x0118, 120);  // beep level
  for (int i = 0; i <= 12; ++i) Put(image, 0x012D + i, static_cast<std::uint8_t>(20 * i));
  // Software version 1.000: digits at 0x015A and 0x015C-0x015E, the point between.
  PutText(image, 0x015A, "1.000");
}

// The service copy of the alignment block and its check byte, as the radio keeps it.
void WriteAdjustmentCopy(EepromImage& image) {
  for (std::int32_t i = 0; i < 276; ++i) Put(image, 0x01A0 + i, image.GetByte(0x0050 + i));
  Put(image, 0x02B2, static_cast<std::uint8_t>(image.GetByte(0x02B2) | 0x80));
  Put(image, 0x02B3, CheckByte(image, 0x01A0, 275));
}

// The alarm of each kind of DSC call: distress sounds loudest and until stopped by hand.
enum AlarmKind : std::uint8_t { kDistress = 1, kUrgency = 2, kSafety = 3, kRoutine = 4 };

struct CallAlarm {
  std::uint8_t minimumVolume;
  std::uint8_t stop;  // choice: 1 = 10 s, 3 = 1 min, 4 = 2 min, 6 = continuous
};

CallAlarm AlarmOf(AlarmKind kind) {
  switch (kind) {
    case kDistress:
      return {20, 6};
    case kUrgency:
      return {15, 4};
    case kSafety:
      return {10, 3};
    default:
      return {5, 1};
  }
}

void WriteDscCalls(EepromImage& image) {
  constexpr AlarmKind D = kDistress, U = kUrgency, S = kSafety, R = kRoutine;
  // One entry per record of the call table, in the order of the DSC call sheet.
  constexpr AlarmKind kCalls[] = {
      D, D, R, R, S, S,           // distress alert and acknowledgement; the four call formats
      D, D, D, D, D,              // EPIRB and relay (individual), EPIRB (all), man overboard
      D, D, D, D,                 // relays, relay acknowledgement, distress cancel
      U, U, U, U, S, S, S, S, R,  // urgency, safety and routine calls by format
      R, S, U, R, S, U, R, S, U,  // individual calls, acknowledgements, unable to comply
      R, S, U, R, S, U,           // position requests and replies
      R, S, U, R, S, U,           // polling and replies
      R, R, R, R, R, R,           // position reports, channel changes
      R, R, R,                    // public correspondence, end of call
      S, S, S, S, S, S,           // test calls and their acknowledgements
      R,                          // semi-automatic call
  };
  static_assert(std::size(kCalls) == 61);
  for (std::size_t record = 0; record < std::size(kCalls); ++record) {
    const std::int32_t base = 0x23D7 + 7 * static_cast<std::int32_t>(record);
    const CallAlarm alarm = AlarmOf(kCalls[record]);
    Put(image, base + 0, 1);  // send
    Put(image, base + 1, 1);  // receive
    Put(image, base + 2, 0);  // high power
    Put(image, base + 3, kCalls[record]);
    Put(image, base + 4, alarm.minimumVolume);
    Put(image, base + 5, 20);
    Put(image, base + 6, static_cast<std::uint8_t>(0x10 | alarm.stop));  // display on
  }
  // Alarm options: kind, volume, internal speaker, shutdown (low half) and visual (high).
  struct AlarmOption {
    std::int32_t address;
    std::uint8_t kind;
    std::uint8_t stop;
  };
  const AlarmOption options[] = {
      {0x2582, 5, 0},  // no own MMSI: warning until stopped
      {0x2586, 5, 3},  // position lost
      {0x258A, 1, 6},  // distress alert sent
      {0x258E, 4, 1},  // call sent
      {0x2592, 5, 1},  // self-termination
      {0x2596, 6, 3},  // inactivity
      {0x259A, 6, 3},  // spare record
      {0x259E, 6, 3},  // discrete alarm 2
      {0x25A2, 6, 3},  // position older than 4 hours
      {0x25A6, 6, 3},  // position older than 23.5 hours
      {0x25AA, 6, 3},  // discrete alarm 1
  };

  for (const AlarmOption& option : options) {
    Put(image, option.address, option.kind);
    Put(image, option.address + 1, 10);
    Put(image, option.address + 2, 1);
    Put(image, option.address + 3, static_cast<std::uint8_t>(0x10 | option.stop));
  }
}

void WriteSettings(EepromImage& image, const ModelDefaults& model) {
  std::uint8_t regions = 0;
  if (model.usa) regions |= 0x01;
  if (model.weather) regions |= 0x02;
  if (model.canada) regions |= 0x04;
  Put(image, 0x0BA8, regions);
  Put(image, 0x0BA9, 0x30);  // time-out timer on, with its alarm
  Put(image, 0x0BAA, 1);     // resend individual acknowledgements
  Put(image, 0x0BAB, 0);
  Put16(image, 0x0BAE, 300);   // time-out after 5 minutes
  Put(image, 0x0BB1, 100);     // scan speed, ms per channel
  Put16(image, 0x0BB4, 1200);  // dual/tri-watch interval, ms
  Put(image, 0x0BB6, 50);
  Put(image, 0x0BB7, 30);
  for (std::int32_t region = 0; region < 3; ++region) {
    Put(image, 0x0BBC + region, 0x05);  // scan and dual watch available
  }
  PutText(image, 0x0B90, "USA  INT  CAN  ");
  Put(image, 0x0B50, model.simplifiedUsaNumbers ? 1 : 0);

  Put(image, 0x0AEF, 4);  // backlight
  Put(image, 0x0AF0, 4);  // contrast
  Put(image, 0x0AF2, 1);  // key beep
  Put(image, 0x0B1E, 0);
  Put(image, 0x0B1F, 0);
  Put(image, 0x0B20, 0);
  Put(image, 0x0B21, model.weather ? 1 : 0);  // weather alert
  Put(image, 0x0B22, 1);                      // GLONASS
  Put(image, 0x0B23, 1);                      // SBAS
  Put(image, 0x0B24, 0);                      // QZSS
  const std::uint8_t softKeys[] = {4, 5, 3, 6, 13, 7};
  for (std::size_t i = 0; i < sizeof softKeys; ++i) {
    Put(image, 0x0B26 + static_cast<std::int32_t>(i), softKeys[i]);
  }
  Put(image, 0x0B3C, 0);  // remote ID 1
  Put(image, 0x0B3D, 0);  // automatic channel switch
  Put(image, 0x0B3E, 0);
  Put(image, 0x0B3F, 3);     // channel 70 squelch
  Put(image, 0x0B40, 0x1F);  // every DSC alarm on
  Put16(image, 0x0B42, 0);   // UTC offset
  Put(image, 0x0B56, model.modelType == 0 ? 1 : 0);
  Put(image, 0x0E8E, 1);
  for (std::int32_t address : {0x0B5B, 0x0B5C, 0x0B5D, 0x0B5F}) Put(image, address, 10);

  // DSC: every switched-on plan, no self ID yet.
  std::uint8_t dscRegions = 0x02;
  if (model.usa) dscRegions |= 0x01;
  if (model.canada) dscRegions |= 0x04;
  Put(image, 0x23D4, dscRegions);
  for (std::int32_t i = 0; i < 5; ++i) Put(image, 0x23C0 + i, 0xFF);
  Put(image, 0x23C5, 0xFF);
  // ATIS is for European inland waterways: off, and without an ID.
  for (std::int32_t i = 0; i < 5; ++i) Put(image, 0x22D0 + i, 0xFF);
  Put(image, 0x22D5, 0xFF);
  Put(image, 0x22E0, 0);

  Put16(image, 0x0BA0, 0);  // every weather channel in use
}

}  // namespace

EepromImage MakeInitialImage(int modelType) {
  const ModelDefaults& model = Models()[static_cast<std::size_t>(modelType)];
  EepromImage image;
  image.SetSize(RadioModel::kImageSize);
  PutText(image, MemoryLayout::kMakerName, RadioModel::kMakerName);
  Put(image, MemoryLayout::kModelType, static_cast<std::uint8_t>(modelType));
  Put(image, MemoryLayout::kValidFlag, 1);
  PutText(image, 0x0EEB, std::string(16, ' '));

  WriteAdjustment(image);
  WriteAdjustmentCopy(image);
  WriteSettings(image, model);

  // Free channels first: storing one sets the simplex bit of its row in every plan.
  WriteFreeChannels(image, model);
  const RegionPlan regions[] = {
      {Region::Usa, ListKind::UsaChannels, UsaPlan()},
      {Region::International, ListKind::IntChannels, InternationalPlan()},
      {Region::Canada, ListKind::CanChannels, CanadaPlan()},
  };
  // The home plan last, so that its comments win; the others fill the rows it lacks.
  for (const RegionPlan& region : regions) {
    if (region.region != model.home) WritePlan(image, region, model);
  }
  for (const RegionPlan& region : regions) {
    if (region.region == model.home) WritePlan(image, region, model);
  }
  WriteWeather(image);
  WriteDscChannels(image);
  WriteDscCalls(image);
  WriteEmptyIds(image, ListKind::DscIndividualIds, kIndividualIds);
  WriteEmptyIds(image, ListKind::DscGroupIds, kGroupIds);
  return image;
}

}  // namespace rtv::initial
