// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/SysfsPortScanner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace rtv {
namespace {

namespace fs = std::filesystem;

std::string ReadLineOf(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) {
    line.pop_back();
  }
  return line;
}

// The USB device above an interface or a usb-serial port holds the strings; it is a few
// levels up, depending on the driver.
std::string UsbName(const fs::path& device) {
  std::error_code error;
  fs::path at = fs::canonical(device, error);
  if (error) return {};
  for (int level = 0; level < 4 && !at.empty() && at != at.root_path(); ++level) {
    if (fs::exists(at / "product", error)) {
      const std::string maker = ReadLineOf(at / "manufacturer");
      const std::string product = ReadLineOf(at / "product");
      if (maker.empty() || product.rfind(maker, 0) == 0) return product;
      return product.empty() ? maker : maker + " " + product;
    }
    at = at.parent_path();
  }
  return {};
}

bool IsUnusedUart(const fs::path& entry) {
  std::error_code error;
  return fs::exists(entry / "type", error) && ReadLineOf(entry / "type") == "0";
}

}  // namespace

std::string ResolveDevicePath(const std::string& path) {
  std::error_code error;
  const fs::path resolved = fs::canonical(path, error);
  return error ? path : resolved.string();
}

std::vector<SystemSerialPort> ScanSystemSerialPorts(const SerialPortRoots& roots) {
  std::vector<SystemSerialPort> ports;
  std::error_code error;
  for (fs::directory_iterator it(roots.sysClassTty, error), end; !error && it != end;
       it.increment(error)) {
    const fs::path entry = it->path();
    std::error_code probe;
    if (!fs::exists(entry / "device", probe) || IsUnusedUart(entry)) continue;
    SystemSerialPort port;
    port.name = entry.filename().string();
    port.devicePath = (fs::path(roots.dev) / port.name).string();
    port.friendlyName = UsbName(entry / "device");
    ports.push_back(port);
  }
  // udev's stable names stand in where the device has no product string.
  for (fs::directory_iterator it(roots.byId, error), end; !error && it != end;
       it.increment(error)) {
    const std::string target = fs::path(ResolveDevicePath(it->path().string())).filename();
    for (SystemSerialPort& port : ports) {
      if (port.name == target && port.friendlyName.empty()) {
        port.friendlyName = it->path().filename().string();
      }
    }
  }
  std::sort(ports.begin(), ports.end(),
            [](const SystemSerialPort& a, const SystemSerialPort& b) { return a.name < b.name; });
  return ports;
}

}  // namespace rtv
