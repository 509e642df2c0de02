// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "MemoryWire.h"

namespace rtv::test {

using Bytes = std::vector<std::uint8_t>;

// The radio's end of a MemoryWire: collects the frames the program sends and answers a
// command with scripted bytes once its frame is complete. It has its own frame builders,
// written from the radio's side, so that tests do not check the link against itself.
class ScriptedRadio {
 public:
  explicit ScriptedRadio(MemoryWire& wire);

  struct Frame {
    int leadBytes = 0;  // 0xFE bytes before the frame's address byte
    Bytes bytes;        // from the destination address to the byte before 0xFD
  };

  std::map<std::uint8_t, Bytes> answers;  // by command byte
  std::vector<Frame> frames;

  // Memory that the program wrote, decoded from its E4 frames (each checked).
  std::map<int, std::uint8_t> written;
  int badDataFrames = 0;

  // Frames as the radio sends them.
  static Bytes IdentifyAnswer(std::uint16_t modelCode, std::uint16_t extensionCode,
                              const Bytes& payload);
  // The identification payload of a radio of the model: its length first, byte 6 valid,
  // the version digits at 26 and 28-30 and the read refusal in bit 0 of byte 23.
  static Bytes IdPayload(std::size_t size = 40, const char* version = "1203",
                         bool refusesRead = false);
  static Bytes DataFrame(int address, const Bytes& memory);
  static Bytes EndFrame(int frameCount);
  static Bytes WriteAnswer(std::uint8_t code);
  // Data frames for every 64-byte aligned piece of [first, last] of image, then nothing.
  static Bytes DataFrames(const Bytes& image, int first, int last, int* frameCount = nullptr);

 private:
  void Receive(const std::uint8_t* bytes, int count);
  void Complete();

  MemoryWire& wire_;
  int lead_ = 0;
  bool inFrame_ = false;
  Bytes current_;
};

}  // namespace rtv::test
