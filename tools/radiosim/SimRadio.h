// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>

#include "SimFrames.h"

namespace radiosim {

// What the simulated radio is and which faults it shows.
struct SimOptions {
  std::uint16_t modelCode = 0x3974;      // model code
  std::uint16_t extensionCode = 0x0001;  // second model word
  Bytes idBlock;                         // the identification payload
  int readFirst = 0x0000;                // the memory sent on a read
  int readLast = 0x2B5F;
  bool echo = true;
  long corruptEchoByte = 0;    // 1-based number of the echoed byte to corrupt; 0 = none
  int badChecksumFrame = 0;    // 1-based data frame of a read with a wrong checksum
  int silentAfterFrames = -1;  // data frames after which the radio says nothing more
  bool wrongEndCount = false;
  bool frameOutsideRanges = false;
  bool refuseWrite = false;
  bool lowerCaseAdjust = false;  // adjustment answers in lower-case hexadecimal
  bool verbose = false;
};

// The radio's end of the single-wire bus: every byte from the PC comes back as echo, and
// complete frames are answered as the radio does.
class SimRadio {
 public:
  static constexpr int kMemorySize = 32768;

  SimRadio(SimOptions options, Bytes memory);

  // Bytes from the PC; the echo and any answers go to Output().
  void Receive(const std::uint8_t* bytes, int count);
  std::deque<std::uint8_t>& Output() { return output_; }
  const Bytes& Memory() const { return memory_; }
  // True once after each write the radio accepted.
  bool TakeAcceptedWrite();

  // A 48-byte identification block: its length, byte 6 = 1, the refuse-read bit 0 of
  // byte 23, and the version's four digits at bytes 26, 28, 29 and 30.
  static Bytes DefaultIdBlock(const std::string& version, bool refuseRead);

 private:
  void OnFrame(const Bytes& frame);
  void Send(const Bytes& bytes);
  bool Silent() const;
  Bytes WordBytes() const;
  void AnswerIdentify();
  void SendMemory();
  void TakeData(const Bytes& frame);
  void EndOfWrite(const Bytes& frame);
  void Adjust(const Bytes& frame);
  void Log(const std::string& text) const;

  SimOptions options_;
  Bytes memory_;
  std::deque<std::uint8_t> output_;
  FrameCollector collector_;
  long echoed_ = 0;
  int dataFrames_ = 0;  // sent during a read, taken during a write
  bool writing_ = false;
  bool writeBroken_ = false;
  Bytes staged_;
  bool accepted_ = false;
  std::map<int, std::uint8_t> adjust_;
};

}  // namespace radiosim
