// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>

#include "app/StartFacts.h"

class QLabel;
class QPushButton;

namespace rtv {

class OverlayText;

// The page beside the tree's first node: what the program works on (model, file, port, the
// radio read last) and the three ways to begin: read a radio, open a file, start anew.
class StartPage : public QWidget {
  Q_OBJECT

 public:
  enum class Action { ReadRadio, OpenFile, New };
  using ActionHandler = std::function<void(Action)>;

  StartPage(OverlayText& overlay, ActionHandler onAction, QWidget* parent = nullptr);

  void Show(const StartFacts& facts);
  QPushButton* Button(Action action) const { return buttons_[static_cast<int>(action)]; }
  // The facts as shown, one line each, for the tests and the screen readers.
  QString FactsText() const;

 private:
  QString Line(int index) const;

  OverlayText& overlay_;
  QLabel* heading_;
  QLabel* model_;
  QLabel* file_;
  QLabel* port_;
  QLabel* radio_;
  QPushButton* buttons_[3] = {};
};

}  // namespace rtv
