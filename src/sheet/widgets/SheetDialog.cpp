// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/widgets/SheetDialog.h"

#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "cells/FontMarkup.h"
#include "overlay/OverlayText.h"
#include "platform/qt/QtFonts.h"

namespace rtv {
namespace {

constexpr int kPanelBorder = 8;
constexpr int kBevel = 2;
constexpr int kButtonGap = 5;
constexpr int kExtraHeight = 10;

}  // namespace

SheetDialog::SheetDialog(std::unique_ptr<Sheet> sheet, const SheetViewServices& services,
                         OverlayText& overlay, const QString& caption, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      sheet_(std::move(sheet)) {
  setWindowTitle(caption);
  FontDesc font;
  ApplyFont(font, overlay.GetFirstLine("CellModel_BasicDialog"));
  setFont(ToQFont(font));
  sheet_->SetEmbedded(true);
  sheet_->Build();

  auto* panel = new QFrame;
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(kBevel);
  auto* inner = new QFrame(panel);
  inner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  inner->setLineWidth(kBevel);
  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->setContentsMargins(kPanelBorder, kPanelBorder, kPanelBorder, kPanelBorder);
  panelLayout->addWidget(inner);
  auto* innerLayout = new QVBoxLayout(inner);
  innerLayout->setContentsMargins(0, 0, 0, 0);
  sheetView_ = new SheetView(*sheet_, services, inner);
  sheetView_->SetScrollBarsShown(false);
  sheetView_->SetPlainUntilFocused(true);
  sheetView_->setMinimumSize(sheet_->TotalWidth(), sheet_->TotalHeight());
  innerLayout->addWidget(sheetView_);

  button_ =
      new QPushButton(QString::fromStdString(overlay.GetFirstLine("GI_AppInd_Button_OkCancel")));
  button_->setDefault(true);
  connect(button_, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, kButtonGap, kButtonGap);
  layout->setSpacing(kExtraHeight - kButtonGap);
  layout->addWidget(panel, 1);
  layout->addWidget(button_, 0, Qt::AlignRight);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

SheetDialog::~SheetDialog() {
  delete sheetView_;  // before the sheet it shows
}

void SheetDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  QWidget* owner = parentWidget();
  if (owner != nullptr) owner->window()->setEnabled(false);
  setEnabled(true);
  // Centred over the owner, inside the work area.
  QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const QRect over = owner != nullptr ? owner->window()->geometry() : area;
  QRect frame(QPoint(), size());
  frame.moveCenter(over.center());
  frame.moveLeft(
      std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - frame.width())));
  frame.moveTop(
      std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - frame.height())));
  move(frame.topLeft());
  button_->setFocus();
}

void SheetDialog::done(int result) {
  if (QWidget* owner = parentWidget()) {
    owner->window()->setEnabled(true);
    owner->activateWindow();
    owner->setFocus();
  }
  QDialog::done(result);
}

}  // namespace rtv
