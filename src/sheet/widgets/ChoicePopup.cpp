// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/widgets/ChoicePopup.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "sheet/ModelSheet.h"

namespace rtv {
namespace {

constexpr int kRightOfCell = 8;

}  // namespace

ChoicePopup::ChoicePopup(const SheetServices& sheets, SheetModelHost& model,
                         const SheetViewServices& services, const std::string& listKey, int variant,
                         int value, int fontHeight, QWidget* owner)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint),
      sheet_(std::make_unique<ModelSheet>(sheets, model, sheets.overlay, listKey, variant, value)) {
  setWindowTitle(QApplication::applicationDisplayName());
  setAttribute(Qt::WA_DeleteOnClose, false);
  sheet_->SetEmbedded(true);
  // The list reads as part of the sheet it opens from, in the same size of letters.
  sheet_->SetFixedFontHeight(fontHeight);
  sheet_->Build();
  sheetView_ = new SheetView(*sheet_, services, this);
  sheetView_->controller().onChoose = [this](const Cell& chosen) {
    if (onChosen) onChosen(chosen);
  };
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
  layout->addWidget(sheetView_);
}

ChoicePopup::~ChoicePopup() {
  delete sheetView_;  // before the sheet it shows
}

void ChoicePopup::SetOwnerCell(const Cell* owner) {
  sheetView_->controller().ownerCell = owner;
  sheetView_->viewport()->update();
}

void ChoicePopup::ShowAt(const QRect& cell) {
  QScreen* screen = QGuiApplication::screenAt(cell.center());
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  // The sheet view's frame and the border come on top of the sheet's own size.
  const int frame = 2 * sheetView_->frameWidth() + 2 * kBorder;
  QSize size(sheet_->TotalWidth() + frame, sheet_->TotalHeight() + frame);
  const bool fits = size.width() <= area.width() && size.height() <= area.height();
  sheetView_->SetScrollBarsShown(!fits);
  if (!fits) {
    // Room for the scroll bars, within the work area.
    size = QSize(
        std::min(size.width() + sheetView_->verticalScrollBar()->sizeHint().width(), area.width()),
        std::min(size.height() + sheetView_->horizontalScrollBar()->sizeHint().height(),
                 area.height()));
  }
  QPoint at(cell.left() + kRightOfCell, cell.bottom() + 1);
  if (at.y() + size.height() > area.bottom() + 1) {
    at.setY(cell.top() - size.height() >= area.top() ? cell.top() - size.height()
                                                     : area.bottom() + 1 - size.height());
  }
  if (at.x() + size.width() > area.right() + 1) {
    at.setX(cell.left() - size.width() >= area.left() ? cell.left() - size.width()
                                                      : area.right() + 1 - size.width());
  }
  // A cell scrolled partly off the screen's top or left edge still opens a whole list.
  at.setX(std::max(at.x(), area.left()));
  at.setY(std::max(at.y(), area.top()));
  resize(size);
  move(at);
  show();
  sheetView_->setFocus(Qt::PopupFocusReason);
}

void ChoicePopup::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Shadow));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ChoicePopup::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    hide();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace rtv
