// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/widgets/PrintProgressWindow.h"

#include <QLabel>
#include <QPushButton>

#include "overlay/OverlayText.h"

namespace rtv {
namespace {

QString Line(OverlayText& overlay, int line) {
  const std::string text = overlay.GetLine(PrintProgressWindow::kTextsKey, line);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PrintProgressWindow::PrintProgressWindow(OverlayText& overlay, QWidget* parent)
    : QDialog(parent),
      label_(new QLabel(Line(overlay, 1), this)),
      button_(new QPushButton(Line(overlay, 2), this)) {
  setWindowTitle(Line(overlay, 0));
  button_->setDefault(true);
  connect(button_, &QPushButton::clicked, this, &PrintProgressWindow::reject);
  // Sized from the label: the button a little wider, the window twice as wide, and three
  // label-and-button heights high with the button near the bottom.
  const QSize label = label_->sizeHint();
  const int buttonWidth = label.width() * 6 / 5;
  const int buttonHeight = button_->sizeHint().height();
  const int width = 2 * label.width();
  const int height = 3 * (label.height() + buttonHeight);
  setFixedSize(width, height);
  label_->setGeometry((width - label.width()) / 2, 2 * label.height(), label.width(),
                      label.height());
  button_->setGeometry((width - buttonWidth) / 2, height - buttonHeight * 3 / 2, buttonWidth,
                       buttonHeight);
}

void PrintProgressWindow::reject() {
  // Escape and the button both ask to stop; the printer closes the window when it has.
  cancelRequested_ = true;
  button_->setEnabled(false);
}

}  // namespace rtv
