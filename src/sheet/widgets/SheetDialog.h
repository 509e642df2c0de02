// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <memory>

#include "sheet/widgets/SheetView.h"

class QPushButton;

namespace rtv {

class OverlayText;

// A dialog that shows one sheet and one button: sized to its sheet, centred over its owner
// and kept inside the work area; the owner is disabled while it is open.
class SheetDialog : public QDialog {
  Q_OBJECT

 public:
  SheetDialog(std::unique_ptr<Sheet> sheet, const SheetViewServices& services, OverlayText& overlay,
              const QString& caption, QWidget* owner);
  ~SheetDialog() override;

  SheetView* sheetView() const { return sheetView_; }
  QPushButton* button() const { return button_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  std::unique_ptr<Sheet> sheet_;
  SheetView* sheetView_;
  QPushButton* button_;
};

}  // namespace rtv
