// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CloneFrames.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace rtv {

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

}  // namespace rtv
