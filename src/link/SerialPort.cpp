// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/SerialPort.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/TimerTask.h"

namespace rtv {
namespace {

std::vector<std::string> SplitFields(const std::string& text) {
  std::vector<std::string> fields(1);
  for (const char c : text) {
    if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

// The leading decimal number of a field, as the C library reads it; 0 when there is none.
int DecimalField(const std::string& field) {
  const long value = std::strtol(field.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long>(value, -1000000000L, 1000000000L));
}

}  // namespace

SerialPort::SerialPort(SerialDevice& device, Timers& timers, PathResolver resolver)
    : device_(device), resolver_(std::move(resolver)), task_(std::make_unique<TimerTask>(timers)) {
  task_->Bind([this](TimerTask&) { Pump(); });
}

SerialPort::~SerialPort() {
  Close();
  TimerTask::Dispose(std::move(task_));
}

SerialLineConfig SerialPort::ParseSettings(const std::string& text, SerialLineConfig config) {
  const std::vector<std::string> fields = SplitFields(text);
  if (!fields.empty()) config.baudRate = DecimalField(fields[0]);
  if (fields.size() > 1 && !fields[1].empty()) {
    switch (fields[1][0]) {
      case 'E':
      case 'e':
        config.parity = SerialParity::Even;
        break;
      case 'O':
      case 'o':
        config.parity = SerialParity::Odd;
        break;
      default:
        config.parity = SerialParity::None;
        break;  // "N", and mark or space too
    }
  }
  if (fields.size() > 2) config.byteSize = std::clamp(DecimalField(fields[2]), 4, 8);
  if (fields.size() > 3) {
    const std::string& stop = fields[3];
    config.stopBits = stop == "1.5" ? SerialStopBits::OneAndHalf
                      : stop == "2" ? SerialStopBits::Two
                                    : SerialStopBits::One;
  }
  return config;
}

bool SerialPort::Fail(SerialError error) {
  openError_ = error;
  openSystemError_ = device_.LastSystemError();
  openBusyReason_ = error == SerialError::Busy ? device_.BusyReason() : std::string();
  return false;
}

bool SerialPort::Open(int portNumber, const std::string& settings) {
  if (IsOpen()) return false;
  portNumber_ = portNumber;
  writeError_ = false;
  openError_ = SerialError::None;
  openSystemError_ = 0;
  openBusyReason_.clear();
  config_ = ParseSettings(settings, config_);
  openPath_ = resolver_ ? resolver_(portNumber) : std::string();
  if (openPath_.empty()) {
    openError_ = SerialError::NoSuchDevice;
    return false;
  }
  const SerialError opened = device_.Open(openPath_);
  if (opened != SerialError::None) return Fail(opened);
  // The driver's queues are its own here; only the purge is left to do. A port that
  // fails half-way is closed again rather than left open behind a false.
  if (!device_.Purge()) {
    const bool result = Fail(SerialError::Failed);
    Close();
    return result;
  }
  const SerialError configured = device_.Configure(config_);
  if (configured != SerialError::None) {
    const bool result = Fail(configured);
    Close();
    return result;
  }
  return true;
}

void SerialPort::Close() {
  task_->Schedule(-1);
  device_.Close();
  writeBuffer_.Clear();
  writeError_ = false;
}

void SerialPort::Write(const std::uint8_t* bytes, int count) {
  if (!IsOpen()) return;
  task_->Schedule(-1);
  writeBuffer_.Append(bytes, count);
  task_->Schedule(0);
  Pump();
}

void SerialPort::DropPending() {
  task_->Schedule(-1);
  writeBuffer_.Clear();
  if (IsOpen()) device_.Purge();
}

void SerialPort::Pump() {
  if (!IsOpen()) {
    task_->Schedule(-1);
    return;
  }
  const int n = writeBuffer_.Count();
  const int k = std::min(n, kOutputChunk);
  if (OutputWaiting() != 0) {
    task_->Schedule(kPumpIntervalMs);
    return;
  }
  if (k > 0 && device_.Write(writeBuffer_.Data(), k) < k) {
    writeError_ = true;
    task_->Schedule(-1);
    return;
  }
  if (k < n) {
    writeBuffer_.Assign(writeBuffer_.Data() + k, n - k);
    task_->Schedule(kPumpIntervalMs);
  } else {
    writeBuffer_.SetCount(0);
    task_->Schedule(-1);
  }
}

int SerialPort::Read(std::uint8_t* buffer, int maxCount) {
  if (!IsOpen() || maxCount <= 0) return 0;
  const int waiting = std::min<int>(static_cast<int>(InputWaiting()), maxCount);
  if (waiting <= 0) return 0;
  const int n = device_.Read(buffer, waiting);
  return n > 0 ? n : 0;
}

unsigned SerialPort::InputWaiting() {
  if (!IsOpen()) return 0;
  const int n = device_.InputWaiting();
  return n > 0 ? static_cast<unsigned>(n) : 0;
}

unsigned SerialPort::OutputWaiting() {
  if (!IsOpen()) return 0;
  const int n = device_.OutputWaiting();
  return n > 0 ? static_cast<unsigned>(n) : 0;
}

unsigned SerialPort::PendingOutput() {
  return OutputWaiting() + static_cast<unsigned>(writeBuffer_.Count());
}

std::string SerialPort::DescribeOpenFailure() const {
  if (openError_ == SerialError::Busy && !openBusyReason_.empty()) return openBusyReason_;
  return DescribeOpenError(openError_, openSystemError_, openPath_);
}

std::string SerialPort::DescribeOpenError(SerialError error, int systemError,
                                          const std::string& path) {
  const std::string port = path.empty() ? std::string("The port") : path;
  switch (error) {
    case SerialError::None:
      return {};
    case SerialError::NoSuchDevice:
      return path.empty() ? "No serial device is known under this port number. Choose another "
                            "port, or name the device in the \"Port Map\" settings."
                          : port +
                                " does not exist. Check that the cable is plugged in and "
                                "that the port is the right one.";
    case SerialError::PermissionDenied:
      return "You are not allowed to open " + port +
             ". Add your user to the dialout group (sudo usermod -a -G dialout $USER), "
             "then log out and in again.";
    case SerialError::Busy:
      return port + " is in use by another program. Close that program and try again.";
    case SerialError::NotASerialPort:
      return port + " is not a serial port.";
    case SerialError::Unsupported:
      return port + " does not support the line settings the radio needs.";
    case SerialError::Failed:
      break;
  }
  std::string text = port + " could not be opened";
  if (systemError != 0) text += std::string(": ") + std::strerror(systemError);
  return text + ".";
}

}  // namespace rtv
