// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtFonts.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>
#include <optional>

namespace rtv {
namespace {

QPalette::ColorRole SystemRole(SystemColour colour) {
  switch (colour) {
    case SystemColour::Desktop:
    case SystemColour::AppWorkspace:
    case SystemColour::ButtonShadow:
      return QPalette::Dark;
    case SystemColour::ActiveCaption:
    case SystemColour::Highlight:
      return QPalette::Highlight;
    case SystemColour::InactiveCaption:
      return QPalette::Mid;
    case SystemColour::Menu:
    case SystemColour::ButtonFace:
      return QPalette::Button;
    case SystemColour::Window:
      return QPalette::Base;
    case SystemColour::WindowFrame:
    case SystemColour::DarkShadow3D:
      return QPalette::Shadow;
    case SystemColour::MenuText:
    case SystemColour::WindowText:
      return QPalette::Text;
    case SystemColour::CaptionText:
    case SystemColour::HighlightText:
      return QPalette::HighlightedText;
    case SystemColour::ButtonText:
    case SystemColour::InactiveCaptionText:
      return QPalette::ButtonText;
    case SystemColour::ButtonHighlight:
    case SystemColour::Light3D:
      return QPalette::Light;
    case SystemColour::InfoText:
      return QPalette::ToolTipText;
    case SystemColour::InfoBackground:
      return QPalette::ToolTipBase;
    default:
      return QPalette::Window;
  }
}

}  // namespace

QColor ToQColor(ColourValue value) {
  if (const std::optional<SystemColour> system = SystemColourOf(value)) {
    if (*system == SystemColour::GreyText) {
      return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
    }
    return QApplication::palette().color(QPalette::Active, SystemRole(*system));
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
