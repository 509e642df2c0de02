// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace rtv {

// Which optional sheets the tree shows: the region sheets follow the image's region flags;
// nodes of the other classes go unless their mode or model allows them.
struct OptionalSheets {
  bool usaChannels = false;
  bool canadianChannels = false;
  bool weatherChannels = false;
  bool modelSheets = true;    // class Flag4: not for model types 0 and 6
  bool makerSheets = false;   // class Flag0
  bool adjustSheets = false;  // class Flag6

  // The sheets for an image's region flags (USA, weather, CAN in bits 0–2), its model type
  // and the modes.
  static OptionalSheets For(std::uint8_t regionFlags, int modelType, bool makerMode,
                            bool adjustMode) {
    OptionalSheets sheets;
    sheets.usaChannels = (regionFlags & 0x01) != 0;
    sheets.weatherChannels = (regionFlags & 0x02) != 0;
    sheets.canadianChannels = (regionFlags & 0x04) != 0;
    sheets.modelSheets = modelType != 0 && modelType != 6;
    sheets.makerSheets = makerMode;
    sheets.adjustSheets = adjustMode;
    return sheets;
  }
};

}  // namespace rtv
