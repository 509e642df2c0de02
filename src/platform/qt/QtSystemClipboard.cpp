// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtSystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace rtv {

std::string QtSystemClipboard::Text() const {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  return clipboard != nullptr ? clipboard->text().toStdString() : std::string();
}

void QtSystemClipboard::SetText(const std::string& text) {
  if (QClipboard* clipboard = QGuiApplication::clipboard(); clipboard != nullptr) {
    clipboard->setText(QString::fromStdString(text));
  }
}

}  // namespace rtv
