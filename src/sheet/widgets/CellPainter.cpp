// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/widgets/CellPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "cells/CellRequest.h"
#include "platform/qt/QtFonts.h"
#include "sheet/Sheet.h"
#include "sheet/widgets/PainterCanvas.h"

namespace rtv {
namespace {

// Marked cells are tinted so that they show at a glance.
const QColor kErrorTint(255, 80, 80, 70);
const QColor kWarningTint(255, 200, 0, 70);

constexpr ColourValue kWindow = ToColourValue(SystemColour::Window);
constexpr ColourValue kWhite = 0xFFFFFF;
constexpr ColourValue kSilver = 0xC0C0C0;
constexpr ColourValue kLineGrey = 0x808080;
constexpr ColourValue kPrintedShade = 0x606060;
// The marks' pictures among the images.
constexpr std::size_t kWarningPicture = 4;
constexpr std::size_t kErrorPicture = 5;

QColor Mix(const QColor& window, const QColor& text, int windowParts, int parts) {
  const auto channel = [&](int w, int t) { return (windowParts * w + t + parts / 2) / parts; };
  return QColor(channel(window.red(), text.red()), channel(window.green(), text.green()),
                channel(window.blue(), text.blue()));
}

ColourValue ToColourValue(const QColor& colour) {
  return static_cast<ColourValue>(colour.red()) | static_cast<ColourValue>(colour.green()) << 8 |
         static_cast<ColourValue>(colour.blue()) << 16;
}

}  // namespace

CellPainter::CellPainter(const Sheet& sheet, const std::vector<QIcon>* images)
    : sheet_(sheet), images_(images) {}

CellPainter::~CellPainter() = default;

const CellPainter::FontEntry& CellPainter::FontFor(const FontDesc& desc) {
  for (const auto& entry : fonts_) {
    if (entry->desc == desc) return *entry;
  }
  const QFont font = ToQFont(desc);
  fonts_.push_back(std::make_unique<FontEntry>(FontEntry{desc, font, QFontMetrics(font)}));
  return *fonts_.back();
}

void CellPainter::Paint(QPainter& painter, int column, int row, const QRect& rect,
                        const CellLook& look) {
  const Cell& cell = sheet_.CellAt(column, row).cell;
  const FontDesc& fontDesc = cell.font ? *cell.font : *sheet_.basicCell().font;
  const FontEntry& font = FontFor(fontDesc);
  const bool plain = cell.colour == kWindow || cell.colour == kWhite;

  const QColor window = ToQColor(kWindow);
  const QColor windowText = ToQColor(ToColourValue(SystemColour::WindowText));
  QColor background;
  bool paintBackground = true;
  if (look.printing) {
    background = plain ? QColor(Qt::white) : ToQColor(kPrintedShade);
  } else if (!look.selected || look.editing) {
    if (look.selectLine) {
      background = Mix(window, windowText, 7, 8);
    } else if (look.currentHeading) {
      background = Mix(window, windowText, 3, 4);
    } else {
      background = ToQColor(cell.colour);
      paintBackground = cell.colour != kWhite;
    }
  } else {
    background = look.focused ? ToQColor(ToColourValue(SystemColour::Highlight))
                              : Mix(window, windowText, 3, 4);
    // Inside a marked row the current cell is a darker shade, so the column shows.
    if (look.current) background = background.darker(150);
  }
  if (paintBackground) painter.fillRect(rect, background);

  // The text: the cell's own, or what the accessor shows for it.
  PainterCanvas canvas(painter, fontDesc.colour);
  std::string shown;
  std::uint8_t flags = 0;
  if (cell.cellLink != kCellLinkNone) {
    CellRequest request;
    request.cell = &cell;
    request.ownerCell = look.ownerCell;
    request.canvas = &canvas;
    request.cellRect = {rect.left(), rect.top(), rect.right(), rect.bottom()};
    request.resultFlags =
        static_cast<std::uint8_t>((look.selected ? CellRequest::kCallerSelected : 0) |
                                  (look.printing ? CellRequest::kCallerPrinting : 0));
    sheet_.Access(request, false);
    shown = std::move(request.displayText);
    flags = request.resultFlags;
  } else if (cell.text) {
    shown = *cell.text;
  }
  QColor text = ToQColor(canvas.textColour());
  if (look.printing) {
    text = plain ? QColor(Qt::black) : QColor(Qt::white);
  } else if (look.selected && !look.editing) {
    if (look.focused) {
      text = ToQColor(ToColourValue(SystemColour::HighlightText));
    } else {
      const ColourValue value = canvas.textColour();
      if (value == ToColourValue(SystemColour::ButtonFace) ||
          value == ToColourValue(SystemColour::GreyText) || value == kSilver ||
          ToColourValue(text) == ToColourValue(background)) {
        text = window;
      }
    }
  }

  // A marked cell is tinted, so that it shows at a glance and not only by its small mark.
  const bool marked = (flags & (CellRequest::kResultWarning | CellRequest::kResultError)) != 0;
  const bool error = (flags & CellRequest::kResultError) != 0;
  if (marked && !look.printing && (!look.selected || look.editing)) {
    painter.fillRect(rect, error ? kErrorTint : kWarningTint);
  }

  // Lines; on paper they are as thick as a screen pixel would be.
  const int lineWidth = look.printing ? std::max(1, static_cast<int>(sheet_.scale())) : 0;
  QColor lineColour = plain ? ToQColor(kLineGrey) : QColor(Qt::white);
  if (look.printing && plain) lineColour = Qt::black;
  painter.setPen(QPen(lineColour, lineWidth));
  const int inset = lineWidth / 2;
  if (cell.bottomLine) {
    painter.drawLine(rect.left(), rect.bottom() - inset, rect.right(), rect.bottom() - inset);
  }
  const bool spanned = rect.width() != sheet_.ColumnWidth(column);
  if (!spanned && cell.rightMark == Cell::kFullLine) {
    painter.drawLine(rect.right() - inset, rect.top(), rect.right() - inset, rect.bottom());
  } else if (!spanned && cell.rightMark == Cell::kQuarterPillar) {
    painter.drawLine(rect.right() - inset, rect.top() + rect.height() * 7 / 10,
                     rect.right() - inset, rect.bottom());
  }

  // Text, line by line, clipped to the cell.
  int textRight = rect.left();
  if (!shown.empty() && !look.editing) {
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setFont(font.font);
    painter.setPen(text);
    const int margin = static_cast<int>(std::lround(4 * sheet_.scale()));
    const int edge = static_cast<int>(std::lround(1 * sheet_.scale()));
    const QStringList lines =
        QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size())).split('\n');
    const int lineHeight = font.metrics.height();
    int y = rect.top() + edge;
    if (cell.verticalAlign == Cell::kBottom) y = rect.bottom() - lineHeight - edge;
    if (cell.verticalAlign == Cell::kMiddle) {
      y = (rect.bottom() + 1 - rect.top() - lineHeight) / 2 + rect.top();
    }
    for (const QString& line : lines) {
      const int width = font.metrics.horizontalAdvance(line);
      int x = rect.left() + margin;
      if (cell.horizontalAlign == Cell::kRight) x = rect.right() + 1 - width - margin;
      if (cell.horizontalAlign == Cell::kCentre) {
        x = (rect.right() + 1 - rect.left() - width) / 2 + rect.left();
      }
      x = std::max(x, rect.left());
      painter.drawText(x, y + font.metrics.ascent(), line);
      textRight = std::max(textRight, x + width);
      y += lineHeight;
    }
    painter.restore();
  }

  if (marked) {
    DrawMark(painter, rect, textRight, error, cell.horizontalAlign == Cell::kRight, look.printing);
  }

  // The current cell wears a frame, so that the keyboard's place shows in every marking mode.
  if (look.framed && !look.editing && !look.printing && cell.selectable) {
    painter.save();
    QPen pen(look.selected ? ToQColor(ToColourValue(SystemColour::HighlightText)) : windowText);
    pen.setWidth(std::max(1, static_cast<int>(std::lround(sheet_.scale()))));
    pen.setStyle(look.selected ? Qt::DotLine : Qt::SolidLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(1, 1, -2, -2));
    painter.restore();
  }
}

void CellPainter::DrawMark(QPainter& painter, const QRect& cell, int textRight, bool error,
                           bool rightAligned, bool printing) {
  const int size =
      printing ? std::max(4, cell.height() / 2) : std::max(4, std::min(16, cell.height() - 2));
  int x = rightAligned ? cell.left() + size / 8 : textRight + 2;
  x = std::min(x, cell.right() - size - 1);
  x = std::max(x, cell.left());
  const QRect box(x, cell.bottom() - 1 - size, size, size);
  painter.save();
  painter.setClipRect(cell, Qt::IntersectClip);
  painter.setRenderHint(QPainter::Antialiasing);
  const std::size_t picture = error ? kErrorPicture : kWarningPicture;
  if (!printing && images_ != nullptr && images_->size() > picture) {
    (*images_)[picture].paint(&painter, box);
  } else if (error) {
    const QColor ink = printing ? QColor(Qt::black) : QColor(200, 0, 0);
    painter.setPen(QPen(ink, std::max(2, size / 5)));
    painter.drawLine(box.topLeft() + QPoint(2, 2), box.bottomRight() - QPoint(2, 2));
    painter.drawLine(box.topRight() + QPoint(-2, 2), box.bottomLeft() + QPoint(2, -2));
  } else {
    QPainterPath triangle;
    triangle.moveTo(box.center().x(), box.top());
    triangle.lineTo(box.right(), box.bottom());
    triangle.lineTo(box.left(), box.bottom());
    triangle.closeSubpath();
    painter.fillPath(triangle, printing ? QColor(Qt::white) : QColor(240, 190, 0));
    painter.setPen(QPen(Qt::black, printing ? std::max(1, size / 12) : 1));
    if (printing) painter.drawPath(triangle);
    painter.drawLine(box.center().x(), box.top() + size / 3, box.center().x(),
                     box.bottom() - size / 4);
  }
  painter.restore();
}

}  // namespace rtv
