// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtTextMetrics.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>

#include "platform/qt/QtFonts.h"

namespace rtv {

int QtTextMetrics::TextWidth(const FontDesc& font, std::string_view text) const {
  const QFontMetrics metrics(ToQFont(font));
  int widest = 0;
  for (const QString& line :
       QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).split('\n')) {
    widest = std::max(widest, metrics.horizontalAdvance(line));
  }
  return widest;
}

int QtTextMetrics::TextHeight(const FontDesc& font, std::string_view text) const {
  const QFontMetrics metrics(ToQFont(font));
  const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
  return metrics.height() * static_cast<int>(lines);
}

}  // namespace rtv
