// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>

#include "base/BusSubscription.h"

class QPlainTextEdit;

namespace rtv {

class MessageBus;

// A log the program writes into while the window is open: every debug text on the bus,
// among them one line for each frame the radio link sends and receives.
class FreeDebugWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "Free Debug Window";
  static constexpr double kHeightShare = 0.8;  // of the main window's height
  static constexpr int kMinimumHeight = 100;

  FreeDebugWindow(QWidget* owner, MessageBus& bus, std::function<void()> closed);
  ~FreeDebugWindow() override;

  QPlainTextEdit* Text() const { return text_; }

 private:
  MessageBus& bus_;
  std::function<void()> closed_;
  QPlainTextEdit* text_;
  BusSubscription subscription_;
};

}  // namespace rtv
