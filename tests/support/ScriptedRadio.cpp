// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedRadio.h"

#include <algorithm>
#include <cstdio>

namespace rtv::test {
namespace {

void PushEscaped(Bytes& out, std::uint8_t value) {
  if (value < 0xFA) {
    out.push_back(value);
  } else {
    out.push_back(0xFF);
    out.push_back(value & 0x0F);
  }
}

}  // namespace

ScriptedRadio::ScriptedRadio(MemoryWire& wire) : wire_(wire) {
  wire_.peer = [this](const std::uint8_t* bytes, int count) { Receive(bytes, count); };
}

void ScriptedRadio::Receive(const std::uint8_t* bytes, int count) {
  for (int i = 0; i < count; ++i) {
    const std::uint8_t byte = bytes[i];
    if (byte == 0xFE) {
      if (inFrame_ && !current_.empty()) lead_ = 0;  // a new frame cuts the old one off
      inFrame_ = true;
      current_.clear();
      ++lead_;
    } else if (!inFrame_) {
      continue;
    } else if (byte == 0xFD) {
      Complete();
    } else {
      current_.push_back(byte);
    }
  }
}

void ScriptedRadio::Complete() {
  frames.push_back({lead_, current_});
  inFrame_ = false;
  lead_ = 0;
  const Bytes frame = current_;
  current_.clear();
  if (frame.size() < 3) return;
  if (frame[2] == 0xE4) {
    Bytes body;
    for (std::size_t i = 3; i < frame.size(); ++i) {
      if (frame[i] == 0xFF && i + 1 < frame.size()) {
        body.push_back(static_cast<std::uint8_t>(0xF0 | frame[++i]));
      } else {
        body.push_back(frame[i]);
      }
    }
    unsigned sum = 0;
    for (const std::uint8_t b : body) sum += b;
    if (body.size() < 3 || body.size() != body[2] + 4u || (sum & 0xFF) != 0) {
      ++badDataFrames;
      return;
    }
    const int address = body[0] << 8 | body[1];
    for (int i = 0; i < body[2]; ++i) {
      written[address + i] = static_cast<std::uint8_t>(body[3 + i] - 0x80);
    }
  }
  const auto answer = answers.find(frame[2]);
  if (answer != answers.end()) wire_.Feed(answer->second);
}

Bytes ScriptedRadio::IdPayload(std::size_t size, const char* version, bool refusesRead) {
  Bytes payload(size, 0x20);
  payload[0] = static_cast<std::uint8_t>(size);
  if (size > 6) payload[6] = 1;
  if (size > 30) {
    payload[23] = refusesRead ? 0x01 : 0x00;
    payload[26] = static_cast<std::uint8_t>(version[0]);
    payload[27] = '.';
    payload[28] = static_cast<std::uint8_t>(version[1]);
    payload[29] = static_cast<std::uint8_t>(version[2]);
    payload[30] = static_cast<std::uint8_t>(version[3]);
  }
  return payload;
}

Bytes ScriptedRadio::IdentifyAnswer(std::uint16_t modelCode, std::uint16_t extensionCode,
                                    const Bytes& payload) {
  Bytes out = {0xFE, 0xFE, 0xEF, 0xEE, 0xE1};
  out.push_back(static_cast<std::uint8_t>(modelCode >> 8));
  out.push_back(static_cast<std::uint8_t>(modelCode));
  out.push_back(static_cast<std::uint8_t>(extensionCode >> 8));
  out.push_back(static_cast<std::uint8_t>(extensionCode));
  out.insert(out.end(), payload.begin(), payload.end());
  out.push_back(0xFD);
  return out;
}

Bytes ScriptedRadio::DataFrame(int address, const Bytes& memory) {
  Bytes out = {0xFE, 0xFE, 0xEF, 0xEE, 0xE4};
  Bytes body = {static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
                static_cast<std::uint8_t>(memory.size())};
  for (const std::uint8_t b : memory) body.push_back(static_cast<std::uint8_t>(b ^ 0x80));
  unsigned sum = 0;
  for (const std::uint8_t b : body) sum += b;
  body.push_back(static_cast<std::uint8_t>(-sum));
  for (const std::uint8_t b : body) PushEscaped(out, b);
  out.push_back(0xFD);
  return out;
}

Bytes ScriptedRadio::EndFrame(int frameCount) {
  char count[3];
  std::snprintf(count, sizeof count, "%02X", frameCount & 0xFF);
  Bytes out = {0xFE, 0xFE, 0xEF, 0xEE, 0xE5, 'V', 'r', 'e', 'l', ' ', 'I', 'n', 'c', '.'};
  out.push_back(static_cast<std::uint8_t>(count[0]));
  out.push_back(static_cast<std::uint8_t>(count[1]));
  out.push_back(0xFD);
  return out;
}

Bytes ScriptedRadio::WriteAnswer(std::uint8_t code) {
  return {0xFE, 0xFE, 0xEF, 0xEE, 0xE6, code, 0xFD};
}

Bytes ScriptedRadio::DataFrames(const Bytes& image, int first, int last, int* frameCount) {
  Bytes out;
  int frames = 0;
  for (int a = first; a <= last;) {
    const int end = std::min(last, (a / 64 + 1) * 64 - 1);
    const Bytes piece(image.begin() + a, image.begin() + end + 1);
    const Bytes frame = DataFrame(a, piece);
    out.insert(out.end(), frame.begin(), frame.end());
    ++frames;
    a = end + 1;
  }
  if (frameCount != nullptr) *frameCount = frames;
  return out;
}

}  // namespace rtv::test
