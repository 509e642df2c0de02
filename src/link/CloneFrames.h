// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
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
// The most memory bytes one data frame carries: its byte count is a single byte.
inline constexpr int kMaxDataBytes = 255;

// Hexadecimal digits to bytes, high nibble first; every other character is skipped and an
// odd last digit becomes the high nibble of a last byte.
ByteQueue HexToBytes(const std::string& text);
// printf into a std::string, for the request texts.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// ---------------------------------------------------------------------------------------
// Frames to the radio. Each appends the whole frame, its terminating FD included.

// A data frame body byte as it goes on the wire: 0xFA and above as 0xFF, value & 0x0F.
void AppendEscaped(ByteQueue& out, std::uint8_t value);
// Appends the lead, FE FE EE EF E4, the escaped body for count memory bytes at address,
// and FD.
void AppendDataFrame(ByteQueue& out, int lead, int address, const std::uint8_t* data, int count);
// The preamble, FE FE EE EF, the command and the two model words.
void AppendRequestFrame(ByteQueue& out, int preamble, std::uint8_t command, std::uint16_t modelCode,
                        std::uint16_t extensionCode);
// FE FE EE EF E5, the maker's tag and, when withCount, the data frames sent as two
// hexadecimal digits (modulo 256).
void AppendEndFrame(ByteQueue& out, bool withCount, int frameCount);
// The preamble, FE FE EE EF E8, the model words, the code and the value as ASCII
// hexadecimal digits: two for the first value, or for a twelve-bit value three (the first
// value's low nibble, then the second value).
void AppendAdjustFrame(ByteQueue& out, int preamble, std::uint16_t modelCode,
                       std::uint16_t extensionCode, std::uint8_t code, std::uint8_t firstValue,
                       std::uint8_t secondValue, bool twelveBit);

// ---------------------------------------------------------------------------------------
// Frames from the radio, as the frame splitter hands them over: from the first FE up to
// the FD, the FD left off. None of them is trusted.

// What a frame that came in while reading memory is.
enum class ReadFrameKind { Data, End, WrongEndCount, OutOfRange, Broken };
const char* ReadFrameKindName(ReadFrameKind kind);

// The memory a data frame carries, unescaped and with the transfer offset taken off.
struct DataFrame {
  int address = 0;
  int count = 0;
  std::uint8_t bytes[kMaxDataBytes] = {};
};

// Checks the format, the escapes, the byte count and the checksum of a data frame (filling
// data) or an end frame; expectedFrames is the count an end frame must carry, none when
// the end frame carries no count. A data frame reaching imageSize or beyond is OutOfRange.
ReadFrameKind DecodeReadFrame(const ByteQueue& frame, int imageSize,
                              std::optional<int> expectedFrames, DataFrame& data);

// The two words of an identify answer (FE EF EE E1, four bytes of decimal digits); the
// rest of the frame from kIdentifyPayloadAt on is the radio's payload.
struct IdentifyWords {
  int modelCode = 0;
  int extensionCode = 0;
};
inline constexpr int kIdentifyPayloadAt = 8;
std::optional<IdentifyWords> DecodeIdentifyAnswer(const ByteQueue& frame);

// Whether the answer to the end of a write is FE EF EE E6 00.
bool IsWriteAccepted(const ByteQueue& frame);

// An answer to an adjustment request: another frame (not this model's E8 answer), one
// whose digits are not capital hexadecimal, or the value it carries.
struct AdjustAnswer {
  enum class Kind { NotOurs, Broken, Value };
  Kind kind = Kind::NotOurs;
  std::uint8_t value = 0;
};
AdjustAnswer DecodeAdjustAnswer(const ByteQueue& frame, std::uint16_t modelCode);

}  // namespace rtv
