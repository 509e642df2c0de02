// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/widgets/ProgressWindow.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QWindow>
#include <algorithm>

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

ProgressWindow::ProgressWindow(QWidget* owner, Content content)
    // Not a child of the owner: that is disabled while the exchange runs, and Cancel must
    // still take clicks. Modal instead, and kept above the owner.
    : QWidget(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      owner_(owner),
      content_(std::move(content)),
      activity_(new QLabel(this)),
      panel_(new QFrame(this)),
      box_(new SegmentBox(panel_, content_.lit)),
      detail_(new QLabel(this)),
      cancelButton_(new QPushButton(content_.cancelText, this)) {
  const int panelWidth = kBoxWidth + 2 * kBevel;
  const int lineHeight = activity_->fontMetrics().height();
  activity_->setGeometry(kMarginX, kMarginY, panelWidth, lineHeight);
  panel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel_->setLineWidth(kBevel);
  panel_->setGeometry(kMarginX, activity_->geometry().bottom() + 1 + kMarginY, panelWidth,
                      kBoxHeight + 2 * kBevel);
  box_->setGeometry(kBevel, kBevel, kBoxWidth, kBoxHeight);
  detail_->setGeometry(kMarginX, panel_->geometry().bottom() + 1 + kMarginY, panelWidth,
                       lineHeight);
  const QSize button = cancelButton_->sizeHint();
  cancelButton_->setGeometry(kMarginX + panelWidth - button.width(),
                             detail_->geometry().bottom() + 1 + kMarginY, button.width(),
                             button.height());
  setFixedSize(panelWidth + 2 * kMarginX, cancelButton_->geometry().bottom() + 1 + kMarginY);
  connect(cancelButton_, &QPushButton::clicked, this, &ProgressWindow::RequestCancel);
  setWindowModality(Qt::ApplicationModal);
  Refresh();
}

void ProgressWindow::ShowCentred(const QString& caption) {
  setWindowTitle(caption);
  // Room for the whole title beside the window manager's buttons; Qt adds the program's
  // name to the title bar as it does for every window.
  const QString program = QGuiApplication::applicationDisplayName();
  const QString shown = program.isEmpty() || caption.contains(program)
                            ? caption
                            : caption + QStringLiteral(" \u2014 ") + program;
  WidenToFit(fontMetrics().horizontalAdvance(shown) + kTitleDecorationWidth);
  if (owner_ != nullptr) {
    const QRect frame = owner_->frameGeometry();
    move(frame.center() - QPoint(width() / 2, height() / 2));
    winId();  // the native window, so that it can stay with the owner's
    if (owner_->windowHandle() != nullptr) {
      windowHandle()->setTransientParent(owner_->windowHandle());
    }
  }
  show();
  cancelButton_->setFocus();
}

void ProgressWindow::Refresh() {
  if (content_.activity) activity_->setText(content_.activity());
  if (content_.detail) detail_->setText(content_.detail());
  WidenToFit(std::max(activity_->sizeHint().width(), detail_->sizeHint().width()));
  box_->update();
}

void ProgressWindow::WidenToFit(int textWidth) {
  // Only ever wider, so that the window does not twitch as the numbers change.
  if (textWidth <= activity_->width()) return;
  activity_->resize(textWidth, activity_->height());
  detail_->resize(textWidth, detail_->height());
  cancelButton_->move(kMarginX + textWidth - cancelButton_->width(), cancelButton_->y());
  setFixedSize(textWidth + 2 * kMarginX, height());
}

void ProgressWindow::RequestCancel() {
  // Once is enough: the exchange is ending and the window goes with it.
  if (cancelRequested_) return;
  cancelRequested_ = true;
  cancelButton_->setEnabled(false);
  if (content_.cancel) content_.cancel();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  // The window closes when the exchange has ended; asking to close stops it.
  event->ignore();
  RequestCancel();
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) RequestCancel();
  event->accept();
}

}  // namespace rtv
