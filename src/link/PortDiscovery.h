// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/posix/SysfsPortScanner.h"

namespace rtv {

class SettingsStore;

// Port numbers 1-256 name devices as COM numbers did: through the "Port Map" settings
// group (value COM<n> = a device path), else 1-32 are /dev/ttyS0-31, 33-64
// /dev/ttyUSB0-31 and 65-96 /dev/ttyACM0-31.
struct PortEnvironment {
  const SettingsStore* settings = nullptr;
  SerialPortRoots roots;
};

inline constexpr const char* kPortMapGroup = "Port Map";
inline constexpr int kMaxPortNumber = 256;

// The device path of a port number; empty when the number names none.
std::string PortDevicePath(int number, const PortEnvironment& env);
// The number under which a device path is reached (a "Port Map" entry first); 0 if none.
int PortNumberOfPath(const std::string& path, const PortEnvironment& env);

// Numbers of the serial ports that the system reports as hardware, ascending.
void ListSerialCommPorts(std::vector<std::string>& list, const PortEnvironment& env);
// Numbers of every port whose device exists, ascending.
void ListDosComPorts(std::vector<std::string>& list, const PortEnvironment& env);
// "n: friendly name (device path)" for the known ports whose number is in numbers,
// ascending by number.
void ListFriendlyPorts(const std::vector<std::string>& numbers, std::vector<std::string>& list,
                       const PortEnvironment& env);
// "COM7" gives 7, "7: USB serial (/dev/ttyUSB0)" gives 7; anything else 0.
int PortNumberOf(const std::string& text);

}  // namespace rtv
