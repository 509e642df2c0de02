// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChannelPlans.h"

#include <array>

namespace rtv::initial {
namespace {

constexpr bool D = true;   // duplex
constexpr bool S = false;  // simplex
constexpr bool Lo = true;  // 1 W
constexpr bool Hi = false;
constexpr Use V = Use::Voice;
constexpr Use Rx = Use::ReceiveOnly;

// ITU Radio Regulations Appendix 18: channels 1-28 and 60-88.
constexpr PlanChannel kInternational[] = {
    {1, ' ', D, Hi, V, "PUB CORR"},        {2, ' ', D, Hi, V, "PUB CORR"},
    {3, ' ', D, Hi, V, "PUB CORR"},        {4, ' ', D, Hi, V, "PUB CORR"},
    {5, ' ', D, Hi, V, "PORT OPS"},        {6, ' ', S, Hi, V, "INTERSHIP"},
    {7, ' ', D, Hi, V, "PORT OPS"},        {8, ' ', S, Hi, V, "INTERSHIP"},
    {9, ' ', S, Hi, V, "PORT OPS"},        {10, ' ', S, Hi, V, "PORT OPS"},
    {11, ' ', S, Hi, V, "PORT OPS"},       {12, ' ', S, Hi, V, "PORT OPS"},
    {13, ' ', S, Lo, V, "BRIDGE"},         {14, ' ', S, Hi, V, "PORT OPS"},
    {15, ' ', S, Lo, V, "ON BOARD"},       {16, ' ', S, Hi, V, "DISTRESS"},
    {17, ' ', S, Lo, V, "ON BOARD"},       {18, ' ', D, Hi, V, "PORT OPS"},
    {19, ' ', D, Hi, V, "PORT OPS"},       {20, ' ', D, Hi, V, "PORT OPS"},
    {21, ' ', D, Hi, V, "PORT OPS"},       {22, ' ', D, Hi, V, "PORT OPS"},
    {23, ' ', D, Hi, V, "PUB CORR"},       {24, ' ', D, Hi, V, "PUB CORR"},
    {25, ' ', D, Hi, V, "PUB CORR"},       {26, ' ', D, Hi, V, "PUB CORR"},
    {27, ' ', D, Hi, V, "PUB CORR"},       {28, ' ', D, Hi, V, "PUB CORR"},
    {60, ' ', D, Hi, V, "PUB CORR"},       {61, ' ', D, Hi, V, "PORT OPS"},
    {62, ' ', D, Hi, V, "PORT OPS"},       {63, ' ', D, Hi, V, "PORT OPS"},
    {64, ' ', D, Hi, V, "PORT OPS"},       {65, ' ', D, Hi, V, "PORT OPS"},
    {66, ' ', D, Hi, V, "PORT OPS"},       {67, ' ', S, Hi, V, "INTERSHIP"},
    {68, ' ', S, Hi, V, "PORT OPS"},       {69, ' ', S, Hi, V, "PORT OPS"},
    {70, ' ', S, Hi, Use::DscOnly, "DSC"}, {71, ' ', S, Hi, V, "PORT OPS"},
    {72, ' ', S, Hi, V, "INTERSHIP"},      {73, ' ', S, Hi, V, "INTERSHIP"},
    {74, ' ', S, Hi, V, "PORT OPS"},       {75, ' ', S, Lo, V, "PORT OPS"},
    {76, ' ', S, Lo, V, "PORT OPS"},       {77, ' ', S, Hi, V, "INTERSHIP"},
    {78, ' ', D, Hi, V, "PUB CORR"},       {79, ' ', D, Hi, V, "PORT OPS"},
    {80, ' ', D, Hi, V, "PORT OPS"},       {81, ' ', D, Hi, V, "PUB CORR"},
    {82, ' ', D, Hi, V, "PUB CORR"},       {83, ' ', D, Hi, V, "PUB CORR"},
    {84, ' ', D, Hi, V, "PUB CORR"},       {85, ' ', D, Hi, V, "PUB CORR"},
    {86, ' ', D, Hi, V, "PUB CORR"},       {87, ' ', S, Hi, V, "PORT OPS"},
    {88, ' ', S, Hi, V, "PORT OPS"},
};

// FCC plan: the "A" channels are the simplex versions of duplex channels. Channels of the
// Coast Guard and other government stations are listed receive-only.
constexpr PlanChannel kUsa[] = {
    {1, 'A', S, Hi, V, "PORT OPS"},     {3, 'A', S, Hi, Rx, "US GOVT"},
    {5, 'A', S, Hi, V, "PORT OPS"},     {6, ' ', S, Hi, V, "SAFETY"},
    {7, 'A', S, Hi, V, "COMMERCIAL"},   {8, ' ', S, Hi, V, "COMMERCIAL"},
    {9, ' ', S, Hi, V, "CALLING"},      {10, ' ', S, Hi, V, "COMMERCIAL"},
    {11, ' ', S, Hi, V, "COMMERCIAL"},  {12, ' ', S, Hi, V, "PORT OPS"},
    {13, ' ', S, Lo, V, "BRIDGE"},      {14, ' ', S, Hi, V, "PORT OPS"},
    {15, ' ', S, Lo, Rx, "ENVIRONMTL"}, {16, ' ', S, Hi, V, "DISTRESS"},
    {17, ' ', S, Lo, V, "STATE CTRL"},  {18, 'A', S, Hi, V, "COMMERCIAL"},
    {19, 'A', S, Hi, V, "COMMERCIAL"},  {20, ' ', D, Hi, V, "PORT OPS"},
    {20, 'A', S, Hi, V, "PORT OPS"},    {21, 'A', S, Hi, Rx, "USCG ONLY"},
    {22, 'A', S, Hi, V, "CG LIAISON"},  {23, 'A', S, Hi, Rx, "USCG ONLY"},
    {24, ' ', D, Hi, V, "PUB CORR"},    {25, ' ', D, Hi, V, "PUB CORR"},
    {26, ' ', D, Hi, V, "PUB CORR"},    {27, ' ', D, Hi, V, "PUB CORR"},
    {28, ' ', D, Hi, V, "PUB CORR"},    {63, 'A', S, Hi, V, "PORT OPS"},
    {65, 'A', S, Hi, V, "PORT OPS"},    {66, 'A', S, Hi, V, "PORT OPS"},
    {67, ' ', S, Lo, V, "COMMERCIAL"},  {68, ' ', S, Hi, V, "NON-COMM"},
    {69, ' ', S, Hi, V, "NON-COMM"},    {70, ' ', S, Hi, Use::DscOnly, "DSC"},
    {71, ' ', S, Hi, V, "NON-COMM"},    {72, ' ', S, Hi, V, "NON-COMM"},
    {73, ' ', S, Hi, V, "PORT OPS"},    {74, ' ', S, Hi, V, "PORT OPS"},
    {77, ' ', S, Lo, V, "PORT OPS"},    {78, 'A', S, Hi, V, "NON-COMM"},
    {79, 'A', S, Hi, V, "COMMERCIAL"},  {80, 'A', S, Hi, V, "COMMERCIAL"},
    {81, 'A', S, Hi, Rx, "US GOVT"},    {82, 'A', S, Hi, Rx, "US GOVT"},
    {83, 'A', S, Hi, Rx, "USCG ONLY"},  {84, ' ', D, Hi, V, "PUB CORR"},
    {85, ' ', D, Hi, V, "PUB CORR"},    {86, ' ', D, Hi, V, "PUB CORR"},
    {87, ' ', D, Hi, V, "PUB CORR"},    {88, 'A', S, Hi, V, "COMMERCIAL"},
};

// Canadian plan: "A" simplex channels and the "B" channels of the continuous marine
// broadcasts, which are receive-only.
constexpr PlanChannel kCanada[] = {
    {1, ' ', D, Hi, V, "PUB CORR"},    {2, ' ', D, Hi, V, "PUB CORR"},
    {3, ' ', D, Hi, V, "PUB CORR"},    {4, 'A', S, Hi, V, "CCG"},
    {5, 'A', S, Hi, V, "PORT OPS"},    {6, ' ', S, Hi, V, "INTERSHIP"},
    {7, 'A', S, Hi, V, "COMMERCIAL"},  {8, ' ', S, Hi, V, "INTERSHIP"},
    {9, ' ', S, Hi, V, "CALLING"},     {10, ' ', S, Hi, V, "PORT OPS"},
    {11, ' ', S, Hi, V, "PORT OPS"},   {12, ' ', S, Hi, V, "PORT OPS"},
    {13, ' ', S, Lo, V, "BRIDGE"},     {14, ' ', S, Hi, V, "PORT OPS"},
    {15, ' ', S, Lo, V, "ON BOARD"},   {16, ' ', S, Hi, V, "DISTRESS"},
    {17, ' ', S, Lo, V, "ON BOARD"},   {18, 'A', S, Hi, V, "COMMERCIAL"},
    {19, 'A', S, Hi, V, "CCG"},        {20, ' ', D, Lo, V, "PORT OPS"},
    {21, 'A', S, Hi, V, "CCG"},        {21, 'B', S, Hi, Rx, "WX BCAST"},
    {22, 'A', S, Hi, V, "CG LIAISON"}, {23, ' ', D, Hi, V, "PUB CORR"},
    {24, ' ', D, Hi, V, "PUB CORR"},   {25, ' ', D, Hi, V, "PUB CORR"},
    {25, 'B', S, Hi, Rx, "WX BCAST"},  {26, ' ', D, Hi, V, "PUB CORR"},
    {27, ' ', D, Hi, V, "PUB CORR"},   {28, ' ', D, Hi, V, "PUB CORR"},
    {28, 'B', S, Hi, Rx, "WX BCAST"},  {60, ' ', D, Hi, V, "PUB CORR"},
    {61, 'A', S, Hi, V, "CCG"},        {62, 'A', S, Hi, V, "CCG"},
    {64, ' ', D, Hi, V, "PUB CORR"},   {64, 'A', S, Hi, V, "CCG"},
    {65, 'A', S, Hi, V, "PORT OPS"},   {66, 'A', S, Lo, V, "PORT OPS"},
    {67, ' ', S, Hi, V, "COMMERCIAL"}, {68, ' ', S, Hi, V, "NON-COMM"},
    {69, ' ', S, Hi, V, "COMMERCIAL"}, {70, ' ', S, Hi, Use::DscOnly, "DSC"},
    {71, ' ', S, Hi, V, "NON-COMM"},   {72, ' ', S, Hi, V, "INTERSHIP"},
    {73, ' ', S, Hi, V, "COMMERCIAL"}, {74, ' ', S, Hi, V, "COMMERCIAL"},
    {75, ' ', S, Lo, V, "PORT OPS"},   {76, ' ', S, Lo, V, "PORT OPS"},
    {77, ' ', S, Lo, V, "PORT OPS"},   {78, 'A', S, Hi, V, "NON-COMM"},
    {79, 'A', S, Hi, V, "COMMERCIAL"}, {80, 'A', S, Hi, V, "COMMERCIAL"},
    {81, 'A', S, Hi, V, "CCG"},        {82, 'A', S, Hi, V, "CCG"},
    {83, ' ', D, Hi, V, "CCG"},        {83, 'A', S, Hi, V, "CCG"},
    {83, 'B', S, Hi, Rx, "WX BCAST"},  {84, ' ', D, Hi, V, "PUB CORR"},
    {85, ' ', D, Hi, V, "PUB CORR"},   {86, ' ', D, Hi, V, "PUB CORR"},
    {87, ' ', D, Hi, V, "PUB CORR"},   {88, ' ', S, Hi, V, "COMMERCIAL"},
};

constexpr ChannelPlan kInternationalPlan{kInternational, 16, 16};
constexpr ChannelPlan kUsaPlan{kUsa, 16, 9};
constexpr ChannelPlan kCanadaPlan{kCanada, 16, 9};

// NOAA and Environment Canada weather broadcasts, named by their frequency in MHz.
constexpr WeatherChannel kWeather[] = {
    {1, "162.550"}, {2, "162.400"}, {3, "162.475"}, {4, "162.425"}, {5, "162.450"},
    {6, "162.500"}, {7, "162.525"}, {8, "161.650"}, {9, "161.775"}, {10, "163.275"},
};

// The United Kingdom's private channels for marinas and yacht clubs.
constexpr FreeChannel kUkPrivate[] = {
    {"M", 157'850'000, 157'850'000},
    {"M2", 161'425'000, 161'425'000},
};
// The Dutch marina channel 31.
constexpr FreeChannel kDutchPrivate[] = {
    {"31", 157'550'000, 157'550'000},
};

constexpr ModelDefaults kModels[] = {
    {0, true, true, true, Region::Usa, true, {}},
    {1, false, false, false, Region::International, false, kUkPrivate},
    {2, false, false, false, Region::International, false, {}},
    {3, false, false, false, Region::International, false, kDutchPrivate},
    {4, false, false, false, Region::International, false, {}},
    {5, false, false, false, Region::International, false, {}},
    {6, true, true, true, Region::International, false, {}},
};

constexpr int kDscWorking[] = {6, 8, 9, 10, 13, 16, 67, 68, 69, 72, 73, 77};

}  // namespace

const ChannelPlan& InternationalPlan() { return kInternationalPlan; }
const ChannelPlan& UsaPlan() { return kUsaPlan; }
const ChannelPlan& CanadaPlan() { return kCanadaPlan; }
std::span<const WeatherChannel> WeatherChannels() { return kWeather; }
std::span<const ModelDefaults> Models() { return kModels; }
std::span<const int> DscWorkingChannels() { return kDscWorking; }

}  // namespace rtv::initial
