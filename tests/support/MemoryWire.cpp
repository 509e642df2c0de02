// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryWire.h"

#include <algorithm>

namespace rtv::test {

MemoryWire::MemoryWire() { devices.insert("/dev/ttyS0"); }

SerialError MemoryWire::Open(const std::string& path) {
  if (open_) return SerialError::Busy;
  const auto refused = openErrors.find(path);
  if (refused != openErrors.end()) return refused->second;
  if (devices.count(path) == 0) return SerialError::NoSuchDevice;
  open_ = true;
  openedPath = path;
  ++openCount;
  return SerialError::None;
}

void MemoryWire::Close() {
  if (!open_) return;
  open_ = false;
  ++closeCount;
  // Bytes still queued are lost with the handle, as on a real port.
  output_.clear();
}

SerialError MemoryWire::Configure(const SerialLineConfig& lineConfig) {
  config = lineConfig;
  return open_ ? configureResult : SerialError::Failed;
}

bool MemoryWire::Purge() {
  if (!open_) return false;
  ++purgeCount;
  input_.clear();
  output_.clear();
  return true;
}

int MemoryWire::Read(std::uint8_t* buffer, int maxCount) {
  if (!open_) return -1;
  int n = std::min<int>(maxCount, static_cast<int>(input_.size()));
  if (readChunk > 0) n = std::min(n, readChunk);
  for (int i = 0; i < n; ++i) {
    buffer[i] = input_.front();
    input_.pop_front();
  }
  return n;
}

int MemoryWire::Write(const std::uint8_t* bytes, int count) {
  if (!open_) return -1;
  const int n = writeLimit >= 0 ? std::min(count, writeLimit) : count;
  output_.insert(output_.end(), bytes, bytes + n);
  writeSizes.push_back(n);
  if (autoTransmit) Transmit();
  return n;
}

int MemoryWire::InputWaiting() {
  if (!open_ || failQueries) return -1;
  return static_cast<int>(input_.size());
}

int MemoryWire::OutputWaiting() {
  if (!open_ || failQueries) return -1;
  return static_cast<int>(output_.size());
}

void MemoryWire::Feed(const std::vector<std::uint8_t>& bytes) {
  input_.insert(input_.end(), bytes.begin(), bytes.end());
}

void MemoryWire::Feed(const std::uint8_t* bytes, int count) {
  input_.insert(input_.end(), bytes, bytes + count);
}

void MemoryWire::Transmit(int count) {
  const int n = count < 0 ? static_cast<int>(output_.size())
                          : std::min<int>(count, static_cast<int>(output_.size()));
  if (n == 0) return;
  const std::vector<std::uint8_t> piece(output_.begin(), output_.begin() + n);
  output_.erase(output_.begin(), output_.begin() + n);
  transmitted.insert(transmitted.end(), piece.begin(), piece.end());
  if (echo) Feed(piece);
  if (peer) peer(piece.data(), n);
}

}  // namespace rtv::test
