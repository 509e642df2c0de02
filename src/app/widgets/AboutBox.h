// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>

namespace rtv {

class OverlayText;

// Help > About: the program's name, revision and maker. Every character typed while it is
// open is passed on (the service word is typed here).
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  using KeyTyped = std::function<void(char character)>;

  AboutBox(QWidget* owner, OverlayText& overlay, KeyTyped onKey);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  KeyTyped onKey_;
};

}  // namespace rtv
