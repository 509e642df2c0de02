// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace rtv {

// What the buttons of the adjustment window do.
struct AdjustWindowActions {
  std::function<void()> update;      // read every value from the radio
  std::function<void(int)> readOne;  // read one value (0 or 1) into the image
  std::function<void()> closed;      // the window went away
};

}  // namespace rtv
