// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/widgets/CellEditorField.h"

#include <algorithm>

#include "cells/Cell.h"
#include "sheet/SheetController.h"
#include "sheet/widgets/CellInputValidator.h"

namespace rtv {

CellEditorField::CellEditorField(QWidget* viewport, QWidget* sheetView)
    : QLineEdit(viewport), sheetView_(sheetView), validator_(new CellInputValidator(this)) {
  setFrame(false);
  setMaxLength(SheetController::kEditorMaxLength);
  hide();
  validator_->onRefused = [this](EditRefusal refusal, const QString& character) {
    if (onRefused) onRefused(refusal, character);
  };
}

void CellEditorField::SetRule(const EditRule& rule) {
  validator_->SetRule(rule);
  setValidator(rule.Limits() ? validator_ : nullptr);
}

void CellEditorField::Place(const QRect& cell, const CellPainter::FontEntry& font,
                            std::uint8_t verticalAlign) {
  setFont(font.font);
  const int height = std::min(font.metrics.height() + 2, cell.height());
  int y = cell.top();
  if (verticalAlign == Cell::kMiddle) y = cell.top() + (cell.height() - height) / 2;
  if (verticalAlign == Cell::kBottom) y = cell.bottom() + 1 - height;
  setGeometry(cell.left(), y, cell.width(), height);
}

void CellEditorField::Start(const std::string& initial, int selectionStart, int selectionLength) {
  // The text starts as the field can hold it (a refused first keystroke is said and left out).
  const QString typed = QString::fromUtf8(initial.data(), static_cast<qsizetype>(initial.size()));
  const QString value = validator_->Filtered(typed);
  if (value.size() < typed.size() && onRefused) {
    QString whole = typed;
    QString character;
    const EditRefusal refusal = validator_->FirstRefusal(whole, character);
    onRefused(refusal, character);
  }
  setText(value);
  const int start = std::clamp(selectionStart, 0, static_cast<int>(text().size()));
  const int length = std::clamp(selectionLength, 0, static_cast<int>(text().size()) - start);
  setSelection(start, length);
  if (length == 0) setCursorPosition(start);
  show();
  setFocus();
}

void CellEditorField::Close() {
  closing_ = true;
  const bool focused = hasFocus();
  hide();
  if (focused) sheetView_->setFocus();
  closing_ = false;
}

}  // namespace rtv
