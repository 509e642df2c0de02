#include "ImageFile.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "SimRadio.h"

namespace radiosim {

// Raw memory images for now: the bytes from address 0 on.
bool LoadMemory(const std::string& path, Bytes& memory, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() > static_cast<std::size_t>(SimRadio::kMemorySize)) {
    error = path + " is larger than the radio's memory";
    return false;
  }
  bytes.resize(SimRadio::kMemorySize, 0);
  memory = bytes;
  return true;
}

bool SaveMemory(const std::string& path, const Bytes& memory, std::string& error) {
  const std::string temporary = path + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(memory.data()),
              static_cast<std::streamsize>(memory.size()));
    out.close();
    if (!out) {
      std::remove(temporary.c_str());
      error = "cannot write " + temporary;
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    error = "cannot replace " + path;
    return false;
  }
  return true;
}

Bytes DemoMemory() {
  Bytes memory(SimRadio::kMemorySize, 0);
  for (int a = 0; a < 0x2B60; ++a)
    memory[static_cast<std::size_t>(a)] = static_cast<std::uint8_t>(a * 29 + a / 251);
  std::memcpy(&memory[0x0EE0], "Vrel Inc", 8);
  memory[0x0EE9] = 0;  // model type
  memory[0x0EEA] = 1;  // valid image
  return memory;
}

}  // namespace radiosim
