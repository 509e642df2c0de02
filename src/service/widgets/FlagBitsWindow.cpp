// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/widgets/FlagBitsWindow.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "overlay/OverlayText.h"
#include "radio/DebugItems.h"
#include "radio/MemoryLayout.h"
#include "service/FlagBitsSheet.h"
#include "sheet/Sheet.h"
#include "sheet/widgets/SheetPane.h"

namespace rtv {

FlagBitsWindow::FlagBitsWindow(QWidget* owner, const SheetServices& sheets,
                               const SheetViewServices& viewServices)
    : QWidget(owner, Qt::Window), store_(std::make_unique<OverlayText>()) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(tr("Flag Bits %1").arg(MemoryLayout::kRegionFlags, 4, 16, QChar('0')).toUpper());
  store_->SetLines(FlagBitsSheet::Lines(DebugItems::kFlagBits));
  pane_ = new SheetPane(std::make_unique<Sheet>(sheets, *store_, FlagBitsSheet::kSheetName),
                        viewServices, this);
  close_ = new QPushButton(tr("Close"), this);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pane_, 1);
  layout->addWidget(close_, 0, Qt::AlignRight);
  if (pane_->sheetView() != nullptr) {
    resize(pane_->sheetView()->sizeHint().width() + 40,
           pane_->sheetView()->sizeHint().height() + 80);
  }
}

FlagBitsWindow::~FlagBitsWindow() {
  delete pane_;  // before the lines its sheet was built from
}

}  // namespace rtv
