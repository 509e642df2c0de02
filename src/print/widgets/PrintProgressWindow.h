// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace rtv {

class OverlayText;

// Shown while the pages go to the printer; its one button asks the print to stop.
class PrintProgressWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTextsKey = "GI_Sys_Printer_PrintingDialog";

  explicit PrintProgressWindow(OverlayText& overlay, QWidget* parent = nullptr);

  bool cancelRequested() const { return cancelRequested_; }
  QPushButton* cancelButton() const { return button_; }

 protected:
  void reject() override;

 private:
  QLabel* label_;
  QPushButton* button_;
  bool cancelRequested_ = false;
};

}  // namespace rtv
