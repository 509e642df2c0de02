#pragma once

#include <string>

namespace rtv {

// What the start page tells: the model, the file, the port and the radio read last.
struct StartFacts {
  std::string model;  // the model's name, region included
  std::string file;   // the full path, or the untitled name
  int portNumber = 0;
  std::string portDevice;  // the device the port number names; empty when none
  bool radioRead = false;  // a radio answered in this run
  std::string radioModel;
  int radioRevision = 0;
  std::string radioSerial;
};

}  // namespace rtv
