// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <termios.h>

#include "base/SerialDevice.h"

namespace rtv {

// A serial line through POSIX termios: a real port, a USB adapter or a pseudo-terminal.
class PosixSerialDevice : public SerialDevice {
 public:
  PosixSerialDevice() = default;
  ~PosixSerialDevice() override;
  PosixSerialDevice(const PosixSerialDevice&) = delete;
  PosixSerialDevice& operator=(const PosixSerialDevice&) = delete;

  SerialError Open(const std::string& path) override;
  bool IsOpen() const override { return fd_ >= 0; }
  void Close() override;
  SerialError Configure(const SerialLineConfig& config) override;
  bool Purge() override;
  int Read(std::uint8_t* buffer, int maxCount) override;
  int Write(const std::uint8_t* bytes, int count) override;
  int InputWaiting() override;
  int OutputWaiting() override;
  int LastSystemError() const override { return lastError_; }
  std::string BusyReason() const override { return busyReason_; }
  // The open descriptor, -1 when closed.
  int NativeHandle() const { return fd_; }

  // The reason for a failed open, by the system's error number.
  static SerialError ErrorFromErrno(int error);
  // Raw mode with the line's speed, size, parity and stop bits; false for what termios
  // cannot do (4-bit bytes, an unknown baud rate).
  static bool ApplyLineConfig(const SerialLineConfig& config, termios& tio);

 private:
  int fd_ = -1;
  int baudRate_ = 19200;
  int lastError_ = 0;
  std::string busyReason_;
};

}  // namespace rtv
