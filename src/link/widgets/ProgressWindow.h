// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>

class QFrame;

namespace rtv {

// The bar of 32 segments that a clone read or write lights as the data moves. The user
// cannot close it; the exchange does when it ends.
class ProgressWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSegments = 32;
  static constexpr int kBoxWidth = 256;
  static constexpr int kBoxHeight = 16;
  static constexpr int kBevel = 1;
  static constexpr int kMarginX = 16;
  static constexpr int kMarginY = 8;

  // lit: the number of segments to light now.
  ProgressWindow(QWidget* owner, std::function<int()> lit);

  // Shown centred on the owner.
  void ShowCentred(const QString& caption);
  QWidget* PaintBox() const { return box_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* owner_;
  QFrame* panel_;
  QWidget* box_;
};

}  // namespace rtv
