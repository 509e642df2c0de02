// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/widgets/ProgressWindow.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QPainter>

namespace rtv {
namespace {

class SegmentBox : public QWidget {
 public:
  SegmentBox(QWidget* parent, std::function<int()> lit) : QWidget(parent), lit_(std::move(lit)) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QColor lit = palette().color(QPalette::Highlight);
    const QColor unlit = palette().color(QPalette::Base);
    const int count = lit_ ? lit_() : 0;
    const int w = (width() + 1) / ProgressWindow::kSegments;
    painter.fillRect(rect(), unlit);
    for (int i = 0; i < ProgressWindow::kSegments; ++i) {
      // Each segment leaves its last column in the window colour as a gap.
      painter.fillRect(QRect(w * i, 0, w - 1, height()), i < count ? lit : unlit);
    }
  }

 private:
  std::function<int()> lit_;
};

}  // namespace

ProgressWindow::ProgressWindow(QWidget* owner, std::function<int()> lit)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      owner_(owner),
      panel_(new QFrame(this)),
      box_(new SegmentBox(panel_, std::move(lit))) {
  panel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel_->setLineWidth(kBevel);
  panel_->setGeometry(kMarginX, kMarginY, kBoxWidth + 2 * kBevel, kBoxHeight + 2 * kBevel);
  box_->setGeometry(kBevel, kBevel, kBoxWidth, kBoxHeight);
  setFixedSize(kBoxWidth + 2 * kBevel + 2 * kMarginX, kBoxHeight + 2 * kBevel + 4 * kMarginY);
}

void ProgressWindow::ShowCentred(const QString& caption) {
  setWindowTitle(caption);
  if (owner_ != nullptr) {
    const QRect frame = owner_->frameGeometry();
    move(frame.center() - QPoint(width() / 2, height() / 2));
  }
  show();
}

void ProgressWindow::closeEvent(QCloseEvent* event) { event->ignore(); }

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
  // Escape would close a tool window on some platforms; nothing here may end the exchange.
  event->accept();
}

}  // namespace rtv
