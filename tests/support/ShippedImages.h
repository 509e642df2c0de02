// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "overlay/OverlayText.h"
#include "radio/EepromImage.h"

namespace rtv::test {

// Reads a clone file of this radio (an initial file of the build) into `image`, normalised
// as the program does after loading; false when it cannot be read.
bool ReadShippedImage(OverlayText& overlay, const std::string& path, int modelType,
                      EepromImage& image);

}  // namespace rtv::test
