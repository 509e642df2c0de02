// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/widgets/PainterCanvas.h"

#include <QPainter>

#include "platform/qt/QtFonts.h"

namespace rtv {

void PainterCanvas::SetFontColour(ColourValue colour) { text_ = colour; }

void PainterCanvas::FillRect(const CellRect& rect, ColourValue colour) {
  painter_.fillRect(QRect(QPoint(rect.left, rect.top), QPoint(rect.right, rect.bottom)),
                    ToQColor(colour));
}

void PainterCanvas::DrawLine(int x1, int y1, int x2, int y2, ColourValue colour) {
  painter_.save();
  painter_.setPen(ToQColor(colour));
  painter_.drawLine(x1, y1, x2, y2);
  painter_.restore();
}

}  // namespace rtv
