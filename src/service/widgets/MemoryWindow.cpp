// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/widgets/MemoryWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Message.h"
#include "base/MessageBus.h"
#include "cells/Cell.h"
#include "overlay/OverlayText.h"
#include "radio/DebugItems.h"
#include "radio/EepromImage.h"
#include "service/ByteValueText.h"
#include "sheet/Sheet.h"
#include "sheet/widgets/SheetPane.h"

namespace rtv {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

MemoryWindow::MemoryWindow(QWidget* owner, std::unique_ptr<Sheet> sheet,
                           const SheetViewServices& services, OverlayText& overlay,
                           const EepromImage& image, MessageBus& bus)
    : QWidget(owner, Qt::Window),
      image_(image),
      bus_(bus),
      pane_(new SheetPane(std::move(sheet), services)),
      close_(new QPushButton(Q(overlay.GetLine("GI_AppInd_Button_OkCancel", 0)))),
      takeReference_(new QPushButton(tr("Set Comp"))),
      redraw_(new QPushButton(tr("Redraw"))),
      label_(new QLabel) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(Q(overlay.GetFirstLine("GI_Sys_AppTitle")));
  label_->setTextFormat(Qt::PlainText);
  // Two lines always, so that the row of buttons keeps its height.
  label_->setText("\n");
  auto* buttons = new QHBoxLayout;
  int width = 0;
  for (QPushButton* button : {close_, takeReference_, redraw_}) {
    width = std::max(width, button->sizeHint().width());
    buttons->addWidget(button);
  }
  for (QPushButton* button : {close_, takeReference_, redraw_}) button->setFixedWidth(width);
  buttons->addSpacing(width / 4);
  buttons->addWidget(label_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pane_, 1);
  layout->addLayout(buttons);
  pane_->setParent(this);

  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  connect(takeReference_, &QPushButton::clicked, this, [this] {
    bus_.Send(msg::TakeReference{});
    bus_.Send(msg::DataChanged{});
  });
  connect(redraw_, &QPushButton::clicked, this, [this] { bus_.Send(msg::DataChanged{}); });
  subscription_ = bus_.Subscribe([this](const Message& message) {
    std::visit(
        Overloaded{[this](const msg::DebugGoToAddress& m) { GoTo(m.address); },
                   [this](const msg::CurrentCellChanged&) { ShowSelectedValue(); },
                   // after every input into a cell
                   [this](const msg::RefreshMenuStates&) { ShowSelectedValue(); },
                   [this](const msg::DataChanged&) { ShowSelectedValue(); }, [](const auto&) {}},
        message);
  });
  // Wide enough for the whole row of sixteen bytes.
  if (pane_->sheetView() != nullptr) {
    resize(std::max(pane_->sheetView()->sizeHint().width() + 40, 400), 480);
  }
  ShowSelectedValue();
}

MemoryWindow::~MemoryWindow() = default;

std::optional<int> MemoryWindow::SelectedAddress() const {
  const Cell* cell = pane_->sheetView() != nullptr ? pane_->sheetView()->CurrentCell() : nullptr;
  if (cell == nullptr) return std::nullopt;
  return DebugItems::ByteAddress(cell->cellLink, cell->index);
}

void MemoryWindow::GoTo(int address) {
  SheetView* sheetView = pane_->sheetView();
  if (sheetView == nullptr || address < 0 || address >= image_.Size()) return;
  const int column = address % DebugItems::kBytesPerRow * kColumnsPerByte + kHeadingColumns;
  const int row = address / DebugItems::kBytesPerRow + kHeadingRows;
  if (column >= pane_->sheet().columnCount() || row >= pane_->sheet().rowCount()) return;
  sheetView->controller().SelectCell(column, row, true);
  sheetView->ShowCell(column, row, false, false);
  ShowSelectedValue();
}

void MemoryWindow::ShowSelectedValue() {
  const std::optional<int> address = SelectedAddress();
  label_->setText(address ? Q(ByteValueText::Of(image_, *address)) : QString("\n"));
}

}  // namespace rtv
