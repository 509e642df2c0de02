// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <memory>

#include "sheet/widgets/SheetView.h"

class QFrame;
class QLabel;

namespace rtv {

// One sheet on screen: its title bar (when the style names a title) above the sheet view's
// panel. The pane owns the sheet and builds it.
class SheetPane : public QWidget {
  Q_OBJECT

 public:
  SheetPane(std::unique_ptr<Sheet> sheet, const SheetViewServices& services,
            QWidget* parent = nullptr);
  ~SheetPane() override;

  // Builds the sheet again (a new image, model, font or reset widths) and shows it.
  void Rebuild();

  Sheet& sheet() { return *sheet_; }
  SheetView* sheetView() const { return sheetView_; }
  QLabel* titleBar() const { return title_; }

 private:
  void ShowTitle();

  std::unique_ptr<Sheet> sheet_;
  QFrame* titleFrame_;
  QLabel* title_;
  QFrame* panel_;
  SheetView* sheetView_ = nullptr;
};

}  // namespace rtv
