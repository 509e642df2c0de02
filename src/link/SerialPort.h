// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/ByteQueue.h"
#include "base/SerialDevice.h"

namespace rtv {

class Timers;
class TimerTask;

// A numbered serial port that never waits: reads take what has arrived, and writes go
// through a buffer that a pump hands to the driver in pieces whenever its queue is empty.
class SerialPort {
 public:
  static constexpr int kInputQueueSize = 32000;
  static constexpr int kOutputChunk = 1024;
  static constexpr int kPumpIntervalMs = 10;

  // The device path of a port number; empty when the number names no device.
  using PathResolver = std::function<std::string(int portNumber)>;

  SerialPort(SerialDevice& device, Timers& timers, PathResolver resolver);
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // Settings text "baud,parity,bits,stop", such as "38400,N,8,1". False when the port is
  // already open or cannot be opened or configured; the reason is kept.
  bool Open(int portNumber, const std::string& settings);
  void Close();
  bool IsOpen() const { return device_.IsOpen(); }

  // Dropped when the port is closed.
  void Write(const std::uint8_t* bytes, int count);
  // Forgets what is not yet sent and what has arrived, in the buffer and in the driver.
  void DropPending();
  // Whatever has arrived, up to maxCount bytes; 0 when nothing or on failure.
  int Read(std::uint8_t* buffer, int maxCount);
  unsigned InputWaiting();
  unsigned OutputWaiting();
  // The driver's output queue plus the bytes not yet handed to it.
  unsigned PendingOutput();
  bool WriteError() const { return writeError_; }

  int PortNumber() const { return portNumber_; }
  const SerialLineConfig& LineConfig() const { return config_; }
  // Why the last Open failed (None after a success), with the path it tried.
  SerialError OpenError() const { return openError_; }
  int OpenSystemError() const { return openSystemError_; }
  const std::string& OpenPath() const { return openPath_; }
  // Who holds the device when the open failed as Busy; empty when not known.
  const std::string& OpenBusyReason() const { return openBusyReason_; }
  // What to tell the user about the last failed open.
  std::string DescribeOpenFailure() const;

  // The settings text applied to a line configuration; fields that are missing keep it.
  static SerialLineConfig ParseSettings(const std::string& text, SerialLineConfig config);
  // What to tell the user about a failed open.
  static std::string DescribeOpenError(SerialError error, int systemError, const std::string& path);

 private:
  void Pump();
  bool Fail(SerialError error);

  SerialDevice& device_;
  PathResolver resolver_;
  std::unique_ptr<TimerTask> task_;
  ByteQueue writeBuffer_;
  SerialLineConfig config_;
  int portNumber_ = 0;
  bool writeError_ = false;
  SerialError openError_ = SerialError::None;
  int openSystemError_ = 0;
  std::string openPath_;
  std::string openBusyReason_;
};

}  // namespace rtv
