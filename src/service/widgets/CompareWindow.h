// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace rtv {

// The debug compare: what changed since the reference was taken, one line a byte, in a
// modal window over the whole main window.
class CompareWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "Debug compare";

  CompareWindow(QWidget* owner, const QString& text);

  QPlainTextEdit* Text() const { return text_; }
  QPushButton* CloseButton() const { return close_; }

 private:
  QPlainTextEdit* text_;
  QPushButton* close_;
};

}  // namespace rtv
