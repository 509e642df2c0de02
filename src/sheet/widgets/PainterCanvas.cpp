#include "sheet/widgets/PainterCanvas.h"

#include <QPainter>

#include "platform/qt/QtFonts.h"

namespace rtv {

void PainterCanvas::SetFontColor(ColorValue colour) { text_ = colour; }

void PainterCanvas::FillRect(const CellRect& rect, ColorValue colour) {
  painter_.fillRect(QRect(QPoint(rect.left, rect.top), QPoint(rect.right, rect.bottom)),
                    ToQColor(colour));
}

void PainterCanvas::DrawLine(int x1, int y1, int x2, int y2, ColorValue colour) {
  painter_.save();
  painter_.setPen(ToQColor(colour));
  painter_.drawLine(x1, y1, x2, y2);
  painter_.restore();
}

}  // namespace rtv
