// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "radio/EepromImage.h"

namespace rtv::initial {

// The default memory of a model type: its channel plans, written row by row through the
// program's own row store, and plausible settings.
EepromImage MakeInitialImage(int modelType);

}  // namespace rtv::initial
