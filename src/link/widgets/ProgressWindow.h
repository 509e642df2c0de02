// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

namespace rtv {

// What a clone read or write is doing: a line naming it and the port, the bar of 32
// segments that lights as the data moves, the bytes, percent and time left, and Cancel.
// Cancel, Escape and the window's close button all stop the exchange; the window itself
// goes when the exchange has ended.
class ProgressWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSegments = 32;
  static constexpr int kBoxWidth = 256;
  static constexpr int kBoxHeight = 16;
  static constexpr int kBevel = 1;
  static constexpr int kMarginX = 16;
  static constexpr int kMarginY = 8;
  // What a window manager's title bar takes besides the title: its icon and buttons.
  static constexpr int kTitleDecorationWidth = 120;

  struct Content {
    std::function<int()> lit;           // the number of segments to light now
    std::function<QString()> activity;  // "Reading from the radio on /dev/ttyUSB0"
    std::function<QString()> detail;    // "5,120 of 11,104 bytes (46%), about 2 s left"
    std::function<void()> cancel;       // stops the exchange
    QString cancelText = "Cancel";
  };

  ProgressWindow(QWidget* owner, Content content);

  // Shown centred on the owner.
  void ShowCentred(const QString& caption);
  // Paints the bar and updates the texts.
  void Refresh();
  QWidget* PaintBox() const { return box_; }
  QLabel* ActivityLabel() const { return activity_; }
  QLabel* DetailLabel() const { return detail_; }
  QPushButton* CancelButton() const { return cancelButton_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void RequestCancel();
  // Widens the texts, and the window with them, to hold textWidth pixels.
  void WidenToFit(int textWidth);

  QWidget* owner_;
  Content content_;
  QLabel* activity_;
  QFrame* panel_;
  QWidget* box_;
  QLabel* detail_;
  QPushButton* cancelButton_;
  bool cancelRequested_ = false;
};

}  // namespace rtv
