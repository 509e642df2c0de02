// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShippedData.h"

namespace rtv::test {

std::string DataFile(std::string_view name) { return std::string(RTV_DATA_DIR "/").append(name); }

std::string InitialFolder() { return RTV_INITIAL_DIR; }

std::string InitialFile(std::string_view name) {
  return std::string(RTV_INITIAL_DIR "/").append(name);
}

}  // namespace rtv::test
