// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "base/BusSubscription.h"

class QLabel;
class QPushButton;

namespace rtv {

class EepromImage;
class MessageBus;
class OverlayText;
class Sheet;
class SheetPane;
struct SheetViewServices;

// The maker's view of the raw image: sixteen bytes a row in the memory sheet, with the
// buttons that take the reference and redraw, and a label with the selected byte's values.
class MemoryWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kSheetName = "GI_Sheet_EeDebugWin";
  // The sheet's heading rows and columns, and its two sheet columns a byte.
  static constexpr int kHeadingRows = 3;
  static constexpr int kHeadingColumns = 3;
  static constexpr int kColumnsPerByte = 2;

  MemoryWindow(QWidget* owner, std::unique_ptr<Sheet> sheet, const SheetViewServices& services,
               OverlayText& overlay, const EepromImage& image, MessageBus& bus);
  ~MemoryWindow() override;

  SheetPane* Pane() const { return pane_; }
  QLabel* ValueLabel() const { return label_; }
  QPushButton* CloseButton() const { return close_; }
  QPushButton* TakeReferenceButton() const { return takeReference_; }
  QPushButton* RedrawButton() const { return redraw_; }
  // The image address of the selected byte; none on the address column or a heading.
  std::optional<int> SelectedAddress() const;
  // Selects the byte at an address and scrolls it into view.
  void GoTo(int address);

 private:
  void ShowSelectedValue();

  const EepromImage& image_;
  MessageBus& bus_;
  SheetPane* pane_;
  QPushButton* close_;
  QPushButton* takeReference_;
  QPushButton* redraw_;
  QLabel* label_;
  BusSubscription subscription_;  // last: it ends first
};

}  // namespace rtv
