// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <cstdint>
#include <functional>
#include <string>

#include "cells/EditRule.h"
#include "sheet/widgets/CellPainter.h"

namespace rtv {

class CellInputValidator;

// The sheet view's in-place editor: a line edit laid over the current cell that takes only what
// the cell's rule allows. Closing it hands the focus back to the sheet view when it had it.
class CellEditorField : public QLineEdit {
  Q_OBJECT

 public:
  // Lives on the sheet view's viewport; `sheetView` gets the focus back.
  CellEditorField(QWidget* viewport, QWidget* sheetView);

  // Told each keystroke the rule refuses, with the refused character.
  std::function<void(EditRefusal refusal, const QString& character)> onRefused;

  void SetRule(const EditRule& rule);
  // Over the cell's rectangle, one line of the cell's font high, aligned as the cell is.
  void Place(const QRect& cell, const CellPainter::FontEntry& font, std::uint8_t verticalAlign);
  // Shows the text as far as the rule takes it (saying the first refusal), selects the
  // given part and takes the focus.
  void Start(const std::string& initial, int selectionStart, int selectionLength);
  bool IsOpen() const { return isVisible(); }
  // True while Close runs: the focus it moves is not the user leaving the editor.
  bool IsClosing() const { return closing_; }
  void Close();

 private:
  QWidget* sheetView_;
  CellInputValidator* validator_;
  bool closing_ = false;
};

}  // namespace rtv
