// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "base/Colour.h"

namespace rtv {

// The status bar's first panel: a text in its own colours, left-aligned and vertically
// centred.
class MessagePanel : public QWidget {
  Q_OBJECT

 public:
  explicit MessagePanel(QWidget* parent = nullptr);
  void SetMessage(const QString& text, ColourValue textColour, ColourValue background);
  const QString& Text() const { return text_; }
  // Centred both ways instead of left-aligned (the maker panel).
  void SetCentred(bool centred) { centred_ = centred; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  bool centred_ = false;
  ColourValue textColour_ = ToColourValue(SystemColour::WindowText);
  ColourValue background_ = ToColourValue(SystemColour::ButtonFace);
};

}  // namespace rtv
