// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "base/ByteQueue.h"

namespace rtv {

// Bytes of the clone protocol's frames.
inline constexpr std::uint8_t kFramePreamble = 0xFE;
inline constexpr std::uint8_t kFrameEnd = 0xFD;
inline constexpr std::uint8_t kFrameEscape = 0xFF;
inline constexpr std::uint8_t kRadioAddress = 0xEE;
inline constexpr std::uint8_t kPcAddress = 0xEF;
inline constexpr std::uint8_t kCmdIdentify = 0xE0;
inline constexpr std::uint8_t kCmdIdentifyAnswer = 0xE1;
inline constexpr std::uint8_t kCmdRead = 0xE2;
inline constexpr std::uint8_t kCmdWrite = 0xE3;
inline constexpr std::uint8_t kCmdData = 0xE4;
inline constexpr std::uint8_t kCmdEnd = 0xE5;
inline constexpr std::uint8_t kCmdWriteAnswer = 0xE6;
inline constexpr std::uint8_t kCmdAdjust = 0xE8;
inline constexpr const char* kMakerTag = "Vrel Inc.";
inline constexpr int kMakerTagLength = 9;

// Hexadecimal digits to bytes, high nibble first; every other character is skipped and an
// odd last digit becomes the high nibble of a last byte.
ByteQueue HexToBytes(const std::string& text);
// printf into a std::string, for the request texts.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A data frame body byte as it goes on the wire: 0xFA and above as 0xFF, value & 0x0F.
void AppendEscaped(ByteQueue& out, std::uint8_t value);
// Appends the lead, FE FE EE EF E4, the escaped body for count memory bytes at address,
// and FD.
void AppendDataFrame(ByteQueue& out, int lead, int address, const std::uint8_t* data, int count);

}  // namespace rtv
