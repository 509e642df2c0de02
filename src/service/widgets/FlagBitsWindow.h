// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

class QPushButton;

namespace rtv {

class OverlayText;
class SheetPane;
struct SheetViewServices;
struct SheetServices;

// The maker's flag bits: one cell a bit of the region and function flags, built from a
// sheet the program writes itself rather than from the overlay file.
class FlagBitsWindow : public QWidget {
  Q_OBJECT

 public:
  FlagBitsWindow(QWidget* owner, const SheetServices& sheets,
                 const SheetViewServices& viewServices);
  ~FlagBitsWindow() override;

  SheetPane* Pane() const { return pane_; }
  QPushButton* CloseButton() const { return close_; }

 private:
  std::unique_ptr<OverlayText> store_;  // outlives the pane, whose sheet reads it
  SheetPane* pane_;
  QPushButton* close_;
};

}  // namespace rtv
