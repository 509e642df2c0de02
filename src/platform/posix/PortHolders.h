// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace rtv {

// A process that has a device open.
struct PortHolder {
  int pid = 0;
  std::string name;  // the command name the kernel shows, such as "ModemManager"
};

// The other processes that have the device open, found as fuser does through the
// descriptor links under procRoot. Processes this user may not look into are not seen.
std::vector<PortHolder> FindPortHolders(const std::string& devicePath,
                                        const std::string& procRoot = "/proc");

// "/dev/ttyUSB0 is open in ModemManager (pid 812). Close it, or stop that service, and try
// again."; empty when there are no holders.
std::string DescribePortHolders(const std::string& devicePath,
                                const std::vector<PortHolder>& holders);

}  // namespace rtv
