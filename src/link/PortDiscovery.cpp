// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/PortDiscovery.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

#include "base/SettingsStore.h"

namespace rtv {
namespace {

struct Family {
  const char* prefix;
  int firstNumber;
  // The kernel makes ttyS0-31 nodes whether or not a UART is behind them; only the sysfs
  // scan can tell, so a bare node of this family is no port.
  bool nodeMeansHardware;
};
constexpr Family kFamilies[] = {{"ttyS", 1, false}, {"ttyUSB", 33, true}, {"ttyACM", 65, true}};
constexpr int kFamilySize = 32;

// Leading decimal digits of text from position at, or -1 when there are none; large
// numbers stop growing instead of overflowing.
int LeadingNumber(const std::string& text, std::size_t at) {
  if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) return -1;
  int value = 0;
  for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
    value = std::min(value * 10 + (text[at] - '0'), 100000000);
  }
  return value;
}

// The number that the fixed convention gives a device name such as "ttyUSB3", or 0.
int ConventionNumber(const std::string& name) {
  for (const Family& family : kFamilies) {
    const std::string prefix = family.prefix;
    if (name.rfind(prefix, 0) != 0) continue;
    const int index = LeadingNumber(name, prefix.size());
    if (index < 0 || std::to_string(index) != name.substr(prefix.size())) return 0;
    return index < kFamilySize ? family.firstNumber + index : 0;
  }
  return 0;
}

// The "Port Map" entries: number to device path.
std::map<int, std::string> PortMap(const PortEnvironment& env) {
  std::map<int, std::string> map;
  if (env.settings == nullptr) return map;
  for (const std::string& name : env.settings->ValueNames(kPortMapGroup)) {
    if (name.rfind("COM", 0) != 0) continue;
    const int number = LeadingNumber(name, 3);
    if (number < 1 || number > kMaxPortNumber || std::to_string(number) != name.substr(3)) {
      continue;
    }
    const auto path = env.settings->ReadString(kPortMapGroup, name);
    if (path && !path->empty()) map[number] = *path;
  }
  return map;
}

bool Exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

struct KnownPort {
  std::string path;
  std::string friendlyName;
};

// The ports of the system under their numbers. A device that a "Port Map" entry reaches
// is listed under that number only, so that it does not show up twice.
std::map<int, KnownPort> KnownPorts(const PortEnvironment& env, bool hardwareOnly) {
  std::map<int, KnownPort> ports;
  const std::map<int, std::string> map = PortMap(env);
  std::map<std::string, int> mappedDevices;
  for (const auto& [number, path] : map) {
    if (Exists(path)) mappedDevices[ResolveDevicePath(path)] = number;
  }
  const std::vector<SystemSerialPort> system = ScanSystemSerialPorts(env.roots);
  for (const SystemSerialPort& port : system) {
    const auto mapped = mappedDevices.find(ResolveDevicePath(port.devicePath));
    if (mapped != mappedDevices.end()) {
      ports[mapped->second] = {map.at(mapped->second), port.friendlyName};
      continue;
    }
    const int number = ConventionNumber(port.name);
    if (number != 0 && map.count(number) == 0) ports[number] = {port.devicePath, port.friendlyName};
  }
  for (const auto& [number, path] : map) {
    if (ports.count(number) == 0 && Exists(path)) ports[number] = {path, ""};
  }
  if (!hardwareOnly) {
    for (const Family& family : kFamilies) {
      if (!family.nodeMeansHardware) continue;
      for (int index = 0; index < kFamilySize; ++index) {
        const int number = family.firstNumber + index;
        const std::string path = env.roots.dev + "/" + family.prefix + std::to_string(index);
        if (ports.count(number) == 0 && map.count(number) == 0 && Exists(path)) {
          ports[number] = {path, ""};
        }
      }
    }
  }
  return ports;
}

void ListNumbers(std::vector<std::string>& list, const std::map<int, KnownPort>& ports) {
  list.clear();
  for (const auto& entry : ports) list.push_back(std::to_string(entry.first));
}

}  // namespace

std::string PortDevicePath(int number, const PortEnvironment& env) {
  const std::map<int, std::string> map = PortMap(env);
  const auto mapped = map.find(number);
  if (mapped != map.end()) return mapped->second;
  for (const Family& family : kFamilies) {
    if (number >= family.firstNumber && number < family.firstNumber + kFamilySize) {
      return env.roots.dev + "/" + family.prefix + std::to_string(number - family.firstNumber);
    }
  }
  return {};
}

int PortNumberOfPath(const std::string& path, const PortEnvironment& env) {
  const std::string device = ResolveDevicePath(path);
  for (const auto& [number, mappedPath] : PortMap(env)) {
    if (mappedPath == path || ResolveDevicePath(mappedPath) == device) return number;
  }
  const std::filesystem::path resolved(device);
  if (resolved.parent_path() != std::filesystem::path(env.roots.dev)) return 0;
  return ConventionNumber(resolved.filename().string());
}

void ListSerialCommPorts(std::vector<std::string>& list, const PortEnvironment& env) {
  ListNumbers(list, KnownPorts(env, true));
}

void ListDosComPorts(std::vector<std::string>& list, const PortEnvironment& env) {
  ListNumbers(list, KnownPorts(env, false));
}

void ListFriendlyPorts(const std::vector<std::string>& numbers, std::vector<std::string>& list,
                       const PortEnvironment& env) {
  list.clear();
  std::vector<int> wanted;
  for (const std::string& text : numbers) wanted.push_back(std::max(LeadingNumber(text, 0), 0));
  for (const auto& [number, port] : KnownPorts(env, false)) {
    if (std::find(wanted.begin(), wanted.end(), number) == wanted.end()) continue;
    const std::string name = port.friendlyName.empty() ? "Serial port" : port.friendlyName;
    list.push_back(std::to_string(number) + ": " + name + " (" + port.path + ")");
  }
  std::stable_sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
    return PortNumberOf(a) < PortNumberOf(b);
  });
}

int PortNumberOf(const std::string& text) {
  const std::size_t at = text.rfind("COM", 0) == 0 ? 3 : 0;
  return std::max(LeadingNumber(text, at), 0);
}

}  // namespace rtv
