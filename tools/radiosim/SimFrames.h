// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace radiosim {

using Bytes = std::vector<std::uint8_t>;

// The radio's side of the frames: FE FE EF EE cmd payload FD towards the PC.
Bytes AnswerFrame(std::uint8_t command, const Bytes& payload);
// A data frame (E4) with the memory bytes at address, escaped and checksummed.
Bytes DataFrame(int address, const std::uint8_t* memory, int count, bool breakChecksum);

// A data frame body taken apart: false when the escape, length or checksum is wrong.
struct DataBody {
  int address = 0;
  Bytes memory;
};
bool DecodeDataBody(const std::uint8_t* escaped, int count, DataBody& body);

// Collects the frames the PC sends: a run of FE starts one, FD ends it.
class FrameCollector {
 public:
  // True when byte completed a frame; Frame() then holds it from the destination address
  // to the byte before FD.
  bool Push(std::uint8_t byte);
  const Bytes& Frame() const { return frame_; }

 private:
  bool inFrame_ = false;
  Bytes current_;
  Bytes frame_;
};

}  // namespace radiosim
