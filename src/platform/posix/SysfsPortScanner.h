// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace rtv {

// Where the system shows its serial devices; tests point these into a folder of their own.
struct SerialPortRoots {
  std::string sysClassTty = "/sys/class/tty";
  std::string dev = "/dev";
  std::string byId = "/dev/serial/by-id";
};

// A serial device that the kernel reports as present.
struct SystemSerialPort {
  std::string name;        // "ttyUSB0"
  std::string devicePath;  // "/dev/ttyUSB0"
  std::string friendlyName;
};

// Every terminal in sysfs that sits on real hardware: ports of an unused 8250 UART
// (type 0) and virtual terminals are left out. Friendly names come from the USB
// manufacturer and product strings, else from the udev link in /dev/serial/by-id.
std::vector<SystemSerialPort> ScanSystemSerialPorts(const SerialPortRoots& roots);

// The device a path leads to once its links are followed; the path itself when it cannot
// be followed.
std::string ResolveDevicePath(const std::string& path);

}  // namespace rtv
