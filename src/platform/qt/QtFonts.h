// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>

#include "base/FontDesc.h"

namespace rtv {

// A plain colour as it is; a system colour through the application palette.
QColor ToQColor(ColourValue value);
QFont ToQFont(const FontDesc& desc);

}  // namespace rtv
