// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimRadio.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace radiosim {
namespace {

// Adjustment codes that only ask; any other code sets its value.
bool IsQuery(int code) {
  static const int kQueries[] = {0x20, 0x22, 0x23, 0x24, 0x26, 0x28, 0x29, 0x30, 0x31,
                                 0x32, 0x33, 0x34, 0x35, 0x37, 0x39, 0x57, 0x58};
  for (const int query : kQueries) {
    if (query == code) return true;
  }
  return false;
}

int HexDigit(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

SimRadio::SimRadio(SimOptions options, Bytes memory)
    : options_(std::move(options)), memory_(std::move(memory)) {
  memory_.resize(kMemorySize, 0);
  for (int code = 0; code < 256; ++code)
    adjust_[code] = static_cast<std::uint8_t>(0x40 + code % 64);
}

Bytes SimRadio::DefaultIdBlock(const std::string& version, bool refuseRead) {
  Bytes block(48, '0');
  block[0] = 48;
  std::memcpy(&block[1], "12345", 5);  // serial number
  block[6] = 1;
  std::memcpy(&block[7], "RT-V612 SIM     ", 16);
  block[23] = refuseRead ? 1 : 0;
  block[24] = 0;
  block[25] = 0;
  const std::string digits = (version + "0000").substr(0, 4);
  block[26] = static_cast<std::uint8_t>(digits[0]);
  block[27] = '.';
  block[28] = static_cast<std::uint8_t>(digits[1]);
  block[29] = static_cast<std::uint8_t>(digits[2]);
  block[30] = static_cast<std::uint8_t>(digits[3]);
  std::memcpy(&block[31], "SIMULATED RADIO  ", 17);
  return block;
}

void SimRadio::Log(const std::string& text) const {
  if (options_.verbose) std::fprintf(stderr, "radiosim: %s\n", text.c_str());
}

bool SimRadio::TakeAcceptedWrite() {
  const bool accepted = accepted_;
  accepted_ = false;
  return accepted;
}

bool SimRadio::Silent() const {
  return options_.silentAfterFrames >= 0 && dataFrames_ >= options_.silentAfterFrames;
}

void SimRadio::Send(const Bytes& bytes) {
  if (!Silent()) output_.insert(output_.end(), bytes.begin(), bytes.end());
}

void SimRadio::Receive(const std::uint8_t* bytes, int count) {
  for (int i = 0; i < count; ++i) {
    std::uint8_t echo = bytes[i];
    if (++echoed_ == options_.corruptEchoByte) echo ^= 0x01;
    if (options_.echo) output_.push_back(echo);
    if (collector_.Push(bytes[i])) OnFrame(collector_.Frame());
  }
}

void SimRadio::OnFrame(const Bytes& frame) {
  if (frame.size() < 3 || frame[0] != 0xEE || frame[1] != 0xEF) return;
  switch (frame[2]) {
    case 0xE0:
      AnswerIdentify();
      break;
    case 0xE2:
      SendMemory();
      break;
    case 0xE3:
      Log("write request");
      writing_ = true;
      writeBroken_ = false;
      dataFrames_ = 0;
      staged_ = memory_;
      break;
    case 0xE4:
      TakeData(frame);
      break;
    case 0xE5:
      EndOfWrite(frame);
      break;
    case 0xE8:
      Adjust(frame);
      break;
    default:
      Log("ignored a frame with command " + std::to_string(frame[2]));
      break;
  }
}

Bytes SimRadio::WordBytes() const {
  Bytes words;
  words.reserve(64);
  for (const int word : {options_.modelCode, options_.extensionCode}) {
    words.push_back(static_cast<std::uint8_t>(word >> 8));
    words.push_back(static_cast<std::uint8_t>(word & 0xFF));
  }
  return words;
}

void SimRadio::AnswerIdentify() {
  Log("identify");
  dataFrames_ = 0;
  Bytes payload = WordBytes();
  payload.insert(payload.end(), options_.idBlock.begin(), options_.idBlock.end());
  Send(AnswerFrame(0xE1, payload));
}

void SimRadio::SendMemory() {
  Log("read request");
  writing_ = false;
  dataFrames_ = 0;
  for (int a = options_.readFirst; a <= options_.readLast;) {
    const int end = std::min(options_.readLast, (a / 64 + 1) * 64 - 1);
    if (Silent()) break;
    Send(DataFrame(a, &memory_[static_cast<std::size_t>(a)], end - a + 1,
                   dataFrames_ + 1 == options_.badChecksumFrame));
    ++dataFrames_;
    a = end + 1;
  }
  if (options_.frameOutsideRanges && !Silent() && options_.readLast + 1 < kMemorySize) {
    const int a = options_.readLast + 1;
    Send(DataFrame(a, &memory_[static_cast<std::size_t>(a)], 1, false));
    ++dataFrames_;
  }
  char count[3];
  std::snprintf(count, sizeof count, "%02X",
                (dataFrames_ + (options_.wrongEndCount ? 1 : 0)) & 0xFF);
  Bytes payload(reinterpret_cast<const std::uint8_t*>("Vrel Inc."),
                reinterpret_cast<const std::uint8_t*>("Vrel Inc.") + 9);
  payload.push_back(static_cast<std::uint8_t>(count[0]));
  payload.push_back(static_cast<std::uint8_t>(count[1]));
  Send(AnswerFrame(0xE5, payload));
  Log("sent " + std::to_string(dataFrames_) + " data frames");
}

void SimRadio::TakeData(const Bytes& frame) {
  if (!writing_) return;
  ++dataFrames_;
  DataBody body;
  if (!DecodeDataBody(frame.data() + 3, static_cast<int>(frame.size()) - 3, body) ||
      body.address + static_cast<int>(body.memory.size()) > kMemorySize) {
    Log("bad data frame " + std::to_string(dataFrames_));
    writeBroken_ = true;
    return;
  }
  std::copy(body.memory.begin(), body.memory.end(), staged_.begin() + body.address);
}

void SimRadio::EndOfWrite(const Bytes& frame) {
  if (!writing_) return;
  writing_ = false;
  char count[3];
  std::snprintf(count, sizeof count, "%02X", dataFrames_ & 0xFF);
  const std::string expected = std::string("Vrel Inc.") + count;
  const bool endOk = frame.size() == 3 + expected.size() &&
                     std::memcmp(frame.data() + 3, expected.data(), expected.size()) == 0;
  const bool accept = endOk && !writeBroken_ && !options_.refuseWrite;
  if (accept) {
    memory_ = staged_;
    accepted_ = true;
  }
  Log(std::string("write ") + (accept ? "accepted" : "refused") + " after " +
      std::to_string(dataFrames_) + " data frames");
  Send(AnswerFrame(0xE6, {static_cast<std::uint8_t>(accept ? 0x00 : 0x01)}));
}

void SimRadio::Adjust(const Bytes& frame) {
  // EE EF E8, two words, the code, then two value characters (three for code 9).
  if (frame.size() < 10) return;
  // The whole request, so that a test sees exactly what reached the radio.
  std::string text = "adjust frame";
  for (const std::uint8_t byte : frame) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", byte);
    text += hex;
  }
  Log(text);
  const int code = frame[7];
  int value = 0;
  for (std::size_t i = 8; i < frame.size(); ++i) {
    const int digit = HexDigit(frame[i]);
    if (digit < 0) return;
    value = value * 16 + digit;
  }
  if (!IsQuery(code)) adjust_[code] = static_cast<std::uint8_t>(value & 0xFF);
  const char* digits = options_.lowerCaseAdjust ? "0123456789abcdef" : "0123456789ABCDEF";
  const std::uint8_t stored = adjust_[code];
  Bytes payload = WordBytes();
  payload.push_back(static_cast<std::uint8_t>(code));
  payload.push_back(static_cast<std::uint8_t>(digits[stored >> 4]));
  payload.push_back(static_cast<std::uint8_t>(digits[stored & 0x0F]));
  Send(AnswerFrame(0xE8, payload));
}

}  // namespace radiosim
