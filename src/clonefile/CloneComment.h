// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "radio/EepromImage.h"

namespace rtv {

// The comment a saved clone file carries: the image's 16-character clone comment, each
// byte outside 32-126 a space, trailing blanks removed.
std::string CloneCommentOf(const EepromImage& image);

}  // namespace rtv
