// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "sheet/widgets/SheetView.h"

namespace rtv {

class ModelSheet;

// The borderless window that shows a choice list next to the edited cell. Choosing a cell
// (Enter, a click) hands it to the owner and hides the window; Escape or a click elsewhere
// hides it without a choice.
class ChoicePopup : public QWidget {
  Q_OBJECT

 public:
  // fontHeight: the owner sheet's letters (0: the list's own, scaled as every sheet's).
  ChoicePopup(const SheetServices& sheets, SheetModelHost& model, const SheetViewServices& services,
              const std::string& listKey, int variant, int value, int fontHeight, QWidget* owner);
  ~ChoicePopup() override;

  // The line drawn around the list, so that it stands apart from the sheet under it.
  static constexpr int kBorder = 1;

  // Places the window by the cell (in global coordinates) inside the cell's work area.
  // The cell the choice is for: the items ask it whether they are available.
  void SetOwnerCell(const Cell* owner);
  void ShowAt(const QRect& cell);

  SheetView* sheetView() const { return sheetView_; }
  ModelSheet& sheet() { return *sheet_; }
  std::function<void(const Cell& chosen)> onChosen;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  std::unique_ptr<ModelSheet> sheet_;
  SheetView* sheetView_;
};

}  // namespace rtv
