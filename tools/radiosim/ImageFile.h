// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "SimFrames.h"

namespace radiosim {

// The radio's memory from a clone file and back; false with a reason when that fails.
// Saving replaces the file only once the new one is complete.
bool LoadMemory(const std::string& path, Bytes& memory, std::string& error);
bool SaveMemory(const std::string& path, const Bytes& memory, std::string& error);

// Memory that passes the program's checks, with every kind of byte in the clone area.
Bytes DemoMemory();

}  // namespace radiosim
