// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CloneFrames.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace rtv {
namespace {

constexpr int kAdjustAnswerLength = 11;  // FE EF EE E8, two model bytes, two more, code, two digits

// "0"-"9" and "A"-"F" only: the radio answers in capitals, anything else is noise.
int HexDigitValue(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

char HexDigit(int nibble) { return "0123456789ABCDEF"[nibble & 0x0F]; }

// The maker's tag and, when asked, the frame count as two capital hexadecimal digits.
std::string EndFrameText(bool withCount, int frameCount) {
  std::string text = kMakerTag;
  if (withCount) text += FormatText("%02X", frameCount & 0xFF);
  return text;
}

bool HasHeader(const ByteQueue& frame, std::uint8_t command) {
  return frame.Count() >= 4 && frame.At(0) == kFramePreamble && frame.At(1) == kPcAddress &&
         frame.At(2) == kRadioAddress && frame.At(3) == command;
}

ReadFrameKind DecodeDataFrame(const ByteQueue& frame, int imageSize, DataFrame& data) {
  // The body is the address (two bytes), the count, the memory bytes and the checksum.
  std::uint8_t body[4 + kMaxDataBytes];
  int count = 0;
  bool escaped = false;
  for (int i = 4; i < frame.Count(); ++i) {
    const std::uint8_t byte = frame.At(i);
    if (byte == kFrameEscape && !escaped) {
      escaped = true;
      continue;
    }
    if (count == static_cast<int>(sizeof body)) return ReadFrameKind::Broken;
    body[count++] = escaped ? static_cast<std::uint8_t>(byte | 0xF0) : byte;
    escaped = false;
  }
  // An escape with nothing after it is a broken frame, not a byte to drop.
  if (escaped || count < 3 || count != body[2] + 4) return ReadFrameKind::Broken;
  unsigned sum = 0;
  for (int i = 0; i < count; ++i) sum += body[i];
  if ((sum & 0xFF) != 0) return ReadFrameKind::Broken;

  const int address = body[0] * 256 + body[1];
  const int n = body[2];
  if (address + n > imageSize) return ReadFrameKind::OutOfRange;
  data.address = address;
  data.count = n;
  for (int i = 0; i < n; ++i) data.bytes[i] = static_cast<std::uint8_t>(body[3 + i] - 0x80);
  return ReadFrameKind::Data;
}

ReadFrameKind CheckEndFrame(const ByteQueue& frame, std::optional<int> expectedFrames) {
  const std::string expected = EndFrameText(expectedFrames.has_value(), expectedFrames.value_or(0));
  const int length = frame.Count() - 4;
  if (length != static_cast<int>(expected.size()) ||
      std::memcmp(frame.Data() + 4, kMakerTag, kMakerTagLength) != 0) {
    return ReadFrameKind::Broken;
  }
  return std::memcmp(frame.Data() + 4, expected.data(), expected.size()) == 0
             ? ReadFrameKind::End
             : ReadFrameKind::WrongEndCount;
}

}  // namespace

ByteQueue HexToBytes(const std::string& text) {
  ByteQueue bytes;
  int high = -1;
  for (const char c : text) {
    int nibble = -1;
    if (c >= '0' && c <= '9') nibble = c - '0';
    if (c >= 'a' && c <= 'f') nibble = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') nibble = c - 'A' + 10;
    if (nibble < 0) continue;
    if (high < 0) {
      high = nibble;
    } else {
      bytes.PushBack(static_cast<std::uint8_t>(high << 4 | nibble));
      high = -1;
    }
  }
  if (high >= 0) bytes.PushBack(static_cast<std::uint8_t>(high << 4));
  return bytes;
}

std::string FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1);
  std::vsnprintf(text.data(), text.size(), format, args);
  va_end(args);
  return std::string(text.data());
}

void AppendEscaped(ByteQueue& out, std::uint8_t value) {
  if (value >= 0xFA) {
    out.PushBack(kFrameEscape);
    out.PushBack(static_cast<std::uint8_t>(value & 0x0F));
  } else {
    out.PushBack(value);
  }
}

void AppendDataFrame(ByteQueue& out, int lead, int address, const std::uint8_t* data, int count) {
  out.AppendRepeated(kFramePreamble, lead);
  const std::uint8_t header[] = {kFramePreamble, kFramePreamble, kRadioAddress, kPcAddress,
                                 kCmdData};
  out.Append(header, sizeof header);
  const std::uint8_t head[] = {static_cast<std::uint8_t>(address >> 8 & 0xFF),
                               static_cast<std::uint8_t>(address & 0xFF),
                               static_cast<std::uint8_t>(count)};
  unsigned sum = 0;
  for (const std::uint8_t byte : head) {
    sum += byte;
    AppendEscaped(out, byte);
  }
  for (int i = 0; i < count; ++i) {
    const auto sent = static_cast<std::uint8_t>(data[i] + 0x80);
    sum += sent;
    AppendEscaped(out, sent);
  }
  AppendEscaped(out, static_cast<std::uint8_t>((0x100 - (sum & 0xFF)) & 0xFF));
  out.PushBack(kFrameEnd);
}

void AppendRequestFrame(ByteQueue& out, int preamble, std::uint8_t command, std::uint16_t modelCode,
                        std::uint16_t extensionCode) {
  out.AppendRepeated(kFramePreamble, preamble);
  out.Append(
      HexToBytes(FormatText("FEFE EE EF %02X %04X %04X FD", command, modelCode, extensionCode)));
}

void AppendEndFrame(ByteQueue& out, bool withCount, int frameCount) {
  const std::uint8_t header[] = {kFramePreamble, kFramePreamble, kRadioAddress, kPcAddress,
                                 kCmdEnd};
  out.Append(header, sizeof header);
  const std::string text = EndFrameText(withCount, frameCount);
  out.Append(reinterpret_cast<const std::uint8_t*>(text.data()), static_cast<int>(text.size()));
  out.PushBack(kFrameEnd);
}

void AppendAdjustFrame(ByteQueue& out, int preamble, std::uint16_t modelCode,
                       std::uint16_t extensionCode, std::uint8_t code, std::uint8_t firstValue,
                       std::uint8_t secondValue, bool twelveBit) {
  std::string text = FormatText("FEFE EE EF E8 %04X %04X %02X", modelCode, extensionCode, code);
  std::string digits;
  if (twelveBit) {
    digits = {HexDigit(firstValue), HexDigit(secondValue >> 4), HexDigit(secondValue)};
  } else {
    digits = {HexDigit(firstValue >> 4), HexDigit(firstValue)};
  }
  for (const char digit : digits) text += FormatText(" %02X", digit);
  out.AppendRepeated(kFramePreamble, preamble);
  out.Append(HexToBytes(text + " FD"));
}

const char* ReadFrameKindName(ReadFrameKind kind) {
  switch (kind) {
    case ReadFrameKind::Data:
      return "data";
    case ReadFrameKind::End:
      return "end";
    case ReadFrameKind::WrongEndCount:
      return "end with a wrong count";
    case ReadFrameKind::OutOfRange:
      return "data outside the image";
    case ReadFrameKind::Broken:
      break;
  }
  return "broken (format or checksum)";
}

ReadFrameKind DecodeReadFrame(const ByteQueue& frame, int imageSize,
                              std::optional<int> expectedFrames, DataFrame& data) {
  // The longest data frame: every byte of the largest body escaped.
  constexpr int kLongestFrame = 4 + 2 * (4 + kMaxDataBytes);
  const int length = frame.Count();
  if (length < 8 || length > kLongestFrame) return ReadFrameKind::Broken;
  if (HasHeader(frame, kCmdData)) return DecodeDataFrame(frame, imageSize, data);
  if (HasHeader(frame, kCmdEnd)) return CheckEndFrame(frame, expectedFrames);
  return ReadFrameKind::Broken;
}

std::optional<IdentifyWords> DecodeIdentifyAnswer(const ByteQueue& frame) {
  if (frame.Count() < kIdentifyPayloadAt || !HasHeader(frame, kCmdIdentifyAnswer)) {
    return std::nullopt;
  }
  for (int i = 4; i < kIdentifyPayloadAt; ++i) {
    if ((frame.At(i) >> 4) > 9 || (frame.At(i) & 0x0F) > 9) return std::nullopt;
  }
  return IdentifyWords{frame.At(4) * 256 + frame.At(5), frame.At(6) * 256 + frame.At(7)};
}

bool IsWriteAccepted(const ByteQueue& frame) {
  return frame.Count() == 5 && HasHeader(frame, kCmdWriteAnswer) && frame.At(4) == 0x00;
}

AdjustAnswer DecodeAdjustAnswer(const ByteQueue& frame, std::uint16_t modelCode) {
  const bool ours = frame.Count() >= kAdjustAnswerLength && HasHeader(frame, kCmdAdjust) &&
                    frame.At(4) == (modelCode >> 8) && frame.At(5) == (modelCode & 0xFF);
  if (!ours) return {};
  const int high = HexDigitValue(frame.At(9));
  const int low = HexDigitValue(frame.At(10));
  if (high < 0 || low < 0) return {AdjustAnswer::Kind::Broken, 0};
  return {AdjustAnswer::Kind::Value, static_cast<std::uint8_t>(high * 16 + low)};
}

}  // namespace rtv
