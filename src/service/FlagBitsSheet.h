// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace rtv {

// The flag-bits window's sheet: written by the program itself rather than read from the
// overlay file, one cell a bit of the region and function flags.
class FlagBitsSheet {
 public:
  static constexpr const char* kSheetName = "GI_Sheet_FBitsR";

  // The sheet's entries for `count` items numbered 0 … count − 1, whose cells are bound
  // to the flag bits 1 … count, ended as every line array must be.
  static std::vector<std::string> Lines(int count);
};

}  // namespace rtv
