// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "radio/EepromImage.h"

namespace rtv::tools {

// The simulator's own clone file code: kept apart from the program's reader and writer on
// purpose, so that the end-to-end tests do not check the program against itself.
struct CloneFileFormat {
  std::uint16_t modelCode = 0x3974;
  std::uint16_t extensionCode = 0x0001;
};

// Reads a clone file into image (its size kept) with map revision 1 and coverage of
// 0x0000-0x2B5F. Returns the clone file result code (0 success); a failed read leaves the
// image as it was.
int LoadCloneFile(const std::string& path, const CloneFileFormat& format, EepromImage& image);
// Writes 0x0000-0x2B5F of image with the comment the program would give it. Returns the
// result code; the file is then complete, or absent. Without overwrite an existing file
// is left alone and the result is 1.
int SaveCloneFile(const std::string& path, const CloneFileFormat& format, const EepromImage& image,
                  bool overwrite);

}  // namespace rtv::tools
