// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimFrames.h"

namespace radiosim {
namespace {

constexpr std::size_t kLongestFrame = 600;

void PutEscaped(Bytes& out, std::uint8_t value) {
  if (value >= 0xFA) {
    out.push_back(0xFF);
    out.push_back(value & 0x0F);
  } else {
    out.push_back(value);
  }
}

}  // namespace

Bytes AnswerFrame(std::uint8_t command, const Bytes& payload) {
  Bytes out;
  out.reserve(payload.size() + 6);
  for (const int b : {0xFE, 0xFE, 0xEF, 0xEE, static_cast<int>(command)}) {
    out.push_back(static_cast<std::uint8_t>(b));
  }
  out.insert(out.end(), payload.begin(), payload.end());
  out.push_back(0xFD);
  return out;
}

Bytes DataFrame(int address, const std::uint8_t* memory, int count, bool breakChecksum) {
  Bytes body = {static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
                static_cast<std::uint8_t>(count)};
  for (int i = 0; i < count; ++i) body.push_back(static_cast<std::uint8_t>(memory[i] + 0x80));
  std::uint8_t sum = 0;
  for (const std::uint8_t b : body) sum = static_cast<std::uint8_t>(sum + b);
  body.push_back(static_cast<std::uint8_t>(0 - sum + (breakChecksum ? 1 : 0)));
  Bytes out;
  out.reserve(2 * body.size() + 6);
  for (const std::uint8_t b : {0xFE, 0xFE, 0xEF, 0xEE, 0xE4}) out.push_back(b);
  for (const std::uint8_t b : body) PutEscaped(out, b);
  out.push_back(0xFD);
  return out;
}

bool DecodeDataBody(const std::uint8_t* escaped, int count, DataBody& body) {
  Bytes plain;
  for (int i = 0; i < count; ++i) {
    if (escaped[i] != 0xFF) {
      plain.push_back(escaped[i]);
    } else if (i + 1 < count) {
      plain.push_back(static_cast<std::uint8_t>(0xF0 | escaped[++i]));
    } else {
      return false;
    }
  }
  if (plain.size() < 4 || plain.size() != plain[2] + 4u) return false;
  std::uint8_t sum = 0;
  for (const std::uint8_t b : plain) sum = static_cast<std::uint8_t>(sum + b);
  if (sum != 0) return false;
  body.address = plain[0] << 8 | plain[1];
  body.memory.clear();
  for (int i = 0; i < plain[2]; ++i)
    body.memory.push_back(static_cast<std::uint8_t>(plain[3 + i] - 0x80));
  return true;
}

bool FrameCollector::Push(std::uint8_t byte) {
  if (byte == 0xFE) {
    inFrame_ = true;
    current_.clear();
  } else if (!inFrame_) {
    // between frames
  } else if (byte == 0xFD) {
    inFrame_ = false;
    frame_ = current_;
    current_.clear();
    return true;
  } else if (current_.size() < kLongestFrame) {
    current_.push_back(byte);
  } else {
    inFrame_ = false;  // noise: wait for the next start
    current_.clear();
  }
  return false;
}

}  // namespace radiosim
