// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv {

// What the start page tells: the model, the file, the port and the radio read last.
struct StartFacts {
  std::string model;  // the model's name, region included
  std::string file;   // the full path, or the untitled name
  int portNumber = 0;
  std::string portDevice;  // the device the port number names; empty when none
  std::string portName;    // what the device says it is ("FT232R USB UART"); empty if unknown
  bool radioRead = false;  // a radio answered in this run
  std::string radioModel;
  int radioRevision = 0;
  std::string radioSerial;

  // "/dev/ttyUSB0, FT232R USB UART", or the device alone, or `none` without a device.
  std::string PortText(const std::string& none) const {
    if (portDevice.empty()) return none;
    return portName.empty() ? portDevice : portDevice + ", " + portName;
  }
};

}  // namespace rtv
