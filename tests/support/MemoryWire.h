// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/SerialDevice.h"

namespace rtv::test {

// A serial line in memory. What the program writes waits in the output queue until it is
// transmitted (at once, or when the test says); transmitted bytes can come back as the
// single-wire echo and are handed to the peer, which answers through Feed.
class MemoryWire : public SerialDevice {
 public:
  MemoryWire();

  SerialError Open(const std::string& path) override;
  bool IsOpen() const override { return open_; }
  void Close() override;
  SerialError Configure(const SerialLineConfig& config) override;
  bool Purge() override;
  int Read(std::uint8_t* buffer, int maxCount) override;
  int Write(const std::uint8_t* bytes, int count) override;
  int InputWaiting() override;
  int OutputWaiting() override;
  int LastSystemError() const override { return 0; }

  // Bytes the other end sends to the program.
  void Feed(const std::vector<std::uint8_t>& bytes);
  void Feed(const std::uint8_t* bytes, int count);
  // Moves up to count bytes of the output queue onto the wire (all when negative).
  void Transmit(int count = -1);

  // Set-up of the double.
  std::set<std::string> devices;                  // paths that open; /dev/ttyS0 at first
  std::map<std::string, SerialError> openErrors;  // paths that refuse with a reason
  SerialError configureResult = SerialError::None;
  bool autoTransmit = true;  // written bytes go on the wire at once
  bool echo = true;          // transmitted bytes come back
  int readChunk = 0;         // most bytes one Read returns; 0 = no limit
  int writeLimit = -1;       // most bytes one Write accepts; negative = no limit
  bool failQueries = false;  // the queue counts fail
  // Sees every transmitted piece; may Feed an answer.
  std::function<void(const std::uint8_t*, int)> peer;

  // What happened.
  std::string openedPath;
  int openCount = 0;
  int closeCount = 0;
  int purgeCount = 0;
  SerialLineConfig config;
  std::vector<std::uint8_t> transmitted;  // everything that went on the wire
  std::vector<int> writeSizes;            // the size of every accepted write call

 private:
  bool open_ = false;
  std::deque<std::uint8_t> input_;
  std::deque<std::uint8_t> output_;
};

}  // namespace rtv::test
