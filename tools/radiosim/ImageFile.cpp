// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageFile.h"

#include <cstring>

#include "CloneFileIo.h"
#include "SimRadio.h"

namespace radiosim {

bool LoadMemory(const std::string& path, Bytes& memory, std::string& error) {
  rtv::EepromImage image;
  image.SetSize(SimRadio::kMemorySize);
  const int code = rtv::tools::LoadCloneFile(path, {}, image);
  if (code != 0) {
    error =
        path + " is not a clone file of this radio (clone file error " + std::to_string(code) + ")";
    return false;
  }
  memory.assign(image.Data(), image.Data() + image.Size());
  return true;
}

bool SaveMemory(const std::string& path, const Bytes& memory, std::string& error) {
  rtv::EepromImage image;
  image.SetSize(SimRadio::kMemorySize);
  image.WriteBlock(0, memory.data(), static_cast<std::int32_t>(memory.size()));
  if (rtv::tools::SaveCloneFile(path, {}, image, true) != 0) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

Bytes DemoMemory() {
  Bytes memory(SimRadio::kMemorySize, 0);
  for (int a = 0; a < 0x2B60; ++a) {
    memory[static_cast<std::size_t>(a)] = static_cast<std::uint8_t>(a * 29 + a / 251);
  }
  std::memcpy(&memory[0x0EE0], "Vrel Inc", 8);
  memory[0x0EE9] = 0;  // model type
  memory[0x0EEA] = 1;  // valid image
  return memory;
}

}  // namespace radiosim
