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
struct GridServices;
struct SheetServices;

// The maker's flag bits: one cell a bit of the region and function flags, built from a
// sheet the program writes itself rather than from the overlay file.
class FlagBitsWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kSheetName = "GI_Sheet_FBitsR";

  FlagBitsWindow(QWidget* owner, const SheetServices& sheets, const GridServices& grids);
  ~FlagBitsWindow() override;

  // The sheet's entries for `count` items numbered 0 … count − 1, whose cells are bound
  // to the flag bits 1 … count, ended as every line array must be.
  static std::vector<std::string> SheetLines(int count);

  SheetPane* Pane() const { return pane_; }
  QPushButton* CloseButton() const { return close_; }

 private:
  std::unique_ptr<OverlayText> store_;  // outlives the pane, whose sheet reads it
  SheetPane* pane_;
  QPushButton* close_;
};

}  // namespace rtv
