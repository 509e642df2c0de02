#include "platform/qt/QtFonts.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>

namespace rtv {
namespace {

QPalette::ColorRole SystemRole(unsigned index) {
  switch (index) {
    case 1:
    case 12:
      return QPalette::Dark;  // desktop, application workspace
    case 2:
    case 13:
      return QPalette::Highlight;  // active caption, highlight
    case 3:
      return QPalette::Mid;  // inactive caption
    case 4:
    case 15:
      return QPalette::Button;  // menu, button face
    case 5:
      return QPalette::Base;  // window
    case 6:
    case 21:
      return QPalette::Shadow;  // window frame, 3D dark shadow
    case 7:
    case 8:
      return QPalette::Text;  // menu text, window text
    case 9:
    case 14:
      return QPalette::HighlightedText;  // caption text, highlight text
    case 16:
      return QPalette::Dark;  // button shadow
    case 18:
    case 19:
      return QPalette::ButtonText;  // button text
    case 20:
    case 22:
      return QPalette::Light;  // button highlight, 3D light
    case 23:
      return QPalette::ToolTipText;
    case 24:
      return QPalette::ToolTipBase;
    default:
      return QPalette::Window;
  }
}

}  // namespace

QColor ToQColor(ColourValue value) {
  if ((value & 0xFF000000u) == 0x80000000u) {
    const unsigned index = value & 0xFFu;
    if (index == 17) return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
    return QApplication::palette().color(QPalette::Active, SystemRole(index));
  }
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

QFont ToQFont(const FontDesc& desc) {
  QFont font = QApplication::font();
  if (!desc.face.empty()) font.setFamily(QString::fromStdString(desc.face));
  if (desc.height != 0) {
    // A negative height is the character height; a positive one includes the leading,
    // which the pixel size of a Qt font does not, so take a little off.
    const int pixels = desc.height < 0 ? -desc.height : desc.height * 7 / 8;
    font.setPixelSize(std::max(pixels, 1));
  } else if (desc.size > 0) {
    font.setPointSize(desc.size);
  }
  font.setBold((desc.style & FontDesc::kBold) != 0);
  font.setItalic((desc.style & FontDesc::kItalic) != 0);
  font.setUnderline((desc.style & FontDesc::kUnderline) != 0);
  font.setStrikeOut((desc.style & FontDesc::kStrikeOut) != 0);
  if (desc.pitch == 2) {
    font.setFixedPitch(true);
    font.setStyleHint(QFont::Monospace);
  }
  return font;
}

}  // namespace rtv
