// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/MessagePanel.h"

#include <QPainter>

#include "platform/qt/QtFonts.h"

namespace rtv {

MessagePanel::MessagePanel(QWidget* parent) : QWidget(parent) {
  setMinimumWidth(100);
  setMinimumHeight(fontMetrics().height() + 4);
}

void MessagePanel::SetMessage(const QString& text, ColourValue textColour, ColourValue background) {
  text_ = text;
  textColour_ = textColour;
  background_ = background;
  update();
}

void MessagePanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(background_));
  painter.setPen(ToQColor(textColour_));
  painter.drawText(rect().adjusted(2, 0, -2, 0),
                   (centred_ ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter, text_);
}

}  // namespace rtv
