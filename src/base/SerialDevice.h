// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace rtv {

enum class SerialParity { None, Even, Odd };
enum class SerialStopBits { One, OneAndHalf, Two };

// How the line is driven. Flow control is always off; the modem lines are set where the
// device has them.
struct SerialLineConfig {
  int baudRate = 19200;
  int byteSize = 8;  // 4..8
  SerialParity parity = SerialParity::None;
  SerialStopBits stopBits = SerialStopBits::One;
  bool dtr = false;
  bool rts = true;
};

// Why a device could not be opened or set up, so that the user can be told what to do.
enum class SerialError {
  None,
  NoSuchDevice,      // the path does not exist or names no device
  PermissionDenied,  // the user may not open it (commonly: not in the dialout group)
  Busy,              // another program holds it exclusively
  NotASerialPort,    // it opened but is no terminal device
  Unsupported,       // a line setting the device does not take (such as the baud rate)
  Failed,            // anything else; the system's error number says more
};

// One serial line, opened by device path. Every call returns at once.
class SerialDevice {
 public:
  virtual ~SerialDevice() = default;

  // Opens for reading and writing, non-blocking and exclusive. Fails on an open device.
  virtual SerialError Open(const std::string& path) = 0;
  virtual bool IsOpen() const = 0;
  virtual void Close() = 0;
  // Raw mode with the given line; the modem lines are skipped on a device without them.
  virtual SerialError Configure(const SerialLineConfig& config) = 0;
  // Discards both queues.
  virtual bool Purge() = 0;
  // Bytes read or written, or -1 when the call failed.
  virtual int Read(std::uint8_t* buffer, int maxCount) = 0;
  virtual int Write(const std::uint8_t* bytes, int count) = 0;
  // Bytes waiting in the input and output queues, or -1 when the query failed.
  virtual int InputWaiting() = 0;
  virtual int OutputWaiting() = 0;
  // The system's error number of the last failure (0 when it has none).
  virtual int LastSystemError() const = 0;
  // Who holds the device, in words, when the last Open failed as Busy because another
  // program has it open; empty when that is not known.
  virtual std::string BusyReason() const { return {}; }
};

}  // namespace rtv
