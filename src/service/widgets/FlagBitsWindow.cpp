// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/widgets/FlagBitsWindow.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "overlay/OverlayText.h"
#include "radio/DebugItems.h"
#include "sheet/Sheet.h"
#include "sheet/widgets/SheetPane.h"

namespace rtv {

std::vector<std::string> FlagBitsWindow::SheetLines(int count) {
  std::string heading = "|";
  std::string bits = "|";
  for (int item = 0; item < count; ++item) {
    if (item > 0) {
      heading += "|";
      bits += "{($iQp)}|";
    }
    heading += "{($iChI)}" + std::to_string(item) + "|";
    bits += "{($eWh)^(%CL_FBits[" + std::to_string(item + 1) + "])}9|";
  }
  return {"#GI_Sheet_FBitsR_Style",
          "(FixedCols=1)(FixedRows=1)",
          "#GI_Sheet_FBitsR_BasicCell",
          "{($Basic)(PopupMenu=GI_PMenu_NoItem)}",
          "#GI_Sheet_FBitsR_Cells",
          "",
          heading,
          "",
          bits,
          "",
          "",
          "#",
          "#CellModel_iChI",
          "^-WH(Color=clGray)(Font=,,clWhite,,,fsBold,)",
          "#CellModel_eWh",
          "S<_WHB",
          "#CellModel_iQp",
          "(%CT_Null.CL_Misc_QuarterPillar)",
          "#CellModel_Basic",
          "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)(PopupMenu=GI_PMenu_Edit)",
          "#GI_PMenu_NoItem_BasicCell",
          "{($Basic)}",
          "#GI_PMenu_NoItem_Body",
          "+No item\t{(%CT_PopupMenu.CL_PMenu_NoItem)}",
          "#",
          "#GI_PMenu_Edit_BasicCell",
          "{($Basic)(%CT_PopupMenu.)}",
          "#End_Of_Ovl",
          ""};
}

FlagBitsWindow::FlagBitsWindow(QWidget* owner, const SheetServices& sheets,
                               const GridServices& grids)
    : QWidget(owner, Qt::Window), store_(std::make_unique<OverlayText>()) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(tr("Flag Bits %1").arg(DebugItems::kFlagBitsAddress, 4, 16, QChar('0')).toUpper());
  store_->SetLines(SheetLines(DebugItems::kFlagBits));
  pane_ = new SheetPane(std::make_unique<Sheet>(sheets, *store_, kSheetName), grids, this);
  close_ = new QPushButton(tr("Close"), this);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pane_, 1);
  layout->addWidget(close_, 0, Qt::AlignRight);
  if (pane_->grid() != nullptr) {
    resize(pane_->grid()->sizeHint().width() + 40, pane_->grid()->sizeHint().height() + 80);
  }
}

FlagBitsWindow::~FlagBitsWindow() {
  delete pane_;  // before the lines its sheet was built from
}

}  // namespace rtv
