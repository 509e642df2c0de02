// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The marine channel plans the initial files are made from, as readable tables: which
// channels a region has, how they are used, and the defaults of each model type.

#include <cstdint>
#include <span>

namespace rtv::initial {

enum class Use : std::uint8_t {
  Voice,        // transmit and receive
  ReceiveOnly,  // the radio may not transmit here
  DscOnly,      // digital selective calling only: no voice use at all
};

// One channel of a plan. A variant 'A' channel is the thousand-series channel (1019 for
// 19A), 'B' the two-thousand series; ' ' is the plain channel.
struct PlanChannel {
  int number;
  char variant;
  bool duplex;    // ship and coast stations transmit on different frequencies
  bool lowPower;  // limited to 1 W
  Use use;
  const char* comment;  // at most 10 characters of the radio's character set
};

struct ChannelPlan {
  std::span<const PlanChannel> channels;
  int priorityChannel;  // the "P" channel (plain variant)
  int callChannel;      // the "C" channel (plain variant)
};

// ITU Radio Regulations Appendix 18.
const ChannelPlan& InternationalPlan();
// The United States plan (FCC), with the "A" channels.
const ChannelPlan& UsaPlan();
// The Canadian plan, with the "A" and the receive-only "B" channels.
const ChannelPlan& CanadaPlan();

struct WeatherChannel {
  int number;  // WX1-WX10
  const char* comment;
};
std::span<const WeatherChannel> WeatherChannels();

// A private channel of a model, kept in the free channel table.
struct FreeChannel {
  const char* name;  // up to 3 characters
  std::uint32_t rxHz;
  std::uint32_t txHz;
};

enum class Region : std::uint8_t { Usa, International, Canada };

struct ModelDefaults {
  int modelType;
  bool usa;                   // USA channel plan switched on
  bool canada;                // Canadian channel plan switched on
  bool weather;               // weather channels switched on
  Region home;                // whose channel comments the shared comment table holds
  bool simplifiedUsaNumbers;  // "19A" instead of "1019" on the USA plan
  std::span<const FreeChannel> freeChannels;
};
std::span<const ModelDefaults> Models();

// Intership channels offered for DSC working channels (plain variants).
std::span<const int> DscWorkingChannels();

}  // namespace rtv::initial
