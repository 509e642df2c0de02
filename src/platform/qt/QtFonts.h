#pragma once

#include <QColor>
#include <QFont>

#include "base/FontDesc.h"

namespace rtv {

// 0x00BBGGRR to QColor; system colours 0x800000nn through the application palette.
QColor ToQColor(ColourValue value);
QFont ToQFont(const FontDesc& desc);

}  // namespace rtv
